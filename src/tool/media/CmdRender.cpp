// fretlo-tool render: the song through the built-in synthesizer into a WAV file, as fast as
// the machine goes.
#include <chrono>
#include <cstdio>

#include "platform/midi/FluidSynth.h"
#include "playback/OfflineRender.h"
#include "playback/Player.h"
#include "tool/cli/PlayOptions.h"
#include "tool/media/MediaCommands.h"

namespace fretlo::tool {

int CmdRender(const std::vector<std::string>& argv) {
    TArgs args(argv, PlayValuedOptions({"--soundfont", "--rate"}));
    const std::string& file = args.Positional(0, "FILE");
    const std::string& out = args.Positional(1, "OUT.wav");
    const TPlayChoices choices = ReadPlayChoices(args);
    const std::string soundFont = args.Value("--soundfont").value_or("");
    const int rate = args.Int("--rate", 48000, 8000, 192000);
    args.Finish(2);
    TCustomTabDoc doc;
    doc.LoadFromFile(file);
    const auto start = std::chrono::steady_clock::now();
    TFluidRenderer renderer(soundFont.empty() ? FindSoundFont("") : soundFont, rate);
    const TRenderResult r = RenderSong(doc, MakeRequest(choices, doc), renderer, rate, out);
    const double took = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    const double seconds = double(r.Frames) / rate;
    std::printf("%s: %.2f s (%.2f s of song and a %d s tail) rendered in %.2f s, %.0f times real time\n",
                out.c_str(), seconds, r.Ticks * PlayerTickMs / 1000.0, RenderTailSeconds, took,
                took > 0 ? seconds / took : 0.0);
    return 0;
}

}  // namespace fretlo::tool

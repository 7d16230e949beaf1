// fretlo-tool devices: the MIDI output devices, the built-in synthesizer first.
#include <cstdio>

#include "platform/midi/SystemMidiDevices.h"
#include "tool/cli/Args.h"
#include "tool/media/MediaCommands.h"

namespace fretlo::tool {

int CmdDevices(const std::vector<std::string>& argv) {
    TArgs args(argv, {"--soundfont"});
    const std::string soundFont = args.Value("--soundfont").value_or("");
    args.Finish(0);
    TSystemMidiDevices devices(soundFont);
    const std::vector<TMidiDeviceInfo> list = devices.List();
    for (const TMidiDeviceInfo& d : list) std::printf("%d\t%s\n", d.Index, d.Name.c_str());
    if (list.empty())
        std::printf("No MIDI output device: no General MIDI SoundFont is installed and there are no "
                    "ALSA sequencer ports.\n");
    else if (list.back().Index < 0)
        std::printf("No ALSA sequencer output ports.\n");
    return 0;
}

}  // namespace fretlo::tool

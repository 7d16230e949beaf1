#include "playback/OfflineRender.h"

#include "platform/SafeFile.h"
#include "playback/FluidSynth.h"
#include "playback/Player.h"
#include "playback/WavFile.h"

namespace fretlo {

namespace {

// Renders the 8 ms that each tick covers; at rates that do not divide evenly the frame
// counts alternate so that tick n always ends at frame (n + 1) * rate * 8 / 1000.
class TRenderHooks : public TVirtualRunHooks {
public:
    TRenderHooks(TFluidSynth& synth, int rate) : synth_(synth), rate_(rate) {}
    void AfterTick(int tick) override {
        const long end = (long(tick) + 1) * rate_ * PlayerTickMs / 1000;
        synth_.Render(static_cast<int>(end - frames_), Samples);
        frames_ = end;
    }
    // The notes ring out before Stop silences them.
    void SongEnded(int) override { synth_.Render(RenderTailSeconds * static_cast<int>(rate_), Samples); }
    std::vector<int16_t> Samples;

private:
    TFluidSynth& synth_;
    long rate_;
    long frames_ = 0;
};

}  // namespace

TRenderResult RenderSong(TCustomTabDoc& doc, const TPlaybackRequest& request, const std::string& soundFont,
                         int sampleRate, const std::string& wavPath) {
    TFluidRenderer renderer(soundFont.empty() ? FindSoundFont("") : soundFont, sampleRate);
    TRenderHooks hooks(renderer.Synth(), sampleRate);
    const int ticks = RunVirtualPlayback(doc, renderer, request, hooks);
    WriteFileAtomically(wavPath, WavBytes(hooks.Samples, sampleRate, 2));
    return {ticks, static_cast<long>(hooks.Samples.size() / 2)};
}

}  // namespace fretlo

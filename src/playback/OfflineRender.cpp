#include "playback/OfflineRender.h"

#include "platform/SafeFile.h"
#include "playback/Player.h"
#include "playback/WavFile.h"

namespace fretlo {

namespace {

// Renders the 8 ms that each tick covers; at rates that do not divide evenly the frame
// counts alternate so that tick n always ends at frame (n + 1) * rate * 8 / 1000.
class TRenderHooks : public TVirtualRunHooks {
public:
    TRenderHooks(TSampleDevices& synth, int rate) : synth_(synth), rate_(rate) {}
    void AfterTick(int tick) override {
        const long end = (long(tick) + 1) * rate_ * PlayerTickMs / 1000;
        synth_.RenderSamples(static_cast<int>(end - frames_), Samples);
        frames_ = end;
    }
    // The notes ring out before Stop silences them.
    void SongEnded(int) override { synth_.RenderSamples(RenderTailSeconds * static_cast<int>(rate_), Samples); }
    std::vector<int16_t> Samples;

private:
    TSampleDevices& synth_;
    long rate_;
    long frames_ = 0;
};

}  // namespace

TRenderResult RenderSong(TCustomTabDoc& doc, const TPlaybackRequest& request, TSampleDevices& renderer,
                         int sampleRate, const std::string& wavPath) {
    TRenderHooks hooks(renderer, sampleRate);
    const int ticks = RunVirtualPlayback(doc, renderer, request, hooks);
    WriteFileAtomically(wavPath, WavBytes(hooks.Samples, sampleRate, 2));
    return {ticks, static_cast<long>(hooks.Samples.size() / 2)};
}

}  // namespace fretlo

// Rendering a song to a WAV file with a sample-rendering synthesizer, faster than real time: the
// player's ticks run on a virtual clock and each tick's 8 ms of samples follow it.
#pragma once

#include <string>

#include "platform/MidiOut.h"
#include "playback/VirtualPlayback.h"

namespace fretlo {

inline constexpr int RenderTailSeconds = 2;

struct TRenderResult {
    int Ticks;    // ticks that covered song time
    long Frames;  // frames written, the tail included
};

// Plays the song into `renderer`, whose synthesizer runs at `sampleRate`, and writes its
// 16-bit stereo samples; raises EFretloError or EPlayerError on failure.
TRenderResult RenderSong(TCustomTabDoc& doc, const TPlaybackRequest& request, TSampleDevices& renderer,
                         int sampleRate, const std::string& wavPath);

}  // namespace fretlo

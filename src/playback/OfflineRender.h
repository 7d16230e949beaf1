// Rendering a song to a WAV file with the built-in synthesizer, faster than real time: the
// player's ticks run on a virtual clock and each tick's 8 ms of samples follow it.
#pragma once

#include <string>

#include "playback/VirtualPlayback.h"

namespace fretlo {

inline constexpr int RenderTailSeconds = 2;

struct TRenderResult {
    int Ticks;    // ticks that covered song time
    long Frames;  // frames written, the tail included
};

// Writes 16-bit stereo at `sampleRate`; raises EFretloError or EPlayerError on failure.
TRenderResult RenderSong(TCustomTabDoc& doc, const TPlaybackRequest& request, const std::string& soundFont,
                         int sampleRate, const std::string& wavPath);

}  // namespace fretlo

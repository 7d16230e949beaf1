// The options that play, render and trace share: which tracks, where to start, how.
#pragma once

#include <set>
#include <string>

#include "document/TabDoc.h"
#include "playback/VirtualPlayback.h"
#include "tool/cli/Args.h"

namespace fretlo::tool {

// The shared valued options plus the command's own.
std::set<std::string> PlayValuedOptions(std::set<std::string> own);

// The options as given, before a song is known.
struct TPlayChoices {
    int Track = 1;  // 1-based; 0 with --all
    int FromBar = 1;
    int Device = -1;
    TPlayerSettings Settings;
    // --loop's bars, 1-based (0: the whole song, when --loops or --trainer asks for a loop)
    int LoopFirstBar = 0, LoopLastBar = 0;
    TPractice Practice;  // the loop's times are set by MakeRequest
};
// `mayLoopForever`: the command can play a loop until it is stopped, so --loop needs no --loops.
TPlayChoices ReadPlayChoices(TArgs& args, bool mayLoopForever = false);

// The request for a loaded song; EUsage when the track or bar does not exist in it.
TPlaybackRequest MakeRequest(const TPlayChoices& choices, const TCustomTabDoc& doc);

}  // namespace fretlo::tool

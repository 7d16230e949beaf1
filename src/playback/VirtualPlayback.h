// Playing a song to its end on a virtual clock, as fast as the machine goes: the engine of
// `fretlo-tool trace` and `render` and of the play command's total time.
#pragma once

#include <cstdint>

#include "document/TabDoc.h"
#include "platform/MidiOut.h"
#include "playback/PlayerSettings.h"
#include "playback/Practice.h"

namespace fretlo {

// What to play: the tracks whose notes sound, where to start and how.
struct TPlaybackRequest {
    int FirstTrack = 0;
    int LastTrack = 0;
    int32_t StartTime = 0;
    TPlayerSettings Settings;
    TPractice Practice;  // a loop must have a number of passes here, or the run never ends
};

// Told about every tick of a virtual run. Tick 0 is the one PlayFrom runs itself; the
// set-up messages come before it and the messages of Stop after the last tick.
class TVirtualRunHooks {
public:
    virtual ~TVirtualRunHooks() = default;
    virtual void BeforeTick(int) {}
    // After each tick that did not reach the end of the song, i.e. one that covered 8 ms.
    virtual void AfterTick(int) {}
    // When the song has ended, before Stop.
    virtual void SongEnded(int) {}
    // After Stop, before the device is closed.
    virtual void Stopped(int) {}
};

// Plays on device -1 of `devices` until the song ends, then stops; returns the number of
// ticks that covered time. Raises EPlayerError when a tick failed.
int RunVirtualPlayback(TCustomTabDoc& doc, TMidiDevices& devices, const TPlaybackRequest& request,
                       TVirtualRunHooks& hooks);

}  // namespace fretlo

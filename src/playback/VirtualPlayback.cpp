#include "playback/VirtualPlayback.h"

#include "playback/Player.h"
#include "playback/VirtualClock.h"

namespace fretlo {

namespace {

class TRunEvents : public TPlayerEvents {
public:
    void PostPosition() override { PositionPending.store(0); }
    void PostSongEnd() override { Ended = true; }
    void PostPlayError(std::unique_ptr<std::string> text) override {
        Failed = true;
        Error = text ? *text : std::string();
    }
    bool Ended = false;
    bool Failed = false;
    std::string Error;
};

}  // namespace

int RunVirtualPlayback(TCustomTabDoc& doc, TMidiDevices& devices, const TPlaybackRequest& request,
                       TVirtualRunHooks& hooks) {
    TVirtualClock clock;
    TRunEvents events;
    TPlayer player(doc, {&devices, &clock, &events, nullptr}, -1);
    player.SetPlayRange(request.FirstTrack, request.LastTrack);
    player.SetSettings(request.Settings);
    player.SetPractice(request.Practice);
    int tick = 0;
    hooks.BeforeTick(tick);
    player.PlayFrom(request.StartTime, false);
    while (!events.Ended) {
        hooks.AfterTick(tick);
        hooks.BeforeTick(++tick);
        clock.Fire();
        if (events.Failed) throw EPlayerError("Error during playback:\r\n\r\n" + events.Error);
    }
    hooks.SongEnded(tick);
    player.Stop();
    hooks.Stopped(tick);
    return tick;
}

}  // namespace fretlo

// fretlo-tool play: real-time playback through a MIDI device with a progress line; Ctrl+C
// stops cleanly, and another instance may ask for the device.
#include <signal.h>
#include <unistd.h>

#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <mutex>

#include "platform/ThreadTimer.h"
#include "platform/UnixReleaseChannel.h"
#include "platform/midi/SystemMidiDevices.h"
#include "playback/MidiRecorder.h"
#include "playback/Player.h"
#include "tool/cli/PlayOptions.h"
#include "tool/media/MediaCommands.h"

namespace fretlo::tool {

namespace {

class TPlayEvents : public TPlayerEvents {
public:
    void PostPosition() override { PositionPending.store(0); }
    void PostSongEnd() override { Ended.store(true); }
    void PostPlayError(std::unique_ptr<std::string> text) override {
        std::lock_guard lock(mutex_);
        error_ = text ? *text : "unknown error";
        Failed.store(true);
    }
    std::string Error() {
        std::lock_guard lock(mutex_);
        return error_;
    }
    std::atomic<bool> Ended{false};
    std::atomic<bool> Failed{false};

private:
    std::mutex mutex_;
    std::string error_;
};

// A release request from another instance waits here until the main loop closed the device.
class TReleaseHandshake {
public:
    bool Request() {
        std::unique_lock lock(mutex_);
        requested_ = true;
        done_.wait(lock, [this] { return released_; });
        return true;
    }
    bool Requested() {
        std::lock_guard lock(mutex_);
        return requested_;
    }
    void Released() {
        {
            std::lock_guard lock(mutex_);
            released_ = true;
        }
        done_.notify_all();
    }

private:
    std::mutex mutex_;
    std::condition_variable done_;
    bool requested_ = false;
    bool released_ = false;
};

// The song's playing time, from a silent run on a virtual clock.
double SongSeconds(TCustomTabDoc& doc, const TPlaybackRequest& request) {
    TMidiRecorder silent;
    silent.Recording = false;
    TVirtualRunHooks none;
    return RunVirtualPlayback(doc, silent, request, none) * PlayerTickMs / 1000.0;
}

std::string Clock(double seconds) {
    const int s = static_cast<int>(seconds);
    return Format("%d:%02d", s / 60, s % 60);
}

}  // namespace

int CmdPlay(const std::vector<std::string>& argv) {
    TArgs args(argv, PlayValuedOptions({"--soundfont"}));
    const std::string& file = args.Positional(0, "FILE");
    const TPlayChoices choices = ReadPlayChoices(args, true);
    const std::string soundFont = args.Value("--soundfont").value_or("");
    args.Finish(1);
    TCustomTabDoc doc;
    doc.LoadFromFile(file);
    const TPlaybackRequest request = MakeRequest(choices, doc);
    const TPractice& practice = request.Practice;
    const bool endless = practice.Loop && practice.Passes == 0;
    const std::string total = endless ? "until Ctrl+C" : Clock(SongSeconds(doc, request));
    const bool practising = practice.Loop || practice.Speed != NormalSpeed || practice.CountIn;

    // Ctrl+C is taken by the main loop below, never by the timer or listener threads.
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGINT);
    sigaddset(&stopSignals, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);

    TSystemMidiDevices devices(soundFont);
    if (devices.List().empty())
        throw EPlayerError("Can't play because there are no MIDI devices installed on the system");
    TThreadTimer timer;
    TUnixReleaseRequest release;
    TPlayEvents events;
    auto player =
        std::make_unique<TPlayer>(doc, TPlayerServices{&devices, &timer, &events, &release}, choices.Device);
    TReleaseHandshake handshake;
    TUnixReleaseListener listener([&handshake] { return handshake.Request(); });
    // On every path: the device closes (every note released) before a waiting request is answered.
    struct TCloseFirst {
        std::unique_ptr<TPlayer>& Player;
        TReleaseHandshake& Handshake;
        void Now() {
            Player.reset();
            Handshake.Released();
        }
        ~TCloseFirst() { Now(); }
    } closeFirst{player, handshake};
    player->SetPlayRange(request.FirstTrack, request.LastTrack);
    player->SetSettings(request.Settings);
    player->PlayFrom(request.StartTime, false);

    const bool terminal = isatty(STDOUT_FILENO);
    const auto start = std::chrono::steady_clock::now();
    const timespec poll{0, 100 * 1000 * 1000};
    bool interrupted = false;
    while (!events.Ended.load() && !events.Failed.load() && !handshake.Requested()) {
        if (sigtimedwait(&stopSignals, nullptr, &poll) > 0) {
            interrupted = true;
            break;
        }
        if (!terminal) continue;
        const double played = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        std::printf("\rBar %d  %s / %s ", doc.BarAtTime(player->Position()) + 1, Clock(played).c_str(),
                    total.c_str());
        if (practising) {
            const TPracticeState state = player->PracticeState();
            std::printf(" pass %d at %d %%%s ", state.Pass + 1, state.Speed, state.CountingIn ? ", counting in" : "");
        }
        std::fflush(stdout);
    }
    closeFirst.Now();
    if (terminal) std::printf("\n");
    if (events.Failed.load()) throw EPlayerError("Error during playback:\r\n\r\n" + events.Error());
    if (interrupted) std::printf("Stopped.\n");
    if (handshake.Requested()) std::printf("Another Fretlo instance took the device.\n");
    return 0;
}

}  // namespace fretlo::tool

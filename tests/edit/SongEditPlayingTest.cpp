// The song commands while the player runs on its real timer thread: each one stops the
// playback before it touches the song, so the tick never walks a changing track list.
// Built in the ThreadSanitizer build too, where a missing stop is reported as a race.
#include <chrono>
#include <thread>

#include "edit/EditFixture.h"
#include "edit/SongEdit.h"
#include "platform/ThreadTimer.h"
#include "playback/PlayerFixture.h"

namespace fretlo::test {
namespace {

// The fake view with a real player behind its Stop command.
class TPlayingHost : public TFakeHost {
public:
    using TFakeHost::TFakeHost;
    TPlayer* player = nullptr;
    void StopPlaying() override {
        ++stops;
        if (player && player->Playing()) player->Stop();
    }
};

struct SongCommand {
    const char* name;
    std::function<void(TEditDocument&)> run;
};

void PrintTo(const SongCommand& c, std::ostream* os) { *os << c.name; }

class SongEditPlaying : public testing::TestWithParam<SongCommand> {};

TEST_P(SongEditPlaying, StopsThePlayerBeforeChangingTheSong) {
    TEditDocument doc;
    doc.New(16);
    doc.Tempo = 960;
    for (int s = 0; s < doc.Track(0).SpaceCount(); ++s) doc.Track(0).Space(s).Notes[s % 6] = NoteFretBase + 2;
    while (doc.TrackCount() < 8) doc.AddTrack(std::make_unique<TTrackData>(false, doc.Track(0).SpaceCount()));
    TPlayingHost host(doc);
    doc.SetEditHost(&host);
    TMidiRecorder device;
    device.Recording = false;
    TThreadTimer timer;
    TCountingEvents events;
    TPlayer player(doc, TPlayerServices{&device, &timer, &events, nullptr}, -1);
    host.player = &player;

    for (int round = 0; round < 6; ++round) {
        player.SetPlayRange(0, doc.TrackCount() - 1);
        player.PlayFrom(0, false);
        std::this_thread::sleep_for(std::chrono::milliseconds(3));  // a few ticks on the timer thread
        const int stops = host.stops;
        GetParam().run(doc);
        EXPECT_FALSE(player.Playing()) << "round " << round;
        EXPECT_EQ(host.stops, stops + 1);
    }
    player.Stop();
    EXPECT_TRUE(events.Errors.empty());
}

const SongCommand Commands[] = {
    {"AddTrack", [](TEditDocument& d) { AddTrack(d, std::make_unique<TTrackData>(false, 64)); }},
    {"DeleteTrack", [](TEditDocument& d) { DeleteTrack(d, 0); }},
    {"MoveTracks",
     [](TEditDocument& d) {
         std::vector<int> reversed;
         for (int t = d.TrackCount() - 1; t >= 0; --t) reversed.push_back(t);
         MoveTracks(d, reversed);
     }},
    {"Tempo", [](TEditDocument& d) { SetTempo(d, d.Tempo == 960 ? 480 : 960); }},
    {"Texts",
     [](TEditDocument& d) {
         SetSongTexts(d, {"Title", "", "", "", "line 1\r\nline 2"});
     }},
};

INSTANTIATE_TEST_SUITE_P(EveryCommand, SongEditPlaying, testing::ValuesIn(Commands),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace fretlo::test

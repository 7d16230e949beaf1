// What the player sends around the notes: channel set-up, the metronome, Stop and Destroy,
// and its failures.
#include "PlayerFixture.h"
#include "ParamName.h"

namespace fretlo::test {
namespace {

std::vector<TMidiEvent> ChannelSetUp(int channel, int program, int pan, int bend14) {
    return {Program(0, channel, program),
            Cc(0, channel, 10, pan),
            Cc(0, channel, 91, 0),
            Cc(0, channel, 93, 0),
            Cc(0, channel, 1, 0),
            Cc(0, channel, 101, 0),
            Cc(0, channel, 100, 0),
            Cc(0, channel, 6, 24),
            Cc(0, channel, 38, 0),
            {0, uint8_t(0xE0 | channel), uint8_t(bend14 & 0x7F), uint8_t(bend14 >> 7)}};
}

std::vector<TMidiEvent> Concat(std::vector<TMidiEvent> a, const std::vector<TMidiEvent>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

class PlayerSetUp : public PlayerTest {};

TEST_F(PlayerSetUp, EveryTrackChannelAndTheMetronomeChannelAreSetUp) {
    MakeSong(1, 2);
    doc.Track(1).Instrument = 33;
    doc.Track(1).Pan = 20;
    doc.Track(1).PitchBend = 2400;
    Play();
    EXPECT_EQ(rec.Events, Concat(Concat(ChannelSetUp(0, 27, 64, 8192), ChannelSetUp(1, 33, 20, 16383)),
                                 ChannelSetUp(9, 0, 64, 8192)));
}

TEST_F(PlayerSetUp, BankSelectsComeFirstWhenSwitchedOn) {
    MakeSong(1);
    doc.Track(0).Bank = 3;
    settings.SendBankSelects = true;
    Play();
    EXPECT_EQ(rec.Events[0], Cc(0, 0, 0, 3));
    EXPECT_EQ(rec.Events[1], Program(0, 0, 27));
}

TEST_F(PlayerSetUp, ADrumTrackOnChannel10SetsUpTheMetronomeChannel) {
    MakeSong(1, 2);
    doc.Track(1).MidiChannel = PercussionChannel;
    doc.Track(1).Instrument = 25;
    settings.MetronomeOn = true;
    Play();
    std::vector<TMidiEvent> programs9;
    for (const TMidiEvent& e : Kind(0xC0))
        if ((e.Status & 0x0F) == 9) programs9.push_back(e);
    EXPECT_EQ(programs9, (std::vector<TMidiEvent>{Program(0, 9, 25)}));
    EXPECT_EQ(Kind(0x90), (std::vector<TMidiEvent>{On(0, 9, 37, 127)}));
}

struct TMetronomeCase {
    const char* Name;
    int BarSpaces;
    bool Accent;
    int Volume;
    std::vector<int> ClickTimes;  // song times
    std::vector<int> Velocities;
};

void PrintTo(const TMetronomeCase& c, std::ostream* os) { *os << c.Name; }

class PlayerMetronome : public PlayerTest, public ::testing::WithParamInterface<TMetronomeCase> {};

TEST_P(PlayerMetronome, ClicksOnEveryBeatCountedFromEachBar) {
    const TMetronomeCase& c = GetParam();
    MakeSong(2, 1, c.BarSpaces);
    settings.MetronomeOn = true;
    settings.MetronomeAccent = c.Accent;
    settings.MetronomeVolume = c.Volume;
    Play();
    PlayToEnd();
    std::vector<TMidiEvent> expected;
    for (size_t i = 0; i < c.ClickTimes.size(); ++i) {
        const int at = TickAt120(c.ClickTimes[i]);
        if (i > 0) expected.push_back(Off(at, 9, 37));
        expected.push_back(On(at, 9, 37, c.Velocities[i]));
    }
    player->Stop();
    expected.push_back(Off(tick, 9, 37));
    EXPECT_EQ(Notes(), expected);
}

INSTANTIATE_TEST_SUITE_P(Beats, PlayerMetronome,
                         ::testing::Values(TMetronomeCase{"AccentOnBarStarts",
                                                          16,
                                                          true,
                                                          96,
                                                          {0, 1024, 2048, 3072, 4096, 5120, 6144, 7168},
                                                          {127, 96, 96, 96, 127, 96, 96, 96}},
                                           TMetronomeCase{"NoAccent",
                                                          16,
                                                          false,
                                                          50,
                                                          {0, 1024, 2048, 3072, 4096, 5120, 6144, 7168},
                                                          {50, 50, 50, 50, 50, 50, 50, 50}},
                                           TMetronomeCase{"ShortLastBeat",
                                                          14,
                                                          true,
                                                          60,
                                                          {0, 1024, 2048, 3072, 3584, 4608, 5632, 6656},
                                                          {80, 60, 60, 60, 80, 60, 60, 60}}),
                         [](const auto& info) { return std::string(info.param.Name); });

// The Options dialog and F11 change the settings of a running player: the click after the
// change has them, the one before it had the old ones.
struct TMetronomeChange {
    const char* Name;
    void (*Change)(TPlayerSettings&);
    std::vector<TMidiEvent> SecondBar;  // the notes from the second bar's first click on
};

void PrintTo(const TMetronomeChange& c, std::ostream* os) { *os << c.Name; }

class PlayerMetronomeChange : public PlayerTest, public ::testing::WithParamInterface<TMetronomeChange> {};

TEST_P(PlayerMetronomeChange, TakesEffectAtTheNextBeat) {
    MakeSong(2);
    settings.MetronomeOn = true;
    Play();
    const int bar2 = TickAt120(4096);
    Ticks(bar2 - 1);
    const size_t firstBar = Notes().size();
    GetParam().Change(settings);
    player->SetSettings(settings);
    Ticks(1);
    const std::vector<TMidiEvent> notes = Notes();
    EXPECT_EQ(std::vector<TMidiEvent>(notes.begin() + static_cast<std::ptrdiff_t>(firstBar), notes.end()),
              GetParam().SecondBar);
}

INSTANTIATE_TEST_SUITE_P(
    Settings, PlayerMetronomeChange,
    ::testing::Values(TMetronomeChange{"Volume",
                                       [](TPlayerSettings& s) { s.MetronomeVolume = 60; },
                                       {Off(TickAt120(4096), 9, 37), On(TickAt120(4096), 9, 37, 80)}},
                      TMetronomeChange{"AccentOff",
                                       [](TPlayerSettings& s) { s.MetronomeAccent = false; },
                                       {Off(TickAt120(4096), 9, 37), On(TickAt120(4096), 9, 37, 96)}},
                      TMetronomeChange{"Drum",
                                       [](TPlayerSettings& s) { s.MetronomeDrum = 76; },
                                       {Off(TickAt120(4096), 9, 37), On(TickAt120(4096), 9, 76, 127)}},
                      TMetronomeChange{"Off", [](TPlayerSettings& s) { s.MetronomeOn = false; }, {}}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST_F(PlayerSetUp, StopReleasesEverythingAndDestroyResetsTheUsedChannels) {
    MakeSong(1);
    for (int s : {0, 1, 2}) Fret(0, 0, s, 0);
    settings.MetronomeOn = true;
    Play();
    Ticks(5);
    rec.Events.clear();
    player->Stop();
    EXPECT_FALSE(player->Playing());
    EXPECT_FALSE(clock.Fire());
    EXPECT_EQ(rec.Events, (std::vector<TMidiEvent>{Off(5, 9, 37), Off(5, 0, 40), Off(5, 0, 45), Off(5, 0, 50),
                                                   Cc(5, 0, 120, 0)}));
    rec.Events.clear();
    player.reset();
    EXPECT_EQ(rec.Events, (std::vector<TMidiEvent>{Cc(5, 0, 120, 0), Cc(5, 0, 121, 0), Cc(5, 9, 120, 0),
                                                   Cc(5, 9, 121, 0)}));
    EXPECT_FALSE(rec.IsOpen);
}

TEST_F(PlayerSetUp, AnUnopenableDeviceRaisesTheOpenMessage) {
    MakeSong(1);
    rec.OpenError = "port vanished";
    try {
        Open();
        FAIL() << "no error";
    } catch (const EPlayerError& e) {
        EXPECT_STREQ(e.what(), "Could not open the MIDI output.\n\nport vanished");
    }
}

struct TTimerFailure {
    int TVirtualClock::*Result;
    const char* Message;
};

void PrintTo(const TTimerFailure& c, std::ostream* os) { *os << c.Message; }

class PlayerTimerFailure : public PlayerTest, public ::testing::WithParamInterface<TTimerFailure> {};

TEST_P(PlayerTimerFailure, UndoesTheStart) {
    MakeSong(1);
    Fret(0, 0, 0, 0);
    clock.*GetParam().Result = 87;
    try {
        Play();
        FAIL() << "no error";
    } catch (const EPlayerError& e) {
        EXPECT_STREQ(e.what(), GetParam().Message);
    }
    EXPECT_FALSE(player->Playing());
    EXPECT_FALSE(clock.Running());
    EXPECT_TRUE(Kind(0x90).empty());
}

INSTANTIATE_TEST_SUITE_P(
    Calls, PlayerTimerFailure,
    ::testing::Values(TTimerFailure{&TVirtualClock::DevCapsResult, "Could not read what the playback timer supports. Code: 87"},
                      TTimerFailure{&TVirtualClock::BeginPeriodResult, "Could not set the playback timer's period. Code: 87"}),
    PrintedName());

TEST_F(PlayerSetUp, AFailingTickReportsOnceAndHaltsTheTimerWork) {
    MakeSong(1);
    Fret(0, 4, 0, 0);
    Fret(0, 8, 0, 0);
    Play();
    rec.SendError = "device gone";
    Ticks(70);
    EXPECT_EQ(events.Errors, (std::vector<std::string>{"device gone"}));
    rec.SendError.clear();
    const size_t sent = rec.Events.size();
    Ticks(100);
    EXPECT_EQ(rec.Events.size(), sent);
    EXPECT_TRUE(player->Playing());  // until the view stops it
}

}  // namespace
}  // namespace fretlo::test

// What the player sends, tick by tick: the channel set-up, which notes sound and stop space
// by space, the channels of the tracks, the metronome, Stop and Destroy, and its failures.
#include "ParamName.h"
#include "PlayerFixture.h"

namespace fretlo::test {
namespace {

constexpr int Beat2 = 63;  // the tick of song time 1024 at tempo 120
constexpr int Beat3 = 125;
const int Bar2 = TickAt120(4096);

using PlayerSends = PlayerTest;

struct TNotesCase {
    const char* Name;
    std::vector<TPut> Notes;       // on track 0 of a song of one bar
    void (*More)(PlayerTest&);     // what else the song has, if anything
    int Until;                     // the last tick played, before Stop releases what still sounds
    std::vector<TMidiEvent> Sent;  // what follows the set-up of channels 1 and 10
};

void PrintTo(const TNotesCase& c, std::ostream* os) { *os << c.Name; }

class PlayerNotes : public PlayerTest, public ::testing::WithParamInterface<TNotesCase> {};

TEST_P(PlayerNotes, SoundAndStopSpaceBySpace) {
    MakeSong(1);
    Put(GetParam().Notes);
    if (GetParam().More) GetParam().More(*this);
    Play();
    Ticks(GetParam().Until);
    ASSERT_GE(rec.Events.size(), 20u);
    EXPECT_EQ(std::vector<TMidiEvent>(rec.Events.begin() + 20, rec.Events.end()), GetParam().Sent);
}

const TNotesCase NotesCases[] = {
    {"LetRingKeepsOtherStringsOfAChordSoundingAndAStopEndsItsString",
     {{0, 0, FretNote(0)}, {0, 1, FretNote(0)}, {0, 2, FretNote(0)}, {4, 0, FretNote(2)}, {4, 2, NoteStop}},
     nullptr, Beat2,
     {On(0, 0, 40, 96), On(0, 0, 45, 96), On(0, 0, 50, 96), Off(Beat2, 0, 40), Off(Beat2, 0, 50),
      On(Beat2, 0, 42, 96)}},
    {"WithoutLetRingEveryNewNoteSilencesTheTrack",
     {{0, 0, FretNote(0)}, {0, 1, FretNote(0)}, {0, 2, FretNote(0)}, {4, 0, FretNote(2)}},
     [](PlayerTest& t) { t.doc.Track(0).LetRing = false; }, Beat2,
     {On(0, 0, 40, 96), On(0, 0, 45, 96), On(0, 0, 50, 96), Off(Beat2, 0, 40), Off(Beat2, 0, 45),
      Off(Beat2, 0, 50), On(Beat2, 0, 42, 96)}},
    {"InstrumentEffectSwitchesLetRingOffBeforeItsOwnSpaceIsReleased",
     {{0, 0, FretNote(0)}, {0, 1, FretNote(0)}, {4, 0, FretNote(2)}},
     [](PlayerTest& t) { SetProp(t.Space(0, 4), pkInstrument, 30 | InstrumentNoRing); }, Beat2,
     {On(0, 0, 40, 96), On(0, 0, 45, 96), Off(Beat2, 0, 40), Off(Beat2, 0, 45), Program(Beat2, 0, 30),
      On(Beat2, 0, 42, 96)}},
    // 45 on the low E string, then on the open A string; the muted hit of fret 5 (45 again,
    // still sounding) is skipped.
    {"OnePitchSoundsOnOneStringAtATime", {{0, 0, FretNote(5)}, {4, 1, FretNote(0)}, {8, 0, NoteMuted}},
     nullptr, Beat3, {On(0, 0, 45, 96), Off(Beat2, 0, 45), On(Beat2, 0, 45, 96)}},
    // Before any fret the open string is hit, after one that fret.
    {"MutedStringHitsItsLastFretForTwoTicks", {{0, 0, NoteMuted}, {4, 0, FretNote(3)}, {8, 0, NoteMuted}},
     nullptr, Beat3 + 5,
     {On(0, 0, 40, 96), Off(2, 0, 40), On(Beat2, 0, 43, 96), Off(Beat3, 0, 43), On(Beat3, 0, 43, 96),
      Off(Beat3 + 2, 0, 43)}},
    // Dropped D and two down: 36; 64 - 2 + 65 = 127 is the highest MIDI key and sounds,
    // 59 - 2 + 71 = 128 is outside MIDI and skipped.
    {"TransposeAndTuningMoveTheKey", {{0, 0, FretNote(0)}, {0, 4, FretNote(71)}, {0, 5, FretNote(65)}},
     [](PlayerTest& t) {
         t.doc.Track(0).Transpose = -2;
         t.doc.Track(0).Tuning[0] = -2;
     },
     5, {On(0, 0, 36, 96), On(0, 0, 127, 96)}},
    {"SoftHammerAndPullSoundAt85Percent",
     {{0, 0, FretNote(0)}, {0, 1, FretNote(0)}, {0, 2, FretNote(0)}, {0, 3, FretNote(0)},
      {0, 4, FretNote(0)}, {4, 0, FretNote(1)}},
     [](PlayerTest& t) {
         const uint8_t effects[] = {'(', 'h', 'p', 0, '~'};
         std::copy(std::begin(effects), std::end(effects), t.Space(0, 0).Effects);
         SetProp(t.Space(0, 4), pkVolume, 50);
         t.Space(0, 4).Effects[0] = 'h';
     },
     Beat2,
     {On(0, 0, 40, 81), On(0, 0, 45, 81), On(0, 0, 50, 81), On(0, 0, 55, 96), On(0, 0, 59, 96),
      Off(Beat2, 0, 40), On(Beat2, 0, 41, 42)}},
};

INSTANTIATE_TEST_SUITE_P(Spaces, PlayerNotes, ::testing::ValuesIn(NotesCases), PrintedName());

TEST_F(PlayerSends, StrokeDirectionOrdersTheStringsWithinOneTick) {
    MakeSong(1);
    for (int s = 0; s < 6; ++s) {
        Fret(0, 0, s, 0);
        Fret(0, 4, s, 0);
    }
    SetProp(Space(0, 0), pkStrokeUp, 0);
    SetProp(Space(0, 4), pkStrokeDown, 0);
    Play();
    Ticks(Beat2);
    std::vector<TMidiEvent> expected;
    const int keys[] = {40, 45, 50, 55, 59, 64};
    for (int s = 5; s >= 0; --s) expected.push_back(On(0, 0, keys[s], 96));
    // The release still runs in the old (upward) order, the new chord strikes downward.
    for (int s = 5; s >= 0; --s) expected.push_back(Off(Beat2, 0, keys[s]));
    for (int s = 0; s < 6; ++s) expected.push_back(On(Beat2, 0, keys[s], 96));
    EXPECT_EQ(Notes(), expected);
}

TEST_F(PlayerSends, PreviewSoundsOneSpaceWithoutTimerOrMutedHits) {
    MakeSong(1);
    Fret(0, 4, 1, 2);
    Space(0, 4).Notes[0] = NoteMuted;
    Fret(0, 8, 0, 7);
    Play(1024, true);
    EXPECT_FALSE(clock.Running());
    EXPECT_EQ(Notes(), (std::vector<TMidiEvent>{On(0, 0, 47, 96)}));
    player->Stop();
    EXPECT_EQ(rec.Events.back(), Off(0, 0, 47));  // no "all sound off" after a preview
}

// The channels themselves come from the document: here the later of two tracks fixed to one
// channel stays silent, its effects too, and a drum track on channel 10 leaves the metronome's
// channel to its own set-up.
TEST_F(PlayerSends, TracksPlayOnTheirChannels) {
    MakeSong(1, 4);
    doc.Track(0).MidiChannel = 3;
    doc.Track(1).MidiChannel = 3;
    doc.Track(2).MidiChannel = PercussionChannel;
    doc.Track(2).Instrument = 25;
    SetProp(Space(1, 0), pkInstrument, 40);
    for (int t = 0; t < 4; ++t) Fret(t, 0, 0, t);
    Play();
    EXPECT_EQ(Kind(0x90), (std::vector<TMidiEvent>{On(0, 3, 40, 96), On(0, 9, 42, 96), On(0, 0, 43, 96)}));
    EXPECT_EQ(Kind(0xC9, 0xFF), (std::vector<TMidiEvent>{Program(0, 9, 25)}));
    for (const TMidiEvent& e : Kind(0xC0)) EXPECT_NE(e.Data1, 40) << "a silent track sent its effect";
}

TEST_F(PlayerSends, OnlyThePlayRangeSoundsButOtherTracksStillSendEffects) {
    MakeSong(1, 2);
    Fret(0, 0, 0, 0);
    Fret(1, 0, 0, 0);
    Fret(1, 4, 0, 0);
    SetProp(Space(0, 2), pkTempo, 240);
    SetProp(Space(0, 4), pkPan, 20);
    Play(0, false, 1, 1);
    // 512 units at 120 reach the tempo change in tick 32, whose overshoot is retimed to 240;
    // 1024 is then reached in tick 47 (48 if the overshoot were kept unscaled).
    Ticks(47);
    EXPECT_EQ(Kind(0x90), (std::vector<TMidiEvent>{On(0, 1, 40, 96), On(47, 1, 40, 96)}));
    EXPECT_EQ(rec.Events[rec.Events.size() - 2], Cc(47, 0, 10, 20));
    EXPECT_EQ(player->LastPlayedSpace(0), -1);
    EXPECT_EQ(player->LastPlayedSpace(1), 4);
    EXPECT_EQ(player->LastNoteSpace(1), 4);
}

// What every channel gets before the first note: the bank when switched on, program, pan,
// reverb, chorus, modulation, a pitch-bend range of 24 through the registered parameter, and
// the bend itself.
void AddChannelSetUp(std::vector<TMidiEvent>& out, int channel, int bank, int program, int pan,
                     int bend14) {
    out.push_back(Cc(0, channel, 0, bank));
    out.push_back(Program(0, channel, program));
    for (auto [controller, value] : std::initializer_list<std::pair<int, int>>{
             {10, pan}, {91, 0}, {93, 0}, {1, 0}, {101, 0}, {100, 0}, {6, 24}, {38, 0}})
        out.push_back(Cc(0, channel, controller, value));
    out.push_back({0, uint8_t(0xE0 | channel), uint8_t(bend14 & 0x7F), uint8_t(bend14 >> 7)});
}

TEST_F(PlayerSends, EveryTrackChannelAndTheMetronomeChannelAreSetUp) {
    MakeSong(1, 2);
    doc.Track(1).Bank = 3;
    doc.Track(1).Instrument = 33;
    doc.Track(1).Pan = 20;
    doc.Track(1).PitchBend = 2400;
    settings.SendBankSelects = true;
    Play();
    std::vector<TMidiEvent> expected;
    AddChannelSetUp(expected, 0, 0, 27, 64, 8192);
    AddChannelSetUp(expected, 1, 3, 33, 20, 16383);
    AddChannelSetUp(expected, 9, 0, 0, 64, 8192);
    EXPECT_EQ(rec.Events, expected);
}

// A bar of 14 spaces ends with a short beat, and the next bar's clicks count from its start,
// accented (a loud accent's clamp to 127 is in the count-in table).
TEST_F(PlayerSends, TheMetronomeClicksOnEveryBeatCountedFromEachBar) {
    MakeSong(2, 1, 14);
    settings.MetronomeOn = true;
    settings.MetronomeVolume = 60;
    Play();
    PlayToEnd();
    std::vector<TMidiEvent> expected;
    const int times[] = {0, 1024, 2048, 3072, 3584, 4608, 5632, 6656};
    for (int i = 0; i < 8; ++i) {
        const int at = TickAt120(times[i]);
        if (i > 0) expected.push_back(Off(at, 9, 37));
        expected.push_back(On(at, 9, 37, i % 4 == 0 ? 80 : 60));
    }
    player->Stop();
    expected.push_back(Off(tick, 9, 37));
    EXPECT_EQ(Notes(), expected);
}

// The Options dialog and F11 change the settings of a running player: the click after the
// change has them, the one before it had the old ones.
TEST_F(PlayerSends, MetronomeChangesTakeEffectAtTheNextBeat) {
    MakeSong(2);
    settings.MetronomeOn = true;
    Play();
    Ticks(Bar2 - 1);
    const auto firstBar = static_cast<std::ptrdiff_t>(Notes().size());
    settings.MetronomeDrum = 76;
    player->SetSettings(settings);
    Ticks(1);
    settings.MetronomeOn = false;
    player->SetSettings(settings);
    Ticks(100);
    const std::vector<TMidiEvent> notes = Notes();
    EXPECT_EQ(std::vector<TMidiEvent>(notes.begin() + firstBar, notes.end()),
              (std::vector<TMidiEvent>{Off(Bar2, 9, 37), On(Bar2, 9, 76, 127)}));
}

TEST_F(PlayerSends, StopReleasesEverythingAndDestroyResetsTheUsedChannels) {
    MakeSong(1);
    for (int s : {0, 1, 2}) Fret(0, 0, s, 0);
    settings.MetronomeOn = true;
    Play();
    Ticks(5);
    rec.Events.clear();
    player->Stop();
    EXPECT_FALSE(player->Playing());
    EXPECT_FALSE(clock.Fire());
    EXPECT_EQ(rec.Events, (std::vector<TMidiEvent>{Off(5, 9, 37), Off(5, 0, 40), Off(5, 0, 45),
                                                   Off(5, 0, 50), Cc(5, 0, 120, 0)}));
    rec.Events.clear();
    player.reset();
    EXPECT_EQ(rec.Events, (std::vector<TMidiEvent>{Cc(5, 0, 120, 0), Cc(5, 0, 121, 0), Cc(5, 9, 120, 0),
                                                   Cc(5, 9, 121, 0)}));
    EXPECT_FALSE(rec.IsOpen);
}

// Each timer call that fails undoes the start (the editor's tests check the message of a
// device that does not open).
struct TStartFailure {
    const char* Message;
    void (*Break)(PlayerTest&);
};

void PrintTo(const TStartFailure& c, std::ostream* os) { *os << c.Message; }

class PlayerStartFailure : public PlayerTest, public ::testing::WithParamInterface<TStartFailure> {};

TEST_P(PlayerStartFailure, RaisesItsMessageAndSendsNoNote) {
    MakeSong(1);
    Fret(0, 0, 0, 0);
    GetParam().Break(*this);
    try {
        Play();
        FAIL() << "no error";
    } catch (const EPlayerError& e) {
        EXPECT_STREQ(e.what(), GetParam().Message);
    }
    if (player) {
        EXPECT_FALSE(player->Playing());
        EXPECT_FALSE(clock.Running());
    }
    EXPECT_TRUE(Kind(0x90).empty());
}

INSTANTIATE_TEST_SUITE_P(
    Calls, PlayerStartFailure,
    ::testing::Values(TStartFailure{"Could not read what the playback timer supports. Code: 87",
                                    [](PlayerTest& t) { t.clock.DevCapsResult = 87; }},
                      TStartFailure{"Could not set the playback timer's period. Code: 87",
                                    [](PlayerTest& t) { t.clock.BeginPeriodResult = 87; }}),
    PrintedName());

TEST_F(PlayerSends, AFailingTickReportsOnceAndHaltsTheTimerWork) {
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

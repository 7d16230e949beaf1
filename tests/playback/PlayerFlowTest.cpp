// How the player moves through the song: timing, repeats, starting in the middle, tempo
// changes, Seek and the end of the song.
#include "PlayerFixture.h"
#include "ParamName.h"

namespace fretlo::test {
namespace {

constexpr int TicksPerBarAt120 = 250;  // 4096 units at 16.384 per tick

class PlayerFlow : public PlayerTest {
protected:
    // One note at the start of every bar, its key telling the bar (40 + bar).
    void MarkBars(int bars) {
        MakeSong(bars);
        for (int b = 0; b < bars; ++b) Fret(0, b * 16, 0, b);
    }
    std::vector<int> BarsPlayed() {
        std::vector<int> bars;
        for (const TMidiEvent& e : Kind(0x90)) bars.push_back(e.Data1 - 40);
        return bars;
    }
};

TEST_F(PlayerFlow, StartingAtTheEndEndsAtOnce) {
    MarkBars(2);
    Play(doc.SongLength());
    EXPECT_EQ(events.Ends, 1);
    EXPECT_TRUE(Kind(0x90).empty());
}

struct TRepeatCase {
    const char* Name;
    std::vector<int> StartBars;             // bars with RepeatStart
    std::vector<std::pair<int, int>> Ends;  // (bar, count) with RepeatEnd
    bool IgnoreRepeats;
    std::vector<int> Played;
};

void PrintTo(const TRepeatCase& c, std::ostream* os) { *os << c.Name; }

class PlayerRepeats : public PlayerFlow, public ::testing::WithParamInterface<TRepeatCase> {};

TEST_P(PlayerRepeats, PlayBarsInOrder) {
    const TRepeatCase& c = GetParam();
    MarkBars(5);
    for (int b : c.StartBars) doc.Bar(b).RepeatStart = 1;
    for (auto [b, count] : c.Ends) {
        doc.Bar(b).RepeatEnd = 1;
        doc.Bar(b).RepeatCount = count;
    }
    settings.IgnoreRepeats = c.IgnoreRepeats;
    Play();
    PlayToEnd();
    EXPECT_EQ(BarsPlayed(), c.Played);
    // Jumps keep the overshoot: every bar still starts on its exact tick.
    std::vector<int> expectedTicks;
    for (size_t i = 0; i < c.Played.size(); ++i) expectedTicks.push_back(int(i) * TicksPerBarAt120);
    EXPECT_EQ(NoteOnTicks(), expectedTicks);
    EXPECT_EQ(tick, int(c.Played.size()) * TicksPerBarAt120);
    const int32_t position = player->Position();
    Ticks(10);  // an ended song neither advances nor ends again
    EXPECT_EQ(events.Ends, 1);
    EXPECT_EQ(player->Position(), position);
}

INSTANTIATE_TEST_SUITE_P(
    Sections, PlayerRepeats,
    ::testing::Values(
        TRepeatCase{"CountOnePlaysTwice", {}, {{1, 1}}, false, {0, 1, 0, 1, 2, 3, 4}},
        TRepeatCase{"CountTwoPlaysThrice", {1}, {{2, 2}}, false, {0, 1, 2, 1, 2, 1, 2, 3, 4}},
        TRepeatCase{"IgnoreRepeatsPlaysOnce", {}, {{1, 1}}, true, {0, 1, 2, 3, 4}},
        TRepeatCase{"SectionAfterAClosedOne", {1}, {{2, 1}, {3, 1}}, false, {0, 1, 2, 1, 2, 3, 3, 4}},
        TRepeatCase{"NestedStartsCloseOnDifferentBars", {0, 1}, {{1, 1}, {3, 2}}, false,
                    {0, 1, 1, 2, 3, 2, 3, 2, 3, 4}},
        TRepeatCase{"ZeroCountDoesNotLoop", {}, {{1, 0}}, false, {0, 1, 2, 3, 4}}),
    PrintedName());

TEST_F(PlayerFlow, StartInTheMiddleUsesTheTempoAndInstrumentBeforeIt) {
    MakeSong(3);
    SetProp(Space(0, 2), pkTempo, 240);
    SetProp(Space(0, 3), pkInstrument, 40 | InstrumentHasBank | (5 << 8));
    SetProp(Space(0, 5), pkVolume, 70);
    SetProp(Space(0, 6), pkPitchBend, uint16_t(-1200));
    Fret(0, 16, 0, 0);
    Fret(0, 20, 0, 0);
    settings.SendBankSelects = true;
    Play(doc.Bar(1).Start);
    Ticks(40);
    EXPECT_EQ(rec.Events[0], Cc(0, 0, 0, 5));
    EXPECT_EQ(rec.Events[1], Program(0, 0, 40));
    EXPECT_EQ(rec.Events[10], (TMidiEvent{0, 0xE0, 0x00, 0x20}));  // -1200 cents: 4096
    EXPECT_EQ(Kind(0x90), (std::vector<TMidiEvent>{On(0, 0, 40, 70), On(32, 0, 40, 70)}));
}

class PlayerTempoTies : public PlayerFlow, public ::testing::WithParamInterface<bool> {};

// Two tracks change the tempo at the same time: the later track's wins, both when the
// changes are played and when they lie before the start.
TEST_P(PlayerTempoTies, TheLaterTrackWins) {
    const bool startAfter = GetParam();
    MakeSong(2, 2);
    SetProp(Space(1, 4), pkTempo, 240);
    SetProp(Space(0, 4), pkTempo, 60);
    Fret(0, 8, 0, 0);
    Fret(0, 12, 0, 0);
    Play(startAfter ? 2048 : 0);
    Ticks(startAfter ? 40 : 200);
    const std::vector<int> on = NoteOnTicks();
    ASSERT_EQ(on.size(), 2u);
    // 1024 units at 240 take 31.25 ticks (at 60 they would take 125).
    EXPECT_NEAR(on[1] - on[0], startAfter ? 32 : 31.25, startAfter ? 0 : 1);
}

INSTANTIATE_TEST_SUITE_P(Start, PlayerTempoTies, ::testing::Bool(), [](const auto& info) {
    return info.param ? "AfterTheChanges" : "BeforeTheChanges";
});

TEST_F(PlayerFlow, SeekWhilePlayingContinuesFromTheNewTime) {
    MarkBars(4);
    Play();
    Ticks(10);
    player->Seek(doc.Bar(2).Start);
    Ticks(1);
    EXPECT_EQ(BarsPlayed(), (std::vector<int>{0, 2}));
    EXPECT_EQ(NoteOnTicks().back(), 11);
    PlayToEnd();
    EXPECT_EQ(BarsPlayed(), (std::vector<int>{0, 2, 3}));
}

TEST_F(PlayerFlow, SeekInsideARunningRepeatKeepsItsCount) {
    MarkBars(3);
    doc.Bar(1).RepeatEnd = 1;
    doc.Bar(1).RepeatCount = 1;
    Play();
    Ticks(2 * TicksPerBarAt120 + 10);  // into the second pass of bar 0
    player->Seek(0);
    PlayToEnd();
    // The second pass was the last one, so the repeat sign is not taken again.
    EXPECT_EQ(BarsPlayed(), (std::vector<int>{0, 1, 0, 0, 1, 2}));
}

TEST_F(PlayerFlow, SeekPastARepeatForgetsIt) {
    MarkBars(4);
    doc.Bar(2).RepeatEnd = 1;
    doc.Bar(2).RepeatCount = 1;
    doc.Bar(3).RepeatEnd = 1;
    doc.Bar(3).RepeatCount = 1;
    Play();
    Ticks(3 * TicksPerBarAt120 + 10);  // the second pass of bar 0, repeat of bar 2 running
    player->Seek(doc.Bar(3).Start);
    PlayToEnd();
    EXPECT_EQ(BarsPlayed(), (std::vector<int>{0, 1, 2, 0, 3, 3}));
}

TEST_F(PlayerFlow, PositionIsPostedOnlyWhileNoneIsPending) {
    MarkBars(1);
    Play();
    EXPECT_EQ(events.Positions, 1);
    Ticks(40);  // spaces at 256 and 512 are played, the view has not handled the message
    EXPECT_EQ(events.Positions, 1);
    EXPECT_EQ(player->Position(), 512);
    events.PositionPending.store(0);
    Ticks(10);
    EXPECT_EQ(events.Positions, 2);
    EXPECT_EQ(player->Position(), 768);
}

}  // namespace
}  // namespace fretlo::test

// The practice tools, tick by tick: speed, loop passes, the trainer and the count-in.
#include <numeric>
#include <set>
#include <utility>

#include "ParamName.h"
#include "PlayerFixture.h"

namespace fretlo::test {
namespace {

// The tick at which song time `units` after the start is due at a constant tempo and speed:
// the first n with n x tempo x 2048 x speed / (15000 x 100) >= units.
int ExactTick(int64_t units, int tempo, int speed) {
    const int64_t perTick = int64_t{tempo} * 2048 * speed;
    return static_cast<int>((units * 1500000 + perTick - 1) / perTick);
}

class PlayerPractice : public PlayerTest {
protected:
    void Practise(int32_t start = 0) {
        Open();
        player->SetPractice(practice);
        Play(start);
    }
    TPractice practice;
};

class PlayerSpeed : public PlayerPractice, public ::testing::WithParamInterface<int> {};

// Every note at its time at 100 % x 100 / P, also past a tempo change.
TEST_P(PlayerSpeed, EveryEventComesAtItsTimeScaledWithinOneTick) {
    const int speed = GetParam();
    MakeSong(2);
    for (int i = 0; i < 32; i += 3) Fret(0, i, 0, i % 12);
    SetProp(Space(0, 16), pkTempo, 77);
    practice.Speed = speed;
    Practise();
    PlayToEnd();
    const std::vector<int> ticks = NoteOnTicks();
    ASSERT_EQ(ticks.size(), 11u);
    for (size_t n = 0; n < ticks.size(); ++n) {
        const double units = double(n) * 3 * UnitsPerSpace;
        const double at100 = units <= 4096 ? units / 16.384 : 250 + (units - 4096) * 120 / 77 / 16.384;
        const double exact = at100 * 100 / speed;
        EXPECT_GE(ticks[n], exact - 1e-9) << "note " << n;
        EXPECT_LT(ticks[n], exact + 1) << "note " << n;
    }
}

INSTANTIATE_TEST_SUITE_P(Percent, PlayerSpeed, ::testing::Values(25, 50, 75, 100, 133, 199, 200));

TEST_F(PlayerPractice, ASpeedChangedWhilePlayingTakesEffectAtOnce) {
    MakeSong(3);
    Fret(0, 32, 0, 0);
    Practise();
    Ticks(100);  // with tick 0, 101 x 16.384 units; the remaining 6537.216 take 798 ticks at 50 %
    player->SetSpeed(50);
    Ticks(800);
    EXPECT_EQ(NoteOnTicks(), (std::vector<int>{899}));
    EXPECT_EQ(player->PracticeState().Speed, 50);
}

// Effects before and inside the loop, a chord ringing over its end, a muted string and the
// metronome, at half speed: from the second pass on, every pass sends what the first sent,
// after releasing what still sounds.
TEST_F(PlayerPractice, EveryPassSoundsLikeTheFirstWithNoNoteHanging) {
    MakeSong(4, 2);
    doc.Tempo = 90;
    settings.MetronomeOn = true;
    SetProp(Space(1, 0), pkTempo, 120);
    SetProp(Space(0, 1), pkInstrument, 30);
    SetProp(Space(0, 1), pkVolume, 80);
    SetProp(Space(0, 1), pkPan, 20);
    SetProp(Space(0, 1), pkPitchBend, 600);
    Space(0, 16).Notes[2] = NoteMuted;  // the open string while no fret was played on it
    Fret(0, 20, 1, 3);
    Fret(1, 18, 0, 7);
    SetProp(Space(0, 32), pkTempo, 240);
    SetProp(Space(0, 32), pkInstrument, 50 | InstrumentNoRing);
    SetProp(Space(0, 32), pkVolume, 60);
    SetProp(Space(0, 32), pkPan, 100);
    SetProp(Space(0, 32), pkStrokeUp, 0);
    Fret(0, 36, 2, 5);
    for (int s = 0; s < 6; ++s) Fret(1, 46, s, 2);  // rings over the loop's end
    // Bar 1 at tempo 120 and bar 2 at 240, at 50 %: 500 + 250 ticks a pass.
    constexpr int PassTicks = 750;
    practice = {.Loop = true, .LoopStart = 4096, .LoopEnd = 3 * 4096, .Passes = 50, .Speed = 50, .Trainer = {}};
    Practise(4096);
    PlayToEnd();
    ASSERT_EQ(tick, 50 * PassTicks);
    EXPECT_EQ(rec.Events[0], Program(0, 0, 30));  // the set-up carries the effects before the loop

    auto inPass = [&](int pass) {
        std::vector<TMidiEvent> out;
        for (const TMidiEvent& e : rec.Events)
            if (e.Tick / PassTicks == pass && !(pass == 49 && e.Tick == 50 * PassTicks))
                out.push_back({e.Tick - pass * PassTicks, e.Status, e.Data1, e.Data2});
        return out;
    };
    const std::vector<TMidiEvent> first = inPass(0);
    std::set<std::pair<int, int>> sounding;
    size_t next = 0;
    auto replayUntil = [&](size_t end) {
        for (; next < end; ++next) {
            const TMidiEvent& e = rec.Events[next];
            if ((e.Status & 0xF0) == 0x90) sounding.insert({e.Status & 0x0F, e.Data1});
            if ((e.Status & 0xF0) == 0x80) sounding.erase({e.Status & 0x0F, e.Data1});
        }
    };
    size_t passStart = first.size();
    for (int pass = 1; pass < 50; ++pass) {
        std::vector<TMidiEvent> messages = inPass(pass);
        size_t released = 0;
        while (released < messages.size() && (messages[released].Status & 0xF0) == 0x80) ++released;
        replayUntil(passStart + released);
        EXPECT_TRUE(sounding.empty()) << "notes still sound when pass " << pass << " starts";
        EXPECT_EQ(std::vector<TMidiEvent>(messages.begin() + long(released), messages.end()), first)
            << "pass " << pass;
        passStart += messages.size();
    }
}

// Without a count of passes the loop goes round until the player is stopped.
TEST_F(PlayerPractice, ALoopWithoutAPassCountPlaysOn) {
    MakeSong(3);
    Fret(0, 16, 0, 0);
    practice = {.Loop = true, .LoopStart = 4096, .LoopEnd = 2 * 4096, .Passes = 0, .Speed = 100, .Trainer = {}};
    Practise();
    Ticks(10 * 250 + 10);  // a one-bar pass at tempo 120 takes 250 ticks
    EXPECT_EQ(events.Ends, 0);
    EXPECT_EQ(player->PracticeState().Pass, 10);
    EXPECT_EQ(NoteOnTicks().size(), 11u);
}

// Each pass lasts the loop's length at its own speed, exactly: a one-bar pass at tempo 120
// takes 25000 / P ticks, and pass k starts at the sum of those before it, rounded up. A start
// before the loop starts at its start, and the notes outside the loop never sound.
TEST_F(PlayerPractice, TheTrainerPlaysEachPassAtItsSpeed) {
    MakeSong(3);
    for (int bar = 0; bar < 3; ++bar) Fret(0, bar * 16, 0, 0);
    practice = {.Loop = true, .LoopStart = 4096, .LoopEnd = 2 * 4096, .Passes = 24, .Speed = 100,
                .Trainer = TSpeedTrainer{50, 5, 1, 150}};
    Practise();
    std::vector<std::pair<int, int>> seen{{0, 50}}, expectedSeen{{0, 50}};
    while (events.Ends == 0 && tick < 10000) {
        Ticks(1);
        const TPracticeState state = player->PracticeState();
        if (state.Pass != seen.back().first) seen.emplace_back(state.Pass, state.Speed);
    }
    std::vector<int> starts;
    int64_t num = 0, den = 1;  // ticks since the start, as an exact fraction in lowest terms
    for (int pass = 0; pass <= 24; ++pass) {
        starts.push_back(static_cast<int>((num + den - 1) / den));
        const int speed = std::min(50 + 5 * pass, 150);
        if (pass > 0 && pass < 24) expectedSeen.emplace_back(pass, speed);
        num = num * speed + 25000 * den;
        den *= speed;
        const int64_t common = std::gcd(num, den);
        num /= common;
        den /= common;
    }
    EXPECT_EQ(seen, expectedSeen);
    EXPECT_EQ(tick, starts.back());
    starts.pop_back();
    EXPECT_EQ(NoteOnTicks(), starts);
}

struct TCountInCase {
    const char* Name;
    int BarSpaces;
    int Speed;
    bool Accent;
    int StartBar;
};

[[maybe_unused]] void PrintTo(const TCountInCase& c, std::ostream* os) { *os << c.Name; }

class PlayerCountIn : public PlayerPractice, public ::testing::WithParamInterface<TCountInCase> {};

TEST_P(PlayerCountIn, GivesOneBarOfClicksBeforeTheFirstNote) {
    const TCountInCase& c = GetParam();
    MakeSong(2, 1, c.BarSpaces);
    Fret(0, c.StartBar * c.BarSpaces, 0, 0);
    settings.MetronomeAccent = c.Accent;
    practice.CountIn = true;
    practice.Speed = c.Speed;
    Practise(doc.Bar(c.StartBar).Start);
    const int bar = c.BarSpaces * UnitsPerSpace;
    const int noteTick = ExactTick(bar, 120, c.Speed);
    Ticks(noteTick);
    std::vector<TMidiEvent> expected;
    for (int beat = 0; beat * UnitsPerBeat < bar; ++beat) {
        const int at = ExactTick(beat * UnitsPerBeat, 120, c.Speed);
        if (beat > 0) expected.push_back(Off(at, 9, 37));
        expected.push_back(On(at, 9, 37, beat == 0 && c.Accent ? 127 : 96));
    }
    expected.push_back(Off(noteTick, 9, 37));
    expected.push_back(On(noteTick, 0, 40, 96));
    EXPECT_EQ(Notes(), expected);
    EXPECT_FALSE(player->PracticeState().CountingIn);
}

INSTANTIATE_TEST_SUITE_P(Bars, PlayerCountIn,
                         ::testing::Values(TCountInCase{"FourBeats", 16, 100, true, 0},
                                           TCountInCase{"TwoAndAHalfBeatsWithoutAccent", 10, 100, false, 0},
                                           TCountInCase{"FromTheSecondBarAt133", 16, 133, true, 1}),
                         PrintedName());

}  // namespace
}  // namespace fretlo::test

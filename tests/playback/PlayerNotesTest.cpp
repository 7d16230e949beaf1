// Which notes sound and stop, space by space: let ring, shared pitches, muted strings,
// strokes, velocities and channels.
#include "PlayerFixture.h"

namespace fretlo::test {
namespace {

constexpr int Beat2 = 63;  // the tick of song time 1024 at tempo 120
constexpr int Beat3 = 125;

class PlayerNotes : public PlayerTest {
protected:
    void SetUp() override { MakeSong(1); }
    // The note messages of the first beats, before Stop releases what still sounds.
    std::vector<TMidiEvent> NotesUntil(int lastTick) {
        Play();
        Ticks(lastTick);
        return Notes();
    }
};

TEST_F(PlayerNotes, LetRingKeepsOtherStringsOfAChordSounding) {
    for (int s : {0, 1, 2}) Fret(0, 0, s, 0);
    Fret(0, 4, 0, 2);
    EXPECT_EQ(NotesUntil(Beat2),
              (std::vector<TMidiEvent>{On(0, 0, 40, 96), On(0, 0, 45, 96), On(0, 0, 50, 96),
                                       Off(Beat2, 0, 40), On(Beat2, 0, 42, 96)}));
}

TEST_F(PlayerNotes, WithoutLetRingEveryNewNoteSilencesTheTrack) {
    doc.Track(0).LetRing = false;
    for (int s : {0, 1, 2}) Fret(0, 0, s, 0);
    Fret(0, 4, 0, 2);
    EXPECT_EQ(NotesUntil(Beat2), (std::vector<TMidiEvent>{
                                     On(0, 0, 40, 96), On(0, 0, 45, 96), On(0, 0, 50, 96), Off(Beat2, 0, 40),
                                     Off(Beat2, 0, 45), Off(Beat2, 0, 50), On(Beat2, 0, 42, 96)}));
}

TEST_F(PlayerNotes, InstrumentEffectSwitchesLetRingOffBeforeItsOwnSpaceIsReleased) {
    for (int s : {0, 1}) Fret(0, 0, s, 0);
    Fret(0, 4, 0, 2);
    SetProp(Space(0, 4), pkInstrument, 30 | InstrumentNoRing);
    Play();
    Ticks(Beat2);
    const std::vector<TMidiEvent> beat2(rec.Events.end() - 4, rec.Events.end());
    EXPECT_EQ(beat2, (std::vector<TMidiEvent>{Off(Beat2, 0, 40), Off(Beat2, 0, 45), Program(Beat2, 0, 30),
                                              On(Beat2, 0, 42, 96)}));
}

TEST_F(PlayerNotes, OnePitchSoundsOnOneStringAtATime) {
    Fret(0, 0, 0, 5);           // 45 on the low E string
    Fret(0, 4, 1, 0);           // the same 45 on the open A string
    Space(0, 8).Notes[0] = 17;  // muted hit of fret 5: 45 already sounds, so it is skipped
    EXPECT_EQ(NotesUntil(Beat3),
              (std::vector<TMidiEvent>{On(0, 0, 45, 96), Off(Beat2, 0, 45), On(Beat2, 0, 45, 96)}));
}

TEST_F(PlayerNotes, MutedStringBeforeAnyFretHitsTheOpenStringForTwoTicks) {
    Space(0, 0).Notes[0] = NoteMuted;
    EXPECT_EQ(NotesUntil(10), (std::vector<TMidiEvent>{On(0, 0, 40, 96), Off(2, 0, 40)}));
}

TEST_F(PlayerNotes, MutedStringAfterAFretHitsThatFret) {
    Fret(0, 0, 0, 3);
    Space(0, 4).Notes[0] = NoteMuted;
    EXPECT_EQ(NotesUntil(Beat2 + 5), (std::vector<TMidiEvent>{On(0, 0, 43, 96), Off(Beat2, 0, 43),
                                                              On(Beat2, 0, 43, 96), Off(Beat2 + 2, 0, 43)}));
}

TEST_F(PlayerNotes, StopStringEndsItsNote) {
    Fret(0, 0, 2, 0);
    Space(0, 4).Notes[2] = NoteStop;
    EXPECT_EQ(NotesUntil(Beat3), (std::vector<TMidiEvent>{On(0, 0, 50, 96), Off(Beat2, 0, 50)}));
}

TEST_F(PlayerNotes, StrokeDirectionOrdersTheStringsWithinOneTick) {
    for (int s = 0; s < 6; ++s) {
        Fret(0, 0, s, 0);
        Fret(0, 4, s, 0);
    }
    SetProp(Space(0, 0), pkStrokeUp, 0);
    SetProp(Space(0, 4), pkStrokeDown, 0);
    const std::vector<TMidiEvent> notes = NotesUntil(Beat2);
    std::vector<TMidiEvent> expected;
    const int keys[] = {40, 45, 50, 55, 59, 64};
    for (int s = 5; s >= 0; --s) expected.push_back(On(0, 0, keys[s], 96));
    // The release still runs in the old (upward) order, the new chord strikes downward.
    for (int s = 5; s >= 0; --s) expected.push_back(Off(Beat2, 0, keys[s]));
    for (int s = 0; s < 6; ++s) expected.push_back(On(Beat2, 0, keys[s], 96));
    EXPECT_EQ(notes, expected);
}

TEST_F(PlayerNotes, SoftHammerAndPullSoundAt85Percent) {
    const uint8_t effects[] = {'(', 'h', 'p', 0, '~'};
    for (int s = 0; s < 5; ++s) {
        Fret(0, 0, s, 0);
        Space(0, 0).Effects[s] = effects[s];
    }
    SetProp(Space(0, 4), pkVolume, 50);
    Fret(0, 4, 0, 1);
    Space(0, 4).Effects[0] = 'h';
    std::vector<int> velocities;
    Play();
    Ticks(Beat2);
    for (const TMidiEvent& e : Kind(0x90)) velocities.push_back(e.Data2);
    EXPECT_EQ(velocities, (std::vector<int>{81, 81, 81, 96, 96, 42}));
}

TEST_F(PlayerNotes, TransposeAndTuningMoveTheKey) {
    doc.Track(0).Transpose = -2;
    doc.Track(0).Tuning[0] = -2;  // dropped D
    Fret(0, 0, 0, 0);
    Fret(0, 0, 5, 99);  // 64 - 2 + 99 = 161: outside MIDI, skipped
    EXPECT_EQ(NotesUntil(5), (std::vector<TMidiEvent>{On(0, 0, 36, 96)}));
}

TEST_F(PlayerNotes, PreviewSoundsOneSpaceWithoutTimerOrMutedHits) {
    Fret(0, 4, 1, 2);
    Space(0, 4).Notes[0] = NoteMuted;
    Fret(0, 8, 0, 7);
    Play(1024, true);
    EXPECT_FALSE(clock.Running());
    EXPECT_EQ(Notes(), (std::vector<TMidiEvent>{On(0, 0, 47, 96)}));
    player->Stop();
    EXPECT_EQ(rec.Events.back(), Off(0, 0, 47));  // no "all sound off" after a preview
}

class PlayerChannels : public PlayerTest {};

TEST_F(PlayerChannels, TheLaterOfTwoTracksFixedToOneChannelIsSilent) {
    MakeSong(1, 3);
    doc.Track(0).MidiChannel = 3;
    doc.Track(1).MidiChannel = 3;
    SetProp(Space(1, 0), pkInstrument, 40);
    for (int t = 0; t < 3; ++t) Fret(t, 0, 0, t);
    Play();
    EXPECT_EQ(Kind(0x90), (std::vector<TMidiEvent>{On(0, 3, 40, 96), On(0, 0, 42, 96)}));
    for (const TMidiEvent& e : Kind(0xC0)) EXPECT_NE(e.Data1, 40) << "a silent track sent its effect";
}

TEST_F(PlayerChannels, AutomaticTracksSkipFixedChannelsAndTheDrumChannel) {
    MakeSong(1, 11);
    doc.Track(0).MidiChannel = 0;
    for (int t = 0; t < 11; ++t) Fret(t, 0, 0, 0);
    Play();
    std::vector<int> channels;
    for (const TMidiEvent& e : Kind(0x90)) channels.push_back(e.Status & 0x0F);
    EXPECT_EQ(channels, (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 10, 11}));
}

TEST_F(PlayerChannels, OnlyThePlayRangeSoundsButOtherTracksStillSendEffects) {
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

}  // namespace
}  // namespace fretlo::test

// A track's settings: the track properties dialog's checks, its questions before deleting
// and what its OK writes; the track effects dialog's values for a space and what its OK writes.
#include <gtest/gtest.h>

#include "EditFixture.h"
#include "ParamName.h"
#include "edit/SpaceEdit.h"
#include "edit/TrackEffects.h"
#include "edit/TrackProperties.h"

namespace fretlo::test {
namespace {

class TrackPropertiesOps : public EditTest {
protected:
    TTrackData& Track() { return doc.Track(0); }
    TTrackPropsEntries Entries() { return TrackPropsEntries(Track()); }
};

struct TBadEntry {
    const char* Name;
    std::optional<long long> HighestNumber, TransposeSteps;
    int MidiChannel;
    TTrackPropsField Field;
    const char* Message;
};

void PrintTo(const TBadEntry& row, std::ostream* os) { *os << row.Name; }

class RefusedEntry : public TrackPropertiesOps, public testing::WithParamInterface<TBadEntry> {};

TEST_P(RefusedEntry, GetsItsMessageInTheOrderOfTheFields) {
    const TBadEntry& bad = GetParam();
    doc.Track(1).MidiChannel = 3;
    TTrackPropsEntries e = Entries();
    e.HighestNumber = bad.HighestNumber;
    e.TransposeSteps = bad.TransposeSteps;
    e.MidiChannel = bad.MidiChannel;
    const auto refusal = CheckTrackProperties(doc, 0, e);
    ASSERT_TRUE(refusal);
    EXPECT_EQ(refusal->Field, bad.Field);
    EXPECT_EQ(refusal->Text.substr(0, std::string(bad.Message).size()), bad.Message);
}

constexpr const char* NumberMsg = "Number must be between 24 and 99.";
constexpr const char* StepsMsg = "Half-steps must be between 0 and 24.";
INSTANTIATE_TEST_SUITE_P(
    Fields, RefusedEntry,
    testing::Values(
        TBadEntry{"Highest23", 23, 0, -1, TTrackPropsField::HighestNumber, NumberMsg},
        TBadEntry{"Highest100", 100, 0, -1, TTrackPropsField::HighestNumber, NumberMsg},
        TBadEntry{"HighestNotANumber", std::nullopt, 99, 3, TTrackPropsField::HighestNumber, NumberMsg},
        TBadEntry{"Transpose25", 24, 25, -1, TTrackPropsField::Transpose, StepsMsg},
        TBadEntry{"TransposeNegative", 99, -1, 3, TTrackPropsField::Transpose, StepsMsg},
        TBadEntry{"TransposeNotANumber", 99, std::nullopt, -1, TTrackPropsField::Transpose, StepsMsg},
        TBadEntry{"ChannelOfTrack2", 24, 0, 3, TTrackPropsField::MidiChannel,
                  "MIDI channel 4 is already being used by track 2. You must select another "
                  "channel, or change track 2's MIDI channel first.\n\nPlease note that you can't "
                  "create two drum tracks, since drum tracks are always on channel 10."}),
    PrintedName());

TEST_F(TrackPropertiesOps, AFixedChannelHeldOnlyByAutomaticAssignmentIsFree) {
    TTrackPropsEntries e = Entries();
    EXPECT_EQ(AutomaticChannel(doc, 1), 1);
    e.MidiChannel = 1;  // what track 2 gets automatically
    EXPECT_FALSE(CheckTrackProperties(doc, 0, e));
    e.MidiChannel = 9;
    doc.Track(0).MidiChannel = 9;  // the edited track itself is no conflict
    EXPECT_FALSE(CheckTrackProperties(doc, 0, e));
    // A new track is checked against every track of the song.
    const auto refusal = CheckTrackProperties(doc, doc.TrackCount(), e);
    ASSERT_TRUE(refusal);
    EXPECT_EQ(refusal->Caption, "Channel Conflict");
    // ... and would get the lowest channel automatic assignment leaves.
    EXPECT_EQ(AutomaticChannel(doc, doc.TrackCount()), 1);
}

TEST_F(TrackPropertiesOps, FewerStringsAskOnceOnlyWhenTheDroppedStringsHoldNotes) {
    Track().StringCount = 7;
    TTrackPropsEntries e = Entries();
    e.StringCount = 6;
    EXPECT_TRUE(TrackPropertiesQuestions(Track(), e).empty());
    Track().Space(3).Effects[6] = 'h';
    Track().Space(9).Notes[6] = NoteFretBase + 5;
    const auto questions = TrackPropertiesQuestions(Track(), e);
    ASSERT_EQ(questions.size(), 1u);
    EXPECT_TRUE(questions[0].starts_with("You have chosen to decrease the number of strings"));

    ApplyTrackProperties(doc, Track(), e);
    EXPECT_EQ(Track().StringCount, 6);
    EXPECT_EQ(Track().Space(9).Notes[6], NoteEmpty);
    EXPECT_EQ(Track().Space(3).Effects[6], 0);
}

TEST_F(TrackPropertiesOps, MoreStringsSilentlyClearTheNewSlots) {
    Track().StringCount = 4;
    Track().Space(0).Notes[3] = NoteFretBase + 1;
    Track().Space(0).Notes[4] = NoteFretBase + 2;  // left in a slot the track did not use
    Track().Space(5).Effects[5] = '~';
    TTrackPropsEntries e = Entries();
    e.StringCount = 6;
    EXPECT_TRUE(TrackPropertiesQuestions(Track(), e).empty());
    ApplyTrackProperties(doc, Track(), e);
    EXPECT_EQ(Track().Space(0).Notes[3], NoteFretBase + 1);
    EXPECT_EQ(Track().Space(0).Notes[4], NoteEmpty);
    EXPECT_EQ(Track().Space(5).Effects[5], 0);
}

TEST_F(TrackPropertiesOps, TextLinesSwitchedOffAskAndLoseTheirText) {
    Track().TopTextLine = Track().BottomTextLine = true;
    TTrackPropsEntries e = Entries();
    e.TopTextLine = e.BottomTextLine = false;
    EXPECT_TRUE(TrackPropertiesQuestions(Track(), e).empty());  // no text on them
    Track().Space(2).TopText = 'A';
    Track().Space(4).BottomText = 'B';
    const auto questions = TrackPropertiesQuestions(Track(), e);
    ASSERT_EQ(questions.size(), 2u);
    EXPECT_NE(questions[0].find("disable the top text line"), std::string::npos);
    EXPECT_NE(questions[1].find("disable the bottom text line"), std::string::npos);
    e.BottomTextLine = true;
    ApplyTrackProperties(doc, Track(), e);
    EXPECT_EQ(Track().Space(2).TopText, 0);
    EXPECT_EQ(Track().Space(4).BottomText, 'B');
    EXPECT_FALSE(Track().TopTextLine);
}

TEST_F(TrackPropertiesOps, EveryFieldIsWrittenAndTheJournalIsCleared) {
    doc.BeginGroup(ukChangesToSpace);
    doc.SaveSpaces(0, 0, 1);
    doc.EndGroup();
    TTrackPropsEntries e = Entries();
    e.StringCount = 5;
    e.Variant = 1;
    e.ShowNumbers = true;
    e.HighestNumber = 30;
    e.TransposeSteps = 12;
    e.TransposeDown = true;
    e.Keys = {67, 50, 55, 59, 62};
    e.Instrument = 105;
    e.Bank = -1;  // nothing chosen: the bank stays
    e.LetRing = false;
    e.Volume = 100;
    e.PitchBend = -2400;
    e.Modulation = 1;
    e.Pan = 2;
    e.Reverb = 3;
    e.Chorus = 4;
    e.MidiChannel = 15;
    e.TopTextLine = true;
    Track().Bank = 7;
    ApplyTrackProperties(doc, Track(), e);
    const TTrackData& t = Track();
    EXPECT_EQ(t.Transpose, -12);
    EXPECT_EQ(t.StringBaseKey(0), 67);
    EXPECT_EQ(t.StringBaseKey(4), 62);
    EXPECT_EQ(t.Tuning[0], 27);
    EXPECT_EQ(t.Bank, 7);
    EXPECT_EQ(std::tuple(t.StringCount, t.Variant, t.ShowNumbers, t.HighestNumber, t.Instrument, t.LetRing),
              std::tuple(5, 1, true, 30, 105, false));
    EXPECT_EQ(std::tuple(t.Volume, t.PitchBend, t.Modulation, t.Pan, t.Reverb, t.Chorus, t.MidiChannel),
              std::tuple(100, -2400, 1, 2, 3, 4, 15));
    EXPECT_TRUE(t.TopTextLine);
    EXPECT_TRUE(doc.Modified);
    EXPECT_TRUE(doc.Journal().Empty());

    // Reading back gives the magnitude and direction; 0 reads as "down".
    EXPECT_EQ(TrackPropsEntries(t).TransposeSteps, 12);
    e.TransposeSteps = 0;
    e.TransposeDown = false;
    ApplyTrackProperties(doc, Track(), e);
    EXPECT_TRUE(TrackPropsEntries(t).TransposeDown);
}

class TrackEffectsTest : public EditTest {
protected:
    // What OK gives when nothing in the dialog was touched.
    TTrackEffectChoice Unchanged(int space) const {
        const TTrackEffectsAt at = TrackEffectsAt(doc, 0, space);
        TTrackEffectChoice choice;
        for (const TPropKind kind : TrackEffectKinds)
            if (at.OnSpace[kind]) choice[kind] = at.Value[kind];
        return choice;
    }
};

TEST_F(TrackEffectsTest, ValuesInForceComeFromEarlierSpacesOrTheTrack) {
    doc.Tempo = 90;
    TTrackData& t = song.Track(0);
    t.Volume = 70;
    t.PitchBend = -300;
    t.LetRing = false;
    t.Instrument = 25;
    t.Bank = 3;
    SetProp(song.Space(0, 2), pkTempo, 60);
    SetProp(song.Space(0, 4), pkPan, 10);
    SetProp(song.Space(0, 5), pkVolume, 100);

    const TTrackEffectsAt at = TrackEffectsAt(doc, 0, 5);
    EXPECT_EQ(at.Value[pkTempo], 60);
    EXPECT_FALSE(at.OnSpace[pkTempo]);
    EXPECT_EQ(at.Value[pkVolume], 100);
    EXPECT_TRUE(at.OnSpace[pkVolume]);
    EXPECT_EQ(at.Value[pkPan], 10);
    EXPECT_EQ(static_cast<int16_t>(at.Value[pkPitchBend]), -300);
    EXPECT_EQ(at.Value[pkInstrument], 25 | InstrumentNoRing);
    EXPECT_EQ(at.Bank, 3);
    EXPECT_EQ(at.LatestKind, pkVolume);
    EXPECT_EQ(TrackEffectsAt(doc, 0, 1).Value[pkTempo], 90);
    EXPECT_EQ(TrackEffectsAt(doc, 0, 1).LatestKind, 0);
    // An instrument effect with a bank on the first space brings its bank along.
    SetProp(song.Space(0, 0), pkInstrument, InstrumentEffectValue(30, true, 9));
    EXPECT_EQ(TrackEffectsAt(doc, 0, 5).Bank, 9);
}

struct TLatest {
    const char* name;
    std::vector<std::pair<int, int>> effects;  // (space, kind)
    int kind;
};
FRETLO_PRINT_AS_NAME(TLatest)

class LatestEffectTest : public TrackEffectsTest, public ::testing::WithParamInterface<TLatest> {};

TEST_P(LatestEffectTest, IsTheNearestAndOnOneSpaceTheFirstLookedUp) {
    for (const auto& [space, kind] : GetParam().effects) SetProp(song.Space(0, space), kind, 0);
    EXPECT_EQ(TrackEffectsAt(doc, 0, 6).LatestKind, GetParam().kind);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, LatestEffectTest,
    ::testing::Values(TLatest{"nearer wins", {{1, pkTempo}, {3, pkChorus}}, pkChorus},
                      TLatest{"tempo before volume", {{3, pkVolume}, {3, pkTempo}}, pkTempo},
                      TLatest{
                          "pan before reverb and chorus", {{2, pkChorus}, {2, pkReverb}, {2, pkPan}}, pkPan},
                      TLatest{"later spaces do not count", {{2, pkReverb}, {7, pkTempo}}, pkReverb}),
    PrintedName());

TEST_F(TrackEffectsTest, TheBankIsTheLatestInstrumentEffectThatSelectsOne) {
    song.Track(0).Bank = 9;
    SetProp(song.Space(0, 1), pkInstrument, InstrumentEffectValue(5, true, 4));
    SetProp(song.Space(0, 3), pkInstrument, InstrumentEffectValue(6, true, std::nullopt));
    EXPECT_EQ(TrackEffectsAt(doc, 0, 0).Bank, 9);
    const TTrackEffectsAt at = TrackEffectsAt(doc, 0, 3);
    EXPECT_EQ(at.Bank, 4);
    EXPECT_EQ(at.Value[pkInstrument], 6);
    EXPECT_FALSE(at.BankOnSpace());
    EXPECT_TRUE(TrackEffectsAt(doc, 0, 1).BankOnSpace());
}

TEST_F(TrackEffectsTest, OkWithoutChangesWritesNothing) {
    SetProp(song.Space(0, 2), pkTempo, 60);
    SetProp(song.Space(0, 3), pkPan, 10);
    SetProp(song.Space(0, 3), pkStrokeDown, 0);
    const std::vector<uint8_t> before = Snapshot(doc);
    for (const int space : {3, 4}) {
        host.cursor = {0, space, 0};
        EXPECT_FALSE(ApplyTrackEffects(doc, Unchanged(space)));
    }
    EXPECT_EQ(Snapshot(doc), before);
    EXPECT_TRUE(doc.Journal().Empty());
    EXPECT_FALSE(doc.Modified);
}

TEST_F(TrackEffectsTest, UncheckedKindsGoCheckedOnesAreSetAndOneUndoTakesBoth) {
    SetProp(song.Space(0, 3), pkPan, 10);
    SetProp(song.Space(0, 3), pkChorus, 20);
    host.cursor = {0, 3, 1};
    const std::vector<uint8_t> before = Snapshot(doc);
    TypeFretDigit(doc, 5);  // an edit of the same space just before
    TTrackEffectChoice choice = Unchanged(3);
    choice[pkPan].reset();
    choice[pkTempo] = 200;
    choice[pkPitchBend] = static_cast<uint16_t>(-2400);
    EXPECT_TRUE(ApplyTrackEffects(doc, choice));

    const TSpace& s = song.Space(0, 3);
    EXPECT_EQ(FindProp(s, pkPan), nullptr);
    EXPECT_EQ(FindProp(s, pkChorus)->Value(), 20);
    EXPECT_EQ(FindProp(s, pkTempo)->Value(), 200);
    EXPECT_EQ(FindProp(s, pkPitchBend)->SignedValue(), -2400);
    EXPECT_EQ(PropCount(s), 3);
    ExpectUndoneTo(doc, before, "&Undo Changes to Space");
}

}  // namespace
}  // namespace fretlo::test

// What the track effects dialog shows for a space and what its OK writes there.
#include <gtest/gtest.h>

#include "ParamName.h"

#include "EditFixture.h"
#include "edit/SpaceEdit.h"
#include "edit/TrackEffects.h"
#include "edit/UndoReplay.h"

namespace fretlo::test {
namespace {

class TrackEffectsTest : public ::testing::Test {
protected:
    TEditSong song{4, {6}, 8};
    TEditDocument& doc = song.doc;
    TFakeHost& host = song.host;

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
                      TLatest{"stroke before pitch bend", {{3, pkPitchBend}, {3, pkStrokeUp}}, pkStrokeUp},
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
    Undo(doc);
    EXPECT_EQ(Snapshot(doc), before);
    EXPECT_TRUE(doc.Journal().Empty());
}

}  // namespace
}  // namespace fretlo::test

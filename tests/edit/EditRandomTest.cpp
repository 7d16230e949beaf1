// Long random sequences of edits on songs with several tracks and ratio regions, undone
// step by step: after every undo the song must be byte for byte what it was before the
// step, and the cursor where the step began.
#include <gtest/gtest.h>

#include "ParamName.h"

#include <cstdlib>
#include <random>

#include "EditFixture.h"
#include "base/Errors.h"
#include "edit/AltTimeRegion.h"
#include "edit/BarCommands.h"
#include "edit/BarEdit.h"
#include "edit/ClipboardOps.h"
#include "edit/Shift.h"
#include "edit/SpaceEdit.h"
#include "edit/TrackEffects.h"
#include "edit/UndoReplay.h"

namespace fretlo::test {
namespace {

class TRandomEditor {
public:
    explicit TRandomEditor(unsigned seed) : rng_(seed) {
        song.Track(1).TopTextLine = true;
        song.Track(2).BottomTextLine = true;
        song.Track(3).TopTextLine = song.Track(3).BottomTextLine = true;
        song.MakeRegion(1, 8, 3, 2, 3);   // a triplet against eighths on track 0
        song.MakeRegion(2, 16, 4, 1, 2);  // double speed
        song.MakeRegion(3, 40, 6, 2, 3);  // two triplets
        song.MakeRegion(0, 60, 5, 4, 5);  // a quintuplet
    }

    TEditSong song{4, {6, 4, 7, 5}, 40};
    TEditDocument& doc = song.doc;
    TFakeHost& host = song.host;

    int Pick(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng_); }

    void PlaceCursor() {
        host.selection = {};
        host.cursor.Track = Pick(0, doc.TrackCount() - 1);
        host.cursor.Space = PickSpace(host.cursor.Track);
        host.cursor.String = Pick(0, doc.Track(host.cursor.Track).StringCount - 1);
    }

    // One random command; returns a short name for failure reports.
    std::string Edit() {
        PlaceCursor();
        const TTrackData& t = doc.Track(host.cursor.Track);
        const int kind = Pick(0, 21);
        if ((kind >= 14 && kind <= 16) || kind == 21 || (kind == 20 && Pick(0, 1))) SelectRandomly();
        switch (kind) {
        case 0:
            TypeFretDigit(doc, Pick(0, 9));
            TypeFretDigit(doc, Pick(0, 9));
            return "digits";
        case 1: SetCursorNote(doc, Pick(0, 1) ? NoteMuted : NoteStop); return "mute/stop";
        case 2: SetCursorEffect(doc, EffectForKey("HPBRSTW/\\^~(<{"[Pick(0, 13)])); return "effect";
        case 3: ClearCursorCell(doc); return "clear cell";
        case 4:
            if (t.TopTextLine || t.BottomTextLine) {
                host.cursor.String = t.TopTextLine ? -1 : -2;
                SetCursorText(doc, static_cast<uint8_t>(Pick(32, 126)));
            }
            return "text";
        case 5: SetStroke(doc, Pick(0, 1)); return "stroke";
        case 6: ApplyTrackEffects(doc, RandomEffects()); return "track effects";
        case 7: MoveCursorNote(doc, Pick(0, 1) ? 1 : -1); return "move note";
        case 8: ToggleBarLine(doc); return "bar line";
        case 9: ToggleRepeatOpen(doc); return "repeat open";
        case 10: ToggleStaffBreak(doc); return "staff break";
        case 11:
            host.answer = std::to_string(Pick(0, 300));
            EditRepeatClose(doc);
            return "repeat close";
        case 12: ShiftRight(doc, ShiftModeForKeys(Pick(0, 1), Pick(0, 1))); return "shift right";
        case 13: ShiftLeft(doc, ShiftModeForKeys(Pick(0, 1), Pick(0, 1))); return "shift left";
        case 14: ClearSelection(doc); return "clear";
        case 15: CutSelection(doc); return "cut";
        case 16: ClearTrackEffects(doc); return "clear track effects";
        case 17:
            GoToCursorBarStart(doc);
            RecreateBarLines(doc, Pick(0, 3) ? Pick(4, 67) : 0);
            return "recreate bar lines";
        case 18:
            if (doc.SongLength() < 400 * UnitsPerSpace) AddBars(doc, Pick(1, 3), Pick(4, 20));
            return "add bars";
        case 19: RemoveUnusedBars(doc); return "remove unused bars";
        case 20: return AltTimeRegion();
        default:
            CopySelection(doc);
            PlaceCursor();
            Paste(doc);
            return "copy and paste";
        }
    }

    // A few kinds of the dialog checked with random values, the rest unchecked.
    TTrackEffectChoice RandomEffects() {
        TTrackEffectChoice choice;
        for (const TPropKind kind : TrackEffectKinds)
            if (Pick(0, 3) == 0) choice[kind] = static_cast<uint16_t>(Pick(0, 127));
        return choice;
    }

    // Creates a region of a random ratio from the selection, or removes the one at the cursor.
    std::string AltTimeRegion() {
        const TAltTimeRequest request = FindAltTimeRequest(doc);
        if (const auto* create = std::get_if<TRegionToCreate>(&request)) {
            const int num = Pick(1, std::min(create->Count, 15));
            if (create->Count % num) return "no region";
            CreateAltTimeRegion(doc, *create, num, Pick(num + 1, 16));
            return "create region";
        }
        if (const auto* remove = std::get_if<TRegionToRemove>(&request)) {
            RemoveAltTimeRegion(doc, *remove, Pick(0, 1));
            return "remove region";
        }
        return "no region";
    }

    // A space of the track, often one where a tuplet region begins or ends.
    int PickSpace(int track) {
        const TTrackData& t = doc.Track(track);
        std::vector<int> edges;
        for (int i = 1; i < t.SpaceCount(); ++i)
            if (t.Space(i).RatioDen != t.Space(i - 1).RatioDen) edges.push_back(i);
        if (edges.empty() || Pick(0, 1)) return Pick(0, t.SpaceCount() - 1);
        return edges[static_cast<size_t>(Pick(0, static_cast<int>(edges.size()) - 1))] - Pick(0, 1);
    }

    void SelectRandomly() {
        const TEditCursor c = host.cursor;
        const int from = PickSpace(c.Track);
        const int to = std::min(doc.Track(c.Track).SpaceCount(), from + Pick(1, 12));
        host.Select(c.Track, from, to, Pick(0, 2) == 0);
    }

private:
    std::mt19937 rng_;
};

// What undoing the newest step must bring back.
struct TSavedStep {
    std::vector<uint8_t> song;
    TEditCursor cursor;
    std::string edit;
};

void CheckModelInvariants(TCustomTabDoc& doc) {
    for (int b = 0; b < doc.BarCount(); ++b) {
        const TBar& bar = doc.Bar(b);
        ASSERT_EQ(bar.Start, b == 0 ? 0 : doc.Bar(b - 1).End);
        ASSERT_GE(bar.End - bar.Start, UnitsPerSpace);
        ASSERT_EQ(bar.Start % UnitsPerSpace, 0);
    }
    for (int tr = 0; tr < doc.TrackCount(); ++tr) {
        TTrackData& t = doc.Track(tr);
        ASSERT_GE(t.SpaceCount(), 1);
        for (int i = 0; i < t.SpaceCount(); ++i)
            ASSERT_TRUE(IsValidRatio(t.Space(i).RatioNum, t.Space(i).RatioDen));
    }
}

void UndoAndCompare(TEditDocument& doc, TFakeHost& host, std::vector<TSavedStep>& steps) {
    const TSavedStep expected = std::move(steps.back());
    steps.pop_back();
    host.cursor = {0, 0, 0};
    Undo(doc);
    ASSERT_TRUE(host.messages.empty()) << host.LastMessage();
    ASSERT_EQ(Snapshot(doc), expected.song)
        << "undo of " << expected.edit << " with " << steps.size() << " left";
    EXPECT_EQ(host.cursor.Track, expected.cursor.Track) << expected.edit;
    EXPECT_EQ(host.cursor.Space, expected.cursor.Space) << expected.edit;
    EXPECT_EQ(host.cursor.String, expected.cursor.String) << expected.edit;
}

void RunSequence(unsigned seed, int edits) {
    SCOPED_TRACE("seed " + std::to_string(seed));
    TRandomEditor editor(seed);
    TEditDocument& doc = editor.doc;
    TFakeHost& host = editor.host;
    const std::vector<uint8_t> original = Snapshot(doc);
    std::vector<TSavedStep> steps;
    for (int i = 0; i < edits; ++i) {
        if (!steps.empty() && editor.Pick(0, 9) == 0) {
            UndoAndCompare(doc, host, steps);
            if (::testing::Test::HasFatalFailure()) return;
            continue;
        }
        const size_t records = doc.Journal().RecordCount();
        TSavedStep before{Snapshot(doc), {}, {}};
        const std::string edit = editor.Edit();
        host.messages.clear();
        ASSERT_FALSE(doc.Journal().GroupOpen()) << edit;
        ASSERT_NO_FATAL_FAILURE(CheckModelInvariants(doc)) << edit;
        if (doc.Journal().RecordCount() == records) {
            // Nothing recorded: nothing changed, or the edit joined the newest single-space step.
            if (Snapshot(doc) != before.song) {
                ASSERT_FALSE(steps.empty()) << edit;
                ASSERT_EQ(doc.Journal().Newest().RecGroupKind, ukChangesToSpace) << edit;
            }
            continue;
        }
        const TUndoRecord* first = nullptr;
        for (size_t r = doc.Journal().RecordCount(); r-- > records;)
            if (doc.Journal().Record(r).RecFlags & RecFirstOfGroup) first = &doc.Journal().Record(r);
        ASSERT_NE(first, nullptr) << edit;
        before.cursor = {first->ViewTrack, first->ViewSpace, first->ViewString};
        before.edit = edit;
        steps.push_back(std::move(before));
    }
    ASSERT_FALSE(doc.Journal().Truncated);
    while (!steps.empty()) {
        UndoAndCompare(doc, host, steps);
        if (::testing::Test::HasFatalFailure()) return;
    }
    EXPECT_EQ(Snapshot(doc), original);
    EXPECT_TRUE(doc.Journal().Empty());
    EXPECT_FALSE(doc.Modified);
}

class EditRandomTest : public ::testing::TestWithParam<unsigned> {};

TEST_P(EditRandomTest, EveryStepUndoesToTheBytesBeforeIt) { RunSequence(GetParam(), 300); }

INSTANTIATE_TEST_SUITE_P(Seeds, EditRandomTest, ::testing::Values(1u, 2u, 3u, 4u, 5u, 6u, 7u, 8u),
                         PrintedName());

// FRETLO_EDIT_SEEDS=n runs n further seeds (for long local runs).
TEST(EditRandomSoak, ManySeedsFromTheEnvironment) {
    const char* env = std::getenv("FRETLO_EDIT_SEEDS");
    const int seeds = env ? std::atoi(env) : 0;
    if (seeds == 0) GTEST_SKIP() << "set FRETLO_EDIT_SEEDS to run";
    for (int s = 0; s < seeds && !::testing::Test::HasFailure(); ++s)
        RunSequence(1000u + static_cast<unsigned>(s), 600);
}

}  // namespace
}  // namespace fretlo::test

// Every way an editing command refuses: the exact message it shows (or none for a silent
// refusal), and a song, journal, clipboard, cursor and selection left as they were.
#include <gtest/gtest.h>

#include "EditFixture.h"
#include "ParamName.h"
#include "edit/AltTimeRegion.h"
#include "edit/BarCommands.h"
#include "edit/BarEdit.h"
#include "edit/ClipboardOps.h"
#include "edit/Shift.h"

namespace fretlo::test {
namespace {

struct TRefusal {
    const char* name;
    void (*command)(TEditDocument&);
    int track, space;  // the cursor, with no selection
    const char* message;
    void (*prepare)(TEditSong&) = nullptr;  // run after the cursor is placed
    int stops = 1;  // a copy, a region of a known ratio and a selection clear don't stop playback
    bool selectToCursor = false;  // from the track's first space, after the preparation
};
FRETLO_PRINT_AS_NAME(TRefusal)

class CommandRefusalTest : public ::testing::TestWithParam<TRefusal> {};

// 16 bars of 4 spaces on two tracks; track 1 has a triplet (spaces 8-10, 2/3) in the time of
// track 0's spaces 8 and 9.
TEST_P(CommandRefusalTest, ShowsItsMessageAndChangesNothing) {
    const TRefusal& c = GetParam();
    TEditSong song(4, {6, 6}, 16);
    song.MakeRegion(1, 8, 3, 2, 3);
    song.host.cursor = {c.track, c.space, 0};
    if (c.prepare) c.prepare(song);
    if (c.selectToCursor) song.host.Select(c.track, 0, c.space);
    ExpectRefusedUnchanged(
        song, c.message, [&] { c.command(song.doc); }, c.stops);
}

void Copy(TEditDocument& doc) { EXPECT_FALSE(CopySelection(doc)); }
void Clear(TEditDocument& doc) { ClearSelection(doc); }
void Insert(TEditDocument& doc) { ShiftRight(doc, ShiftModeForKeys(false, false)); }
void Delete(TEditDocument& doc) { ShiftLeft(doc, ShiftModeForKeys(false, false)); }
void CtrlInsert(TEditDocument& doc) { ShiftRight(doc, ShiftModeForKeys(false, true)); }
void CtrlDelete(TEditDocument& doc) { ShiftLeft(doc, ShiftModeForKeys(false, true)); }
void ShiftInsert(TEditDocument& doc) { ShiftRight(doc, ShiftModeForKeys(true, false)); }
void ShiftDelete(TEditDocument& doc) { ShiftLeft(doc, ShiftModeForKeys(true, false)); }
void FindRegion(TEditDocument& doc) {
    EXPECT_TRUE(std::holds_alternative<std::monostate>(FindAltTimeRequest(doc)));
}
void CreateTriplet(TEditDocument& doc) { EXPECT_FALSE(CreateAltTimeRegion(doc, {0, 0, 4}, 2, 3)); }

// Copies spaces 0 and 1 of both tracks, leaving the cursor where it was and no selection.
void CopyStart(TEditSong& s) {
    const TEditCursor cursor = s.host.cursor;
    s.host.Select(0, 0, 2, true);
    ASSERT_TRUE(CopySelection(s.doc));
    s.host.selection = {};
    s.host.cursor = cursor;
}

void FillLastSpace(TEditSong& s) { s.Space(1, s.Track(1).SpaceCount() - 1).Effects[0] = 'h'; }

constexpr const char* CopyLengths =
    "In order to cut/copy multiple tracks, the length of the selection must be the same across all tracks.";
constexpr const char* BarsNotEmpty =
    "All bars after the cursor position must be empty in order to use this command.";

const TRefusal Refusals[] = {
    {"CopyStartingInsideARegion", Copy, 0, 0,
     "When cutting/copying, the selection cannot begin in the middle of an alternate-time region.",
     [](TEditSong& s) { s.host.Select(1, 9, 11); }, 0},
    {"CopyOfPartOfARegion", Copy, 0, 0, "Cannot cut/copy a portion of an alternate-time region.",
     [](TEditSong& s) { s.host.Select(1, 7, 10); }, 0},
    // Whole sixteenths on the first selected track, part of the triplet on the other.
    {"CopyOfLengthsThatDiffer", Copy, 0, 0, CopyLengths, [](TEditSong& s) { s.host.Select(1, 6, 9, true); },
     0},
    {"CopyOfARangeWithNoSpaceOnATrack", Copy, 0, 0,
     "In order to cut/copy multiple tracks, the selection must begin and end at the same place on all "
     "tracks.",
     [](TEditSong& s) {
         s.host.Select(1, 9, 10, true);
         s.host.selection.Anchor = s.Track(1).SpaceTime(9) + 1;
         s.host.selection.End = s.Track(0).SpaceTime(9) + 1;
     },
     0},
    // A quintuplet at the start of track 1: its second space starts at 204, track 0's at 256.
    {"CopyOfTracksStartingApart", Copy, 0, 0,
     "In order to cut/copy multiple tracks, the selection must begin at the same place on all tracks.",
     [](TEditSong& s) {
         s.MakeRegion(1, 0, 5, 4, 5);
         s.host.Select(0, 0, 4, true);
         s.host.selection.Anchor = 10;
     },
     0},
    {"CutThatTheClipboardRefuses", CutSelection, 0, 0, "",
     [](TEditSong& s) {
         s.Space(0, 1).Notes[0] = NoteFretBase + 1;
         s.host.clipboardRefuses = true;
         s.host.Select(0, 0, 2);
     },
     0},
    {"ClearWithoutASelection", Clear, 0, 0, "", nullptr, 0},
    {"UndoWithNothingToUndo", Undo, 0, 0, ""},

    {"PasteWithoutABlock", Paste, 0, 0, ""},
    {"PasteOfAForeignBlock", Paste, 0, 0,
     "Unrecognized clipboard format. It may not be possible to cut/copy/paste between two different "
     "versions of Fretlo.",
     [](TEditSong& s) { s.host.clipboard = std::vector<uint8_t>(16, 0); }},
    {"PasteInsideARegion", Paste, 1, 9, "Cannot paste in the middle of an alternate-time region.", CopyStart},
    // Track 0 lines up; track 1 has no space at 2304.
    {"PasteWhereASpaceDoesNotLineUp", Paste, 0, 9,
     "Cannot paste here because there isn't a space on track 2 that lines up with the current space.",
     CopyStart},
    // The block would end at 2304, inside track 1's triplet.
    {"PasteWhoseEndDoesNotLineUp", Paste, 0, 7,
     "Cannot paste here because there isn't a space on track 2 that lines up with what would be the end "
     "of pasted section.",
     CopyStart},
    {"PasteOnTheLastSpace", Paste, 0, 63,
     "Cannot paste here because there isn't enough room left.\n\n"
     "Try adding more bars using the Song | Add Bars command.",
     CopyStart},
    {"PastePastTheSpaceLimit", Paste, 0, 0,
     "Cannot paste here because it would cause the total number of spaces on track 1 to exceed 32000, "
     "the maximum Fretlo can handle.",
     [](TEditSong& s) {
         s.host.Select(1, 8, 11);
         ASSERT_TRUE(CopySelection(s.doc));
         s.host.selection = {};
         s.host.cursor = {0, 0, 0};
         s.Track(0).SetSpaceCount(MaxSpaces);
     }},

    {"InsertInsideARegion", Insert, 1, 9, "Can't shift right inside an alternate-time region."},
    {"DeleteInsideARegion", Delete, 1, 9, "Can't shift left inside an alternate-time region."},
    {"DeleteOfARegionsFirstSpace", Delete, 1, 8,
     "Can't shift notes left. The space on track 2 is a member of an alternate-time region."},
    // Time 2304 is inside track 1's triplet.
    {"CtrlInsertWhereATrackDoesNotLineUp", CtrlInsert, 0, 9,
     "Can't shift notes right. There is no space on track 2 that lines up with the current space."},
    {"CtrlDeleteWhereATrackDoesNotLineUp", CtrlDelete, 0, 9,
     "Can't shift notes left. There is no space on track 2 that lines up with the current space."},
    {"CtrlInsertWithAFullLastSpace", CtrlInsert, 0, 4,
     "Can't shift notes right. The last space on track 2 is not empty.", FillLastSpace},
    {"ShiftDeleteWithAFullLastSpace", ShiftDelete, 0, 0,
     "Can't shift bar lines left. The last space on track 2 is not empty.", FillLastSpace},
    {"ShiftDeleteOnASingleSpaceTrack", ShiftDelete, 0, 0,
     "Can't shift bar lines left. There is only one space remaining on track 2.",
     [](TEditSong& s) { s.Track(1).SetSpaceCount(1); }},
    {"ShiftInsertAtTheSpaceLimit", ShiftInsert, 0, 0,
     "Can't shift bar lines because it would cause the total number of spaces to exceed 32000, the "
     "maximum Fretlo can handle.",
     [](TEditSong& s) { s.Track(1).SetSpaceCount(MaxSpaces); }},

    {"BarLineInsideARegion", ToggleBarLine, 1, 9, "Bar lines may only be created on 16th-note boundaries."},
    {"BarLineAtTheSongsStart", ToggleBarLine, 0, 0, ""},
    {"StaffBreakOnTheFirstBar", ToggleStaffBreak, 0, 1, "", nullptr, 0},

    {"RegionWithNothingSelectedOnAPlainSpace", FindRegion, 0, 6,
     "To create an alternate-time region, you must first select (highlight) at least one space.\r\n\r\n"
     "To remove an existing alternate-time region, you must first place the cursor inside it."},
    {"RegionOfAllTracks", FindRegion, 0, 0,
     "When creating an alternate-time region, only one track may be selected.",
     [](TEditSong& s) { s.host.Select(0, 2, 4, true); }},
    {"RegionBetweenTwoSpaceStarts", FindRegion, 1, 9,
     "You must select (highlight) at least one space in order to create an alternate-time region.",
     [](TEditSong& s) {
         s.host.selection = {true, false, 8 * UnitsPerSpace + 10, 8 * UnitsPerSpace + 100};
     }},
    {"RegionOverARegion", FindRegion, 0, 0, "The selection already contains an alternate-time region.",
     [](TEditSong& s) { s.host.Select(1, 6, 10); }},
    // The limit is checked before the selection or the song changes.
    {"RegionPastTheSpaceLimit", CreateTriplet, 0, 0,
     "Can't create region because it would cause the total number of spaces to exceed 32000, the "
     "maximum Fretlo can handle.",
     [](TEditSong& s) {
         s.Track(0).SetSpaceCount(MaxSpaces - 1);
         s.host.Select(0, 0, 4);
     },
     0},

    // With a selection up to the cursor, which a refusal keeps; bar 3 holds spaces 12-15.
    {"RemoveUnusedBarsInTheLastBar", RemoveUnusedBars, 0, 63, "There are no unused bars to remove.", nullptr,
     1, true},
    {"RemoveUnusedBarsWithANoteOnAnotherTrack", RemoveUnusedBars, 0, 12, BarsNotEmpty,
     [](TEditSong& s) { s.Space(1, 24).Notes[2] = NoteFretBase; }, 1, true},
    {"RemoveUnusedBarsWithATupletAcrossTheCut", RemoveUnusedBars, 0, 12, BarsNotEmpty,
     [](TEditSong& s) { s.MakeRegion(0, 15, 3, 2, 3); }, 1, true},
    {"RemoveUnusedBarsAnsweredNo", RemoveUnusedBars, 0, 12,
     "This command will eliminate all of the unused bars after the cursor position. Continue?",
     [](TEditSong& s) { s.host.reply = TMsgAnswer::No; }, 1, true},
};

INSTANTIATE_TEST_SUITE_P(Commands, CommandRefusalTest, ::testing::ValuesIn(Refusals), PrintedName());

}  // namespace
}  // namespace fretlo::test

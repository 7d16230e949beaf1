#include <gtest/gtest.h>

#include "DocTestUtil.h"
#include "base/ByteOrder.h"
#include "base/Errors.h"
#include "document/SpaceRecord.h"
#include "document/TabDoc.h"

using namespace fretlo;

namespace {

// A document whose hooks count and stamp, as the user-interface document does.
class THookedDoc : public TCustomTabDoc {
public:
    int undoChanged = 0;
    int resets = 0;
    int cursorSpace = 0;

protected:
    void UndoChanged() override { ++undoChanged; }
    void DocumentReset() override { ++resets; }
    void InitUndoRecord(TUndoRecord& r) override {
        r.ViewTrack = 0;
        r.ViewSpace = cursorSpace;
        r.ViewString = 2;
    }
};

// Adds a closed group of `records` records of `bytes` data bytes each.
void AddGroup(TCustomTabDoc& doc, TUndoKind kind, int records, size_t bytes) {
    doc.BeginGroup(kind);
    for (int i = 0; i < records; ++i) {
        TUndoRecord record;
        record.Block1.resize(bytes);
        doc.AddUndoRecord(std::move(record));
    }
    doc.EndGroup();
}

}  // namespace

TEST(UndoJournal, GroupsMarkTheirFirstAndLastRecords) {
    THookedDoc doc;
    doc.New(16);
    const int before = doc.undoChanged;
    doc.cursorSpace = 33;
    AddGroup(doc, ukPaste, 3, 10);
    ASSERT_EQ(doc.Journal().RecordCount(), 3u);
    EXPECT_EQ(doc.Journal().Record(0).RecFlags, RecFirstOfGroup);
    EXPECT_EQ(doc.Journal().Record(1).RecFlags, 0);
    EXPECT_EQ(doc.Journal().Record(2).RecFlags, RecLastOfGroup);
    EXPECT_EQ(doc.Journal().Newest().RecGroupKind, ukPaste);
    EXPECT_EQ(doc.Journal().Newest().ViewSpace, 33);
    EXPECT_EQ(doc.Journal().TotalBytes(), 3 * (40u + 10u));
    EXPECT_EQ(doc.undoChanged, before + 3);
    EXPECT_TRUE(doc.Modified);

    // An empty group leaves the journal as it was.
    doc.BeginGroup(ukCut);
    doc.EndGroup();
    EXPECT_EQ(doc.Journal().RecordCount(), 3u);
    EXPECT_EQ(doc.Journal().Newest().RecFlags, RecLastOfGroup);

    EXPECT_THROW(doc.EndGroup(), EInternalError);
    EXPECT_THROW(doc.AddUndoRecord(TUndoRecord{}), EInternalError);
    doc.BeginGroup(ukCut);
    EXPECT_THROW(doc.BeginGroup(ukCut), EInternalError);
}

TEST(UndoJournal, CleanAtBaseFollowsTheModifiedFlagOfTheFirstRecord) {
    THookedDoc doc;
    doc.New(16);
    AddGroup(doc, ukChangesToSpace, 1, 0);
    EXPECT_TRUE(doc.Journal().CleanAtBase);
    doc.ClearJournal();
    AddGroup(doc, ukChangesToSpace, 1, 0);  // the document is modified by now
    EXPECT_FALSE(doc.Journal().CleanAtBase);
}

TEST(UndoJournal, OverTheLimitWholeOldestGroupsGo) {
    THookedDoc doc;
    doc.New(16);
    AddGroup(doc, ukPaste, 4, 100'000);  // 400,160 bytes
    AddGroup(doc, ukCut, 3, 100'000);    // 300,120
    AddGroup(doc, ukClear, 2, 100'000);  // 200,080
    EXPECT_FALSE(doc.Journal().Truncated);
    EXPECT_TRUE(doc.Journal().CleanAtBase);
    AddGroup(doc, ukShiftLeft, 1, 100'000);  // over: the whole Paste group goes
    EXPECT_TRUE(doc.Journal().Truncated);
    EXPECT_FALSE(doc.Journal().CleanAtBase);
    EXPECT_EQ(doc.Journal().TruncatedKind, ukPaste);
    EXPECT_EQ(doc.Journal().RecordCount(), 6u);
    EXPECT_EQ(doc.Journal().Record(0).RecGroupKind, ukCut);
    EXPECT_TRUE(doc.Journal().Record(0).RecFlags & RecFirstOfGroup);
    EXPECT_LE(doc.Journal().TotalBytes(), UndoJournalLimit);

    // The limit is reached inside a group: the oldest whole group (Cut) goes, never part of one.
    AddGroup(doc, ukShiftRight, 5, 90'000);
    EXPECT_EQ(doc.Journal().TruncatedKind, ukCut);
    EXPECT_EQ(doc.Journal().Record(0).RecGroupKind, ukClear);
    EXPECT_TRUE(doc.Journal().Record(0).RecFlags & RecFirstOfGroup);
    EXPECT_EQ(doc.Journal().RecordCount(), 2u + 1u + 5u);

    doc.ClearJournal();
    EXPECT_FALSE(doc.Journal().Truncated);
    EXPECT_EQ(doc.Journal().TotalBytes(), 0u);
}

TEST(UndoJournal, SaveSpacesKeepsTheBytesAndTheTrackEffects) {
    THookedDoc doc;
    doc.New(16);
    test::FillSpacesFiveAndSix(doc.Track(0));
    doc.BeginGroup(ukChangesToSpace);
    doc.SaveSpaces(0, 5, 2);
    doc.EndGroup();

    const TUndoRecord& r = doc.Journal().Newest();
    EXPECT_EQ(r.RecType, utSpaces);
    EXPECT_EQ(r.RecArg1, 0);
    EXPECT_EQ(r.RecArg2, 5);
    EXPECT_EQ(r.RecArg3, 2);
    ASSERT_EQ(r.Block1.size(), 2u * SpaceRecordSize);
    TSpace back = EmptySpace;
    ReadSpaceRecord(r.Block1.data() + SpaceRecordSize, back);
    EXPECT_EQ(back.TopText, 'A');
    EXPECT_EQ(back.RatioNum, 2);
    EXPECT_EQ(back.RatioDen, 3);
    ReadSpaceRecord(r.Block1.data(), back);
    EXPECT_EQ(back.Notes[1], 135);
    EXPECT_EQ(back.Effects[1], 'h');
    ASSERT_EQ(r.Block2.size(), 4u + 8u);
    EXPECT_EQ(GetU32(r.Block2.data()), 8u);
    EXPECT_EQ(r.Block2[4], 1);  // skip to the second space of the run
    EXPECT_EQ(r.Block2[6], pkTempo);
}

TEST(UndoJournal, CreatedBarsAreRecordedBeforeTheyAreInserted) {
    THookedDoc doc;
    doc.New(16);
    doc.BeginGroup(ukAddBars);
    doc.CreateBar(4096 + 512, 256, true);
    doc.CreateBar(doc.SongLength(), 1024, true);
    doc.CreateBar(0, 256, true);  // exists: no record
    doc.EndGroup();
    ASSERT_EQ(doc.Journal().RecordCount(), 2u);
    EXPECT_EQ(doc.Journal().Record(0).RecType, utCreatedBar);
    EXPECT_EQ(doc.Journal().Record(0).RecArg1, 4096 + 512);
    EXPECT_EQ(doc.Journal().Record(0).RecArg2, 1);
    EXPECT_EQ(doc.Journal().Record(1).RecArg2, 0);
}

TEST(UndoKinds, Names) {
    EXPECT_STREQ(UndoKindName(ukChangesToSpace), "Changes to Space");
    EXPECT_STREQ(UndoKindName(ukAltTimeRegion), "Alternate-Time Region");
    EXPECT_STREQ(UndoKindName(ukClearTrackEffects), "Clear Track Effects");
    EXPECT_THROW(UndoKindName(12), EInternalError);
}

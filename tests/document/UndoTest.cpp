// The undo journal: its size limit, and the layout of each record type. How groups are
// marked, stamped and undone is checked by the undo commands in tests/edit.
#include <gtest/gtest.h>

#include <functional>

#include "base/Errors.h"
#include "document/TabDoc.h"
#include "document/UndoRecords.h"

using namespace fretlo;

namespace {

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

TEST(UndoJournal, OverTheLimitWholeOldestGroupsGo) {
    TCustomTabDoc doc;
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
    // The journal starts again on a modified document, so its base is no longer clean.
    AddGroup(doc, ukChangesToSpace, 1, 0);
    EXPECT_FALSE(doc.Journal().CleanAtBase);
}

namespace {

// One record type: a record encoded from known values, and whether a record decodes to them.
struct TCodecCase {
    const char* Name;
    TUndoRecord Record;
    size_t RecSize;  // what the record counts against the journal's limit
    std::function<bool(const TUndoRecord&)> DecodesBack;
};

template <typename T>
TCodecCase Case(const char* name, TUndoRecord (*encode)(const T&), T (*decode)(const TUndoRecord&), T value,
                size_t recSize) {
    return {name, encode(value), recSize, [=](const TUndoRecord& r) { return decode(r) == value; }};
}

// A song with fret 7 and "h" on string 1 of space 5, the top text "A", a 2:3 ratio and a
// tempo on space 6, recorded by SaveSpaces.
struct UndoRecords : ::testing::Test {
    TCustomTabDoc doc;
    void SetUp() override {
        doc.New(16);
        TTrackData& t = doc.Track(0);
        t.Space(5).Notes[1] = 135;
        t.Space(5).Effects[1] = 'h';
        t.Space(6).TopText = 'A';
        t.SetRatio(6, 1, 2, 3);
        SetProp(t.Space(6), pkTempo, 140);
        doc.BeginGroup(ukChangesToSpace);
        doc.SaveSpaces(0, 5, 2);
        doc.EndGroup();
    }

    std::vector<TCodecCase> Cases() const;
};

std::vector<TCodecCase> UndoRecords::Cases() const {
    return {
        {"Spaces", doc.Journal().Newest(), 40 + 2 * 24 + 4 + 8,
         [](const TUndoRecord& r) {
             const TSpacesRecord s = DecodeSpaces(r);
             TSpace back[2] = {EmptySpace, EmptySpace};
             for (int i = 0; i < 2; ++i) s.ReadSpace(i, back[i]);
             // The effects: skip 1 to the run's second space, tempo, two bytes, 140.
             return s.Track == 0 && s.First == 5 && s.Count == 2 && back[0].Notes[1] == 135 &&
                    back[0].Effects[1] == 'h' && back[1].TopText == 'A' && back[1].RatioNum == 2 &&
                    back[1].RatioDen == 3 &&
                    std::vector<uint8_t>(s.Props.begin(), s.Props.end()) ==
                        std::vector<uint8_t>({1, 0, pkTempo, 0, 2, 0, 140, 0});
         }},
        Case("RemoveSpaces", EncodeRemoveSpaces, DecodeRemoveSpaces, {2, 31999, 7}, 40),
        Case("InsertSpaces", EncodeInsertSpaces, DecodeInsertSpaces, {14, 0, 32000}, 40),
        Case("SpaceCount", EncodeSpaceCount, DecodeSpaceCount, {3, 32000}, 40),
        Case("ShiftBars", EncodeShiftBars, DecodeShiftBars, {31999, -256}, 40),
        Case("DeletedBar", EncodeDeletedBar, DecodeDeletedBar, {4096, 8192, true, 1, 255, 1, 0}, 48),
        Case("CreatedBar", EncodeCreatedBar, DecodeCreatedBar, {8192 * 256, true}, 40),
        Case("BarFlags", EncodeBarFlags, DecodeBarFlags, {31999, 0, 1, 1, 200}, 47),
    };
}

}  // namespace

TEST_F(UndoRecords, EveryTypeDecodesToTheValuesItWasEncodedFrom) {
    for (const TCodecCase& c : Cases()) {
        EXPECT_TRUE(c.DecodesBack(c.Record)) << c.Name;
        EXPECT_EQ(c.Record.RecSize(), c.RecSize) << c.Name;
    }
}

TEST_F(UndoRecords, ARecordOfAnotherTypeOrSizeIsRefused) {
    for (const TCodecCase& c : Cases()) {
        TUndoRecord other = c.Record;
        other.RecType = (c.Record.RecType + 1) % 8;
        EXPECT_THROW(c.DecodesBack(other), EInternalError) << c.Name;
        TUndoRecord longer = c.Record;
        longer.Block1.push_back(0);
        EXPECT_THROW(c.DecodesBack(longer), EInternalError) << c.Name;
        TUndoRecord extra = c.Record;
        extra.Block2.push_back(0);
        EXPECT_THROW(c.DecodesBack(extra), EInternalError) << c.Name;
        if (c.Record.Block1.empty()) continue;
        TUndoRecord shorter = c.Record;
        shorter.Block1.pop_back();
        EXPECT_THROW(c.DecodesBack(shorter), EInternalError) << c.Name;
    }
}

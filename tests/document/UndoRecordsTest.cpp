#include <gtest/gtest.h>

#include <functional>

#include "DocTestUtil.h"
#include "base/Errors.h"
#include "document/TabDoc.h"
#include "document/UndoRecords.h"

using namespace fretlo;

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

// A song with notes, an effect, text, a triplet ratio and a tempo in spaces 5 and 6.
struct UndoRecords : ::testing::Test {
    TCustomTabDoc doc;
    void SetUp() override {
        doc.New(16);
        test::FillSpacesFiveAndSix(doc.Track(0));
    }

    std::vector<TCodecCase> Cases() const;
};

std::vector<TCodecCase> UndoRecords::Cases() const {
    return {
        {"Spaces", EncodeSpaces(doc, 0, 5, 2), 40 + 2 * 24 + 4 + 8,
         [this](const TUndoRecord& r) {
             const TSpacesRecord s = DecodeSpaces(r);
             TSpace back[2] = {EmptySpace, EmptySpace};
             for (int i = 0; i < 2; ++i) s.ReadSpace(i, back[i]);
             return s.Track == 0 && s.First == 5 && s.Count == 2 && back[0].Notes[1] == 135 &&
                    back[0].Effects[1] == 'h' && back[1].TopText == 'A' && back[1].RatioNum == 2 &&
                    back[1].RatioDen == 3 && s.Props.size() == doc.CalcStreamedPropsSize(0, 5, 2);
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

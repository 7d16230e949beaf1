// The clipboard block as bytes: the layout copied spaces produce, and the blocks a paste
// must refuse whatever their origin.
#include <gtest/gtest.h>

#include "EditFixture.h"
#include "ParamName.h"
#include "base/ByteOrder.h"
#include "edit/Clipboard.h"
#include "edit/ClipboardOps.h"

namespace fretlo::test {
namespace {

int32_t I32At(const std::vector<uint8_t>& b, size_t at) { return GetI32(b.data() + at); }

// Two tracks of two spaces; the second space of track 1 has a tempo change.
std::vector<uint8_t> CopiedBlock() {
    TEditSong song(4, {6, 4});
    song.Space(0, 0).Notes[0] = NoteFretBase + 3;
    song.Space(0, 1).Effects[5] = 'h';
    song.Space(1, 1).TopText = 'A';
    AddPropNode(song.Space(1, 1), pkTempo, 140);
    song.host.Select(0, 0, 2, true);
    EXPECT_TRUE(CopySelection(song.doc));
    return *song.host.clipboard;
}

TEST(ClipboardBlockTest, CopyWritesTheHeadCountsRecordsAndTrackEffectsInOrder) {
    const auto b = CopiedBlock();
    EXPECT_EQ(I32At(b, 0), 0);
    EXPECT_EQ(I32At(b, 4), 24);
    EXPECT_EQ(I32At(b, 8), 2);
    EXPECT_EQ(I32At(b, 12), 512);
    EXPECT_EQ(I32At(b, 16), 2);
    EXPECT_EQ(I32At(b, 20), 2);
    const size_t track0 = 24, track1 = track0 + 2 * 24 + 4;
    EXPECT_EQ(b[track0], NoteFretBase + 3);
    EXPECT_EQ(b[track0 + 24 + 8 + 5], 'h');
    EXPECT_EQ(b[track0 + 22], 1);  // ratio 1/1
    EXPECT_EQ(b[track0 + 23], 1);
    EXPECT_EQ(I32At(b, track0 + 16), 0);  // the list reference is not written
    EXPECT_EQ(I32At(b, track1 - 4), 0);   // no track effects on track 0
    EXPECT_EQ(b[track1 + 24 + 20], 'A');
    const size_t props = track1 + 2 * 24;
    ASSERT_EQ(I32At(b, props), 8);
    EXPECT_EQ(GetU16(&b[props + 4]), 1);  // skip to the second space
    EXPECT_EQ(GetU16(&b[props + 6]), pkTempo);
    EXPECT_EQ(GetU16(&b[props + 8]), 2);
    EXPECT_EQ(GetU16(&b[props + 10]), 140);
    EXPECT_EQ(b.size(), props + 4 + 8);
}

TEST(ClipboardBlockTest, DecodingAndEncodingGiveBackTheSameBytes) {
    const auto b = CopiedBlock();
    const auto block = DecodeClipBlock(b);
    ASSERT_TRUE(block);
    EXPECT_EQ(EncodeClipBlock(*block), b);
}

TEST(ClipboardBlockTest, EveryTruncationAndATrailingByteAreRefused) {
    auto b = CopiedBlock();
    for (size_t n = 0; n < b.size(); ++n)
        EXPECT_FALSE(DecodeClipBlock({b.begin(), b.begin() + static_cast<ptrdiff_t>(n)})) << n;
    b.push_back(0);
    EXPECT_FALSE(DecodeClipBlock(b));
}

struct TDamage {
    const char* name;
    size_t offset;
    uint8_t value;
};

FRETLO_PRINT_AS_NAME(TDamage)

class ClipboardDamageTest : public ::testing::TestWithParam<TDamage> {};

TEST_P(ClipboardDamageTest, IsRefused) {
    auto b = CopiedBlock();
    b[GetParam().offset] = GetParam().value;
    EXPECT_FALSE(DecodeClipBlock(b));
}

// Offsets in the block of CopiedBlock(): head 16, counts 8, track 0 at 24, track 1 at 76,
// its track effects at 128.
INSTANTIATE_TEST_SUITE_P(
    Blocks, ClipboardDamageTest,
    ::testing::Values(TDamage{"record size 23", 4, 23}, TDamage{"no tracks", 8, 0},
                      TDamage{"16 tracks", 8, 16}, TDamage{"L not aligned", 12, 1},
                      TDamage{"L twice as long", 13, 4}, TDamage{"no spaces", 16, 0},
                      TDamage{"ratio 0", 24 + 22, 0}, TDamage{"ratio 2/1", 24 + 23 + 24, 0},
                      TDamage{"L a sixteenth short", 13, 1}, TDamage{"effect kind 11", 130, 11},
                      TDamage{"effect past the run", 128, 2}, TDamage{"effect data size", 132, 3},
                      // On the last space of track 0 it keeps the block's length.
                      TDamage{"denominator 17", 24 + 24 + 23, 17}),
    PrintedName());

}  // namespace
}  // namespace fretlo::test

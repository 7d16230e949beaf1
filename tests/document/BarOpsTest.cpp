// The bar primitives: where they put bar lines, what happens to repeat signs, their limits.
#include <gtest/gtest.h>

#include <random>

#include "DocTestUtil.h"
#include "ParamName.h"
#include "base/Errors.h"
#include "document/TabDoc.h"
#include "document/UndoRecords.h"

using namespace fretlo;
using namespace fretlo::test;

namespace {

// A document of 128 bars of `barSpaces` spaces, listened to.
struct TBarFixture {
    TCustomTabDoc doc;
    TRecordingListener listener;
    explicit TBarFixture(int barSpaces = 16) {
        doc.New(barSpaces);
        doc.AddListener(&listener);
    }
};

using TRow = std::vector<int>;  // a bar as BarRows gives it
constexpr int32_t Bar16 = 16 * 256;

}  // namespace

TEST(CreateBar, AnExistingStartChangesNothingAndOnlyTheEndGrowsTheSong) {
    TBarFixture f;
    EXPECT_EQ(f.doc.CreateBar(2 * Bar16, 256, false), 2);
    EXPECT_EQ(f.doc.BarCount(), 128);
    EXPECT_TRUE(f.listener.barEvents.empty());

    const int32_t end = f.doc.SongLength();
    EXPECT_EQ(f.doc.CreateBar(end, 512, false), 128);
    EXPECT_EQ(f.doc.SongLength(), end + 512);
    EXPECT_THROW(f.doc.CreateBar(end + 2048, 256, false), EInternalError);
    EXPECT_THROW(f.doc.CreateBar(100, 256, false), EInternalError);
    EXPECT_THROW(f.doc.CreateBar(256, 0, false), EInternalError);
    EXPECT_TRUE(BarsAreValid(f.doc));
}

TEST(CreateBar, SplitMovesTheRepeatCloseToTheSecondHalf) {
    TBarFixture f;
    f.doc.Bar(2).RepeatEnd = 1;
    f.doc.Bar(2).RepeatCount = 3;
    EXPECT_EQ(f.doc.CreateBar(2 * Bar16 + 1024, 256, false), 3);
    EXPECT_EQ(BarRows(f.doc)[2], TRow({32, 36, 0, 0, 0, 0}));
    EXPECT_EQ(BarRows(f.doc)[3], TRow({36, 48, 0, 0, 1, 3}));
    EXPECT_EQ(f.listener.barEvents, (std::vector<std::pair<int, int>>{{bcInserted, 3}}));
}

TEST(CreateBar, RefusesBar32001WithTheLimitInItsMessage) {
    TCustomTabDoc doc;
    doc.New(1);  // 128 bars of one space
    doc.LayOutBars(false, doc.SongLength(), 1, 32000 * 256);
    ASSERT_EQ(doc.BarCount(), 32000);
    doc.BeginGroup(ukAddBars);
    try {
        doc.CreateBar(32000 * 256, 256, true);
        FAIL();
    } catch (const EFretloError& e) {
        EXPECT_STREQ(e.what(), "Could not create the bar because it would cause the total number of bars "
                               "to exceed 32000, the maximum Fretlo can handle");
    }
    doc.EndGroup();
    EXPECT_EQ(doc.BarCount(), 32000);
    EXPECT_TRUE(doc.Journal().Empty());
}

TEST(DeleteBar, MergeTakesOverTheRepeatCloseAndNoMergeKeepsIt) {
    TBarFixture f;
    f.doc.Bar(4).RepeatEnd = 1;
    f.doc.Bar(4).RepeatCount = 2;
    f.doc.Bar(5).RepeatEnd = 1;
    f.doc.Bar(5).RepeatCount = 7;
    f.doc.DeleteBar(5, true);
    EXPECT_EQ(BarRows(f.doc)[4], TRow({64, 96, 0, 0, 1, 7}));
    EXPECT_EQ(f.listener.barEvents.back(), std::make_pair(int(bcDeleting), 5));
    f.doc.DeleteBar(5, false);  // bar 5 (once 6) has no repeat close
    EXPECT_EQ(BarRows(f.doc)[4], TRow({64, 112, 0, 0, 1, 7}));

    // Deleting the last bar without merging shortens the song.
    const int32_t len = f.doc.SongLength();
    f.doc.DeleteBar(f.doc.BarCount() - 1, false);
    EXPECT_EQ(f.doc.SongLength(), len - Bar16);
    f.doc.DeleteBarAt(12345, true);  // no bar starts there
    EXPECT_EQ(f.doc.SongLength(), len - Bar16);
    EXPECT_TRUE(BarsAreValid(f.doc));
}

TEST(DeleteBar, UndoableRecordsThePredecessorsRepeatCloseWhenMerging) {
    TBarFixture f;
    f.doc.Bar(2).RepeatEnd = 1;
    f.doc.Bar(2).RepeatCount = 4;
    f.doc.Bar(3).StaffBreak = 1;
    f.doc.Bar(3).RepeatStart = 1;
    f.doc.BeginGroup(ukRecreateBarLines);
    f.doc.DeleteBarUndoable(3, true);
    f.doc.EndGroup();
    EXPECT_EQ(DecodeDeletedBar(f.doc.Journal().Newest()),
              (TDeletedBarRecord{3 * Bar16, 4 * Bar16, true, 1, 4, 1, 1}));
}

TEST(LayOutBars, KeepsRepeatAndStaffBreakLinesAndDropsPlainOnes) {
    TBarFixture f(4);
    f.doc.Bar(3).RepeatStart = 1;
    f.doc.Bar(5).StaffBreak = 1;
    f.doc.Bar(6).RepeatEnd = 1;
    f.doc.Bar(6).RepeatCount = 1;
    // Bars of 16 spaces over the first 32 spaces (bars 0..7 of 4 spaces): 4 and 8 go; 12
    // opens a repeat and 20 breaks the staff, so they stay; 24 goes and its repeat close
    // passes to the bar at 20, so the line after that bar, 28, stays too.
    f.doc.LayOutBars(false, 0, 16, 32 * 256);
    const std::vector<TRow> rows = BarRows(f.doc);
    EXPECT_EQ(std::vector<TRow>(rows.begin(), rows.begin() + 6), std::vector<TRow>({{0, 12, 0, 0, 0, 0},
                                                                                    {12, 16, 0, 1, 0, 0},
                                                                                    {16, 20, 0, 0, 0, 0},
                                                                                    {20, 28, 1, 0, 1, 1},
                                                                                    {28, 32, 0, 0, 0, 0},
                                                                                    {32, 36, 0, 0, 0, 0}}));
    EXPECT_TRUE(BarsAreValid(f.doc));
}

// Long random sequences of every bar primitive keep the bar list valid after each step.
class BarPrimitivesRandom : public ::testing::TestWithParam<unsigned> {};

TEST_P(BarPrimitivesRandom, InvariantsHoldAfterEveryStep) {
    std::mt19937 rng(GetParam());
    TCustomTabDoc doc;
    doc.New(static_cast<int>(rng() % 20));
    auto pick = [&](int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); };
    for (int step = 0; step < 3000; ++step) {
        const int op = pick(7);
        const int32_t len = doc.SongLength();
        doc.BeginGroup(ukBarLineChange);
        try {
            if (op == 0 && len > 256) {
                doc.CreateBar(pick(len / 256) * 256, 256 * (1 + pick(8)), pick(2));
            } else if (op == 1) {
                doc.CreateBar(len, 256 * (1 + pick(32)), pick(2));
            } else if (op == 2 && doc.BarCount() > 1) {
                const int i = 1 + pick(doc.BarCount() - 1);
                if (pick(2))
                    doc.DeleteBarUndoable(i, pick(2));
                else
                    doc.DeleteBar(i, pick(2));
            } else if (op == 3) {
                const int32_t a = pick(len / 256 + 1) * 256;
                // Within the song, or growing it from its end (as Add Bars does).
                const int32_t e = a + pick(64) * 256;
                doc.LayOutBars(pick(2), a, pick(20), a == len ? e : std::min(e, len));
            } else if (op == 4 && doc.BarCount() > 0) {
                TBar& b = doc.Bar(pick(doc.BarCount()));
                b.StaffBreak = static_cast<uint8_t>(pick(2));
                b.RepeatStart = static_cast<uint8_t>(pick(2));
                b.RepeatEnd = static_cast<uint8_t>(pick(2));
                b.RepeatCount = b.RepeatEnd ? 1 + pick(255) : 0;
            } else if (op == 5 && doc.BarCount() > 0) {
                const int i = pick(doc.BarCount());
                const TBar& b = doc.Bar(i);
                const int32_t delta = (pick(9) - 4) * 256;
                if (b.End - b.Start + delta >= 256) doc.ShiftBars(i, delta);
            } else if (op == 6 && pick(50) == 0) {
                doc.EndGroup();
                doc.New(1 + pick(16));
                doc.BeginGroup(ukBarLineChange);
            }
        } catch (const EInternalError& e) {
            FAIL() << e.what() << " seed " << GetParam() << " step " << step << " op " << op << " len "
                   << len;
        } catch (const EFretloError&) {
            ASSERT_EQ(doc.BarCount(), MaxBars);  // only the bar limit may refuse
        }
        doc.EndGroup();
        ASSERT_TRUE(BarsAreValid(doc)) << "seed " << GetParam() << " step " << step << " op " << op;
        ASSERT_GT(doc.BarCount(), 0);
        ASSERT_LE(doc.Journal().TotalBytes(), UndoJournalLimit);
    }
}

INSTANTIATE_TEST_SUITE_P(Seeds, BarPrimitivesRandom, ::testing::Values(1u, 2u, 3u, 4u, 5u), PrintedName());

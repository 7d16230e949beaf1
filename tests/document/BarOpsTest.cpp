// The bar primitives: the bar limit, and long random sequences that keep the bar list valid.
// What each primitive makes of bar lines and repeat signs is checked through the bar commands
// and their undo in tests/edit.
#include <gtest/gtest.h>

#include <random>

#include "DocTestUtil.h"
#include "ParamName.h"
#include "base/Errors.h"
#include "document/TabDoc.h"

using namespace fretlo;
using namespace fretlo::test;

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

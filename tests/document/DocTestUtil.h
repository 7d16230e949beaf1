// Helpers for document tests: a recording listener and the bar invariants.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "document/TabDoc.h"

namespace fretlo::test {

struct TRecordingListener : TDocListener {
    std::vector<std::pair<int, int>> barEvents;
    int replaced = 0;
    void BarsChanged(TBarsChange change, int barIndex) override { barEvents.emplace_back(change, barIndex); }
    void DocumentReplaced() override { ++replaced; }
};

// Sorted, contiguous from 0, multiples of 256, at least 256 long, within the bar limit,
// repeat counts only on closing bars.
inline ::testing::AssertionResult BarsAreValid(const TCustomTabDoc& doc) {
    if (doc.BarCount() > MaxBars) return ::testing::AssertionFailure() << "too many bars";
    for (int i = 0; i < doc.BarCount(); ++i) {
        const TBar& b = doc.Bar(i);
        const int32_t expectedStart = i == 0 ? 0 : doc.Bar(i - 1).End;
        if (b.Start != expectedStart)
            return ::testing::AssertionFailure() << "bar " << i << " starts at " << b.Start;
        if (b.Start % 256 || b.End % 256)
            return ::testing::AssertionFailure() << "bar " << i << " not aligned";
        if (b.End - b.Start < 256) return ::testing::AssertionFailure() << "bar " << i << " too short";
        if (!b.RepeatEnd && b.RepeatCount != 0)
            return ::testing::AssertionFailure() << "bar " << i << " has a count without a repeat close";
    }
    return ::testing::AssertionSuccess();
}

}  // namespace fretlo::test

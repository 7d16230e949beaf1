// Helpers for document tests: a recording listener and the bar invariants.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "document/TabDoc.h"
#include "document/TrackProps.h"

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

// Space 5 gets fret 7 and "h" on string 1; space 6 the top text "A", a 2:3 ratio and a tempo.
inline void FillSpacesFiveAndSix(TTrackData& t) {
    t.Space(5).Notes[1] = 135;
    t.Space(5).Effects[1] = 'h';
    t.Space(6).TopText = 'A';
    t.SetRatio(6, 1, 2, 3);
    SetProp(t.Space(6), pkTempo, 140);
}

}  // namespace fretlo::test

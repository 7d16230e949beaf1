// Helpers for the document and song file tests: a document and a listener that count what
// they are told, the bar invariants, file bytes, and a field-by-field comparison of two songs.
#pragma once

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "base/Errors.h"
#include "document/TabDoc.h"
#include "document/TrackProps.h"

namespace fretlo::test {

struct TRecordingListener : TDocListener {
    std::vector<std::pair<int, int>> barEvents;
    int replaced = 0;
    void BarsChanged(TBarsChange change, int barIndex) override { barEvents.emplace_back(change, barIndex); }
    void DocumentReplaced() override { ++replaced; }
};

// A document that counts its resets, as the user-interface document redraws on them.
class TCountingDoc : public TCustomTabDoc {
public:
    int resets = 0;

protected:
    void DocumentReset() override { ++resets; }
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

// Every bar as {start, end, staff break, repeat start, repeat end, repeat count}, times in
// spaces (BarsAreValid holds them to whole spaces).
inline std::vector<std::vector<int>> BarRows(const TCustomTabDoc& doc) {
    std::vector<std::vector<int>> rows;
    for (int i = 0; i < doc.BarCount(); ++i) {
        const TBar& b = doc.Bar(i);
        rows.push_back({b.Start / UnitsPerSpace, b.End / UnitsPerSpace, b.StaffBreak, b.RepeatStart,
                        b.RepeatEnd, b.RepeatCount});
    }
    return rows;
}

// The track-effect list of a space as (kind, value) pairs.
inline std::vector<std::pair<int, int>> PropsOf(const TSpace& s) {
    std::vector<std::pair<int, int>> out;
    for (const TPropNode* n = s.Props; n; n = n->Next) out.emplace_back(n->Kind, n->Value());
    return out;
}

inline std::vector<uint8_t> ReadFileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline void WriteFileBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

// A track's settings and tuning in one row.
inline std::vector<int> TrackFields(const TTrackData& x) {
    std::vector<int> row{x.StringCount,    x.Instrument,  x.LegacyValue, x.Volume,    x.Pan,
                         x.Reverb,         x.Chorus,      x.Modulation,  x.PitchBend, x.MidiChannel,
                         x.HighestNumber,  x.Transpose,   x.Bank,        x.LetRing,   x.TopTextLine,
                         x.BottomTextLine, x.ShowNumbers, x.Variant};
    row.insert(row.end(), x.Tuning, x.Tuning + StringSlots);
    return row;
}

inline void ExpectSameSong(const TCustomTabDoc& a, const TCustomTabDoc& b) {
    EXPECT_EQ(std::vector<std::string>({a.Title, a.Artist, a.Album, a.Transcriber, a.Comments}),
              std::vector<std::string>({b.Title, b.Artist, b.Album, b.Transcriber, b.Comments}));
    EXPECT_EQ(a.Tempo, b.Tempo);
    EXPECT_EQ(BarRows(a), BarRows(b));
    ASSERT_EQ(a.TrackCount(), b.TrackCount());
    for (int t = 0; t < a.TrackCount(); ++t) {
        const TTrackData &x = a.Track(t), &y = b.Track(t);
        EXPECT_EQ(TrackFields(x), TrackFields(y)) << "track " << t;
        ASSERT_EQ(x.SpaceCount(), y.SpaceCount()) << "track " << t;
        for (int i = 0; i < x.SpaceCount(); ++i) {
            const TSpace &p = x.Space(i), &q = y.Space(i);
            ASSERT_TRUE(std::memcmp(p.Notes, q.Notes, 8) == 0 && std::memcmp(p.Effects, q.Effects, 8) == 0 &&
                        p.TopText == q.TopText && p.BottomText == q.BottomText && p.RatioNum == q.RatioNum &&
                        p.RatioDen == q.RatioDen && PropsOf(p) == PropsOf(q))
                << "track " << t << " space " << i;
        }
    }
}

}  // namespace fretlo::test

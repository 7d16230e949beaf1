// Helpers for the song file tests: a document that counts its hooks, file bytes, and a
// field-by-field comparison of two songs.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "ScratchDir.h"
#include "document/DocTestUtil.h"
#include "base/Errors.h"
#include "document/TabDoc.h"

namespace fretlo::test {

class TCountingDoc : public TCustomTabDoc {
public:
    int resets = 0;
    int undoChanges = 0;

protected:
    void DocumentReset() override { ++resets; }
    void UndoChanged() override { ++undoChanges; }
};

inline std::vector<uint8_t> ReadFileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline void WriteFileBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

// The track-effect list of a space as (kind, value) pairs.
inline std::vector<std::pair<int, int>> PropsOf(const TSpace& s) {
    std::vector<std::pair<int, int>> out;
    for (const TPropNode* n = s.Props; n; n = n->Next) out.emplace_back(n->Kind, n->Value());
    return out;
}

inline void ExpectSameSong(const TCustomTabDoc& a, const TCustomTabDoc& b) {
    EXPECT_EQ(a.Tempo, b.Tempo);
    EXPECT_EQ(a.Title, b.Title);
    EXPECT_EQ(a.Artist, b.Artist);
    EXPECT_EQ(a.Album, b.Album);
    EXPECT_EQ(a.Transcriber, b.Transcriber);
    EXPECT_EQ(a.Comments, b.Comments);
    ASSERT_EQ(a.BarCount(), b.BarCount());
    for (int i = 0; i < a.BarCount(); ++i) {
        const TBar &x = a.Bar(i), &y = b.Bar(i);
        EXPECT_EQ(std::vector<int>({x.Start, x.End, x.StaffBreak, x.RepeatStart, x.RepeatEnd, x.RepeatCount}),
                  std::vector<int>({y.Start, y.End, y.StaffBreak, y.RepeatStart, y.RepeatEnd, y.RepeatCount}))
            << "bar " << i;
    }
    ASSERT_EQ(a.TrackCount(), b.TrackCount());
    for (int t = 0; t < a.TrackCount(); ++t) {
        const TTrackData &x = a.Track(t), &y = b.Track(t);
        EXPECT_EQ(
            std::vector<int>({x.StringCount, x.Instrument, x.LegacyValue, x.Volume, x.Pan, x.Reverb, x.Chorus,
                              x.Modulation, x.PitchBend, x.MidiChannel, x.HighestNumber, x.Transpose, x.Bank,
                              x.LetRing, x.TopTextLine, x.BottomTextLine, x.ShowNumbers, x.Variant}),
            std::vector<int>({y.StringCount, y.Instrument, y.LegacyValue, y.Volume, y.Pan, y.Reverb, y.Chorus,
                              y.Modulation, y.PitchBend, y.MidiChannel, y.HighestNumber, y.Transpose, y.Bank,
                              y.LetRing, y.TopTextLine, y.BottomTextLine, y.ShowNumbers, y.Variant}))
            << "track " << t;
        EXPECT_EQ(0, std::memcmp(x.Tuning, y.Tuning, sizeof x.Tuning)) << "track " << t;
        ASSERT_EQ(x.SpaceCount(), y.SpaceCount()) << "track " << t;
        for (int i = 0; i < x.SpaceCount(); ++i) {
            const TSpace &p = x.Space(i), &q = y.Space(i);
            const bool same = std::memcmp(p.Notes, q.Notes, 8) == 0 &&
                              std::memcmp(p.Effects, q.Effects, 8) == 0 && p.TopText == q.TopText &&
                              p.BottomText == q.BottomText && p.RatioNum == q.RatioNum &&
                              p.RatioDen == q.RatioDen && PropsOf(p) == PropsOf(q);
            EXPECT_TRUE(same) << "track " << t << " space " << i;
            if (!same) return;
        }
    }
}

}  // namespace fretlo::test

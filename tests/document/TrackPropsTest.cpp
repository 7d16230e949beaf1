// Track effects: the list on a space, their streamed form and the letters of older files.
#include <gtest/gtest.h>

#include <functional>
#include <random>
#include <vector>

#include "DocTestUtil.h"
#include "ParamName.h"
#include "base/Errors.h"
#include "document/TabDoc.h"
#include "document/TrackProps.h"

using namespace fretlo;
using fretlo::test::PropsOf;

namespace {

std::vector<int> Kinds(const TSpace& s) {
    std::vector<int> out;
    for (const TPropNode* n = s.Props; n; n = n->Next) out.push_back(n->Kind);
    return out;
}

std::vector<uint8_t> Stream(const TCustomTabDoc& doc, int track, int first, int count) {
    std::vector<uint8_t> out(doc.CalcStreamedPropsSize(track, first, count));
    doc.WriteStreamedProps(track, first, out.size(), out.data(), count);
    return out;
}

std::string Message(const std::function<void()>& f) {
    try {
        f();
    } catch (const std::exception& e) {
        return e.what();
    }
    return "";
}

}  // namespace

TEST(PropList, KindOrderOneNodePerKindAndLetters) {
    TSpace s = EmptySpace;
    EXPECT_EQ(PropLetter(s), 0);
    SetProp(s, pkVolume, 100);
    EXPECT_EQ(PropLetter(s), 'V');
    SetProp(s, pkTempo, 90);
    SetProp(s, pkPitchBend, static_cast<uint16_t>(-1200));
    SetProp(s, pkPan, 3);
    EXPECT_EQ(Kinds(s), (std::vector<int>{3, 5, 6, 10}));
    EXPECT_EQ(PropLetter(s), '+');

    SetProp(s, pkVolume, 7);  // replaces, keeps order
    EXPECT_EQ(Kinds(s), (std::vector<int>{3, 5, 6, 10}));
    EXPECT_EQ(FindProp(s, pkVolume)->Value(), 7);
    EXPECT_EQ(FindProp(s, pkPitchBend)->SignedValue(), -1200);
    EXPECT_EQ(FindProp(s, pkChorus), nullptr);

    RemoveProp(s, pkTempo);
    RemoveProp(s, pkChorus);
    EXPECT_EQ(Kinds(s), (std::vector<int>{5, 6, 10}));
    EXPECT_THROW(SetProp(s, 11, 0), EInternalError);
    ClearProps(s);
    EXPECT_EQ(s.Props, nullptr);

    const char letters[] = "DUTIVPCRMB";
    for (int kind = 1; kind <= 10; ++kind) {
        SetProp(s, kind, 0);
        EXPECT_EQ(PropLetter(s), letters[kind - 1]);
        ClearProps(s);
    }
}

TEST(StreamedProps, RestoreRebuildsListsAndIgnoresEntriesBeyondTheRun) {
    TCustomTabDoc doc;
    doc.New(16);
    TTrackData& t = doc.Track(0);
    SetProp(t.Space(1), pkTempo, 300);
    SetProp(t.Space(3), pkInstrument, 0x8000 | (5 << 8) | 0x80 | 33);
    SetProp(t.Space(3), pkPitchBend, static_cast<uint16_t>(-2400));
    SetProp(t.Space(7), pkVolume, 1);
    const auto bytes = Stream(doc, 0, 0, 8);

    doc.RestoreStreamedProps(0, 100, bytes.size(), bytes.data(), 5);  // space 107 is outside the run
    EXPECT_EQ(FindProp(t.Space(101), pkTempo)->Value(), 300);
    EXPECT_EQ(Kinds(t.Space(103)), (std::vector<int>{4, 10}));
    EXPECT_EQ(FindProp(t.Space(103), pkPitchBend)->SignedValue(), -2400);
    EXPECT_EQ(t.Space(107).Props, nullptr);
    EXPECT_EQ(Stream(doc, 0, 100, 4), std::vector<uint8_t>(bytes.begin(), bytes.begin() + 24));
}

TEST(StreamedProps, FailuresCarryTheirMessages) {
    TCustomTabDoc doc;
    doc.New(16);
    TTrackData& t = doc.Track(0);
    SetProp(t.Space(2), pkVolume, 1);
    t.Space(2).Props->Kind = 12;  // damage a node in place
    EXPECT_EQ(Message([&] { doc.CalcStreamedPropsSize(0, 0, 4); }),
              "CalcStreamedPropsSize: Encountered invalid property data size on Tk=0, Space=2, Prop.Kind=12");
    t.Space(2).Props->Kind = pkVolume;

    std::vector<uint8_t> small(7), big(9);
    EXPECT_EQ(Message([&] { doc.WriteStreamedProps(0, 0, small.size(), small.data(), 4); }),
              "WriteStreamedProps: Exceeded expected size");
    EXPECT_EQ(Message([&] { doc.WriteStreamedProps(0, 0, big.size(), big.data(), 4); }),
              "WriteStreamedProps: Didn't reach expected size");

    // A block onto a space that already has effects is refused; the damaged blocks a file
    // may hold are refused by the song file tests.
    const uint8_t entry[] = {0, 0, 5, 0, 2, 0, 9, 0};
    EXPECT_THROW(doc.RestoreStreamedProps(0, 2, 8, entry, 8), EInternalError);
}

TEST(StreamedProps, RandomListsRoundTrip) {
    std::mt19937 rng(7);
    TCustomTabDoc doc;
    doc.New(16);
    TTrackData& t = doc.Track(0);
    for (int round = 0; round < 50; ++round) {
        for (int i = 0; i < 300; ++i) {
            ClearProps(t.Space(i));
            if (rng() % 4 == 0)
                for (int n = rng() % 4; n > 0; --n)
                    SetProp(t.Space(i), 1 + rng() % 10, static_cast<uint16_t>(rng()));
        }
        const int first = static_cast<int>(rng() % 100), count = static_cast<int>(rng() % 200);
        const auto bytes = Stream(doc, 0, first, count);
        for (int i = 0; i < count; ++i) ClearProps(t.Space(1000 + i));
        doc.RestoreStreamedProps(0, 1000, bytes.size(), bytes.data(), count);
        ASSERT_EQ(Stream(doc, 0, 1000, count), bytes);
    }
}

namespace {

struct TLetterCase {
    const char* name;
    int kind;
    uint16_t value;
    uint8_t letter, byte;
};

FRETLO_PRINT_AS_NAME(TLetterCase)

class LegacyLetters : public ::testing::TestWithParam<TLetterCase> {};

}  // namespace

TEST_P(LegacyLetters, EncodeAndDecodeBack) {
    const TLetterCase& c = GetParam();
    TSpace s = EmptySpace, back = EmptySpace;
    SetProp(s, c.kind, c.value);
    const auto enc = EncodeLegacyProp(s);
    ASSERT_TRUE(enc);
    EXPECT_EQ(enc->Letter, c.letter);
    EXPECT_EQ(enc->Value, c.byte);
    ASSERT_TRUE(DecodeLegacyProp(back, enc->Letter, enc->Value));
    EXPECT_EQ(PropsOf(back), (std::vector<std::pair<int, int>>{{c.kind, c.value}}));
    ClearProps(s);
    ClearProps(back);
}

INSTANTIATE_TEST_SUITE_P(Letters, LegacyLetters,
                         ::testing::Values(TLetterCase{"StrokeDown", pkStrokeDown, 0, 'D', 0},
                                           TLetterCase{"StrokeUp", pkStrokeUp, 0, 'U', 0},
                                           TLetterCase{"Tempo250", pkTempo, 250, 'T', 250},
                                           TLetterCase{"Tempo300", pkTempo, 300, 't', 50},
                                           TLetterCase{"Instrument", pkInstrument, 0x80 | 25, 'I', 0x80 | 25},
                                           TLetterCase{"Volume", pkVolume, 99, 'V', 99},
                                           TLetterCase{"Pan", pkPan, 1, 'P', 1},
                                           TLetterCase{"Chorus", pkChorus, 2, 'C', 2},
                                           TLetterCase{"Reverb", pkReverb, 127, 'R', 127}),
                         fretlo::test::PrintedName());

// The run-length layer on its own: entry forms, block limits and decoding errors.
#include <gtest/gtest.h>

#include <random>

#include "ParamName.h"
#include "base/ByteOrder.h"
#include "base/Errors.h"
#include "document/ByteSource.h"
#include "document/RunLength.h"
#include "document/SongFileBytes.h"
#include "document/SongMessages.h"

namespace fretlo::test {
namespace {

TBytes Encode(const TBytes& raw) {
    TBytes out;
    AppendRunLength(out, raw);
    return out;
}

TBytes Decode(const TBytes& coded, size_t length) {
    TPlainSource in(coded);
    TBytes out(length);
    ReadRunLength(in, out);
    return out;
}

// Alternating bytes: one two-byte entry each.
TBytes Alternating(size_t length) {
    TBytes raw(length);
    for (size_t i = 0; i < raw.size(); ++i) raw[i] = static_cast<uint8_t>(i % 2);
    return raw;
}

TEST(SongFileRunLength, EntryForms) {
    EXPECT_EQ(TBytes(), Encode({}));
    EXPECT_EQ(TBytes({1, 0, 255, 9}), Encode(TBytes(255, 9)));
    EXPECT_EQ(TBytes({2, 0, 0, 0, 1, 9}), Encode(TBytes(256, 9)));
    // 65536 equal bytes: one entry of 65535, then one of 1.
    EXPECT_EQ(TBytes({3, 0, 0, 0xFF, 0xFF, 0, 1, 0}), Encode(TBytes(65536, 0)));
    EXPECT_EQ(TBytes({3, 0, 1, 1, 2, 2, 1, 3}), Encode({1, 2, 2, 3}));
}

TEST(SongFileRunLength, BlocksNeverExceed8192BytesOfEntries) {
    const TBytes raw = Alternating(10000);
    const TBytes coded = Encode(raw);
    // 10000 two-byte entries: blocks of 4096 words, 4096, then 1808.
    ASSERT_EQ(3 * 2 + 20000u, coded.size());
    EXPECT_EQ(4096, GetU16(coded.data()));
    EXPECT_EQ(4096, GetU16(coded.data() + 8194));
    EXPECT_EQ(1808, GetU16(coded.data() + 16388));
    EXPECT_EQ(raw, Decode(coded, raw.size()));
}

TEST(SongFileRunLength, ALongEntryThatDoesNotFitStartsANewBlock) {
    TBytes raw = Alternating(4095);
    raw.resize(raw.size() + 300, 7);
    const TBytes coded = Encode(raw);
    EXPECT_EQ(4095, GetU16(coded.data()));
    EXPECT_EQ(2, GetU16(coded.data() + 8192));
    EXPECT_EQ(raw, Decode(coded, raw.size()));
}

TEST(SongFileRunLength, RandomArraysSurviveTheRoundTrip) {
    std::mt19937 random(7);
    for (int round = 0; round < 50; ++round) {
        TBytes raw(random() % 70000);
        size_t i = 0;
        while (i < raw.size()) {
            const size_t run = std::min<size_t>(raw.size() - i, 1 + random() % (round % 2 ? 70000 : 5));
            std::fill_n(raw.begin() + static_cast<std::ptrdiff_t>(i), run,
                        static_cast<uint8_t>(random() % 3));
            i += run;
        }
        EXPECT_EQ(raw, Decode(Encode(raw), raw.size()));
    }
}

struct TBadRuns {
    const char* name;
    TBytes coded;
    size_t length;
    const char* message;
};

FRETLO_PRINT_AS_NAME(TBadRuns)

class SongFileRunLengthErrors : public ::testing::TestWithParam<TBadRuns> {};

TEST_P(SongFileRunLengthErrors, Raise) {
    try {
        Decode(GetParam().coded, GetParam().length);
        FAIL();
    } catch (const EFretloError& e) {
        EXPECT_STREQ(GetParam().message, e.what());
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SongFileRunLengthErrors,
    ::testing::Values(TBadRuns{"BlockOver8192", {0x01, 0x10}, 4, MsgDataCorrupted},
                      TBadRuns{"RunPastTheEnd", {1, 0, 5, 1}, 4, MsgDataCorrupted},
                      TBadRuns{"LongRunPastTheEnd", {2, 0, 0, 5, 0, 1}, 4, MsgDataCorrupted},
                      TBadRuns{"LongEntryCutByBlockEnd", {1, 0, 0, 80}, 80, MsgDataCorrupted},
                      TBadRuns{"SecondRunPastTheEnd", {2, 0, 3, 1, 2, 1}, 4, MsgDataCorrupted},
                      TBadRuns{"DataEndsInsideABlock", {2, 0, 3, 1}, 4, MsgCorrupted},
                      TBadRuns{"DataEndsBeforeABlock", {1, 0, 3, 1}, 4, MsgCorrupted}),
    PrintedName());

}  // namespace
}  // namespace fretlo::test

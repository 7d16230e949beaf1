// Which stored texts are taken as UTF-8 and which are read as Windows-1252: the edges of
// each sequence length, the surrogates and the last code point, and bytes cut short.
#include <gtest/gtest.h>

#include "ParamName.h"
#include "document/SongText.h"

namespace fretlo::test {
namespace {

struct TTextCase {
    const char* name;
    std::string stored;
    std::string shown;  // as UTF-8
};
FRETLO_PRINT_AS_NAME(TTextCase)

// Valid UTF-8 up to each edge: the smallest form of each length, either side of the
// surrogates, the last code point. A text that ends inside a sequence is not UTF-8, even where
// the bytes after it would finish it.
TEST(SongText, Utf8IsKeptUpToEachEdge) {
    for (const char* text :
         {"Riff 1", "Caf\xC3\xA9 \xE2\x82\xAC \xF0\x9F\x8E\xB8", "\xC2\x80\xE0\xA0\x80\xF0\x90\x80\x80",
          "\xED\x9F\xBF\xEE\x80\x80", "\xF4\x8F\xBF\xBF"})
        EXPECT_EQ(SongTextUtf8(text), text);
    EXPECT_TRUE(IsValidUtf8(std::string_view("\xC3\xA9", 2)));
    EXPECT_FALSE(IsValidUtf8(std::string_view("\xC3\xA9", 1)));
    EXPECT_FALSE(IsValidUtf8(std::string_view("\xE2\x82\xAC", 2)));
}

class SongTextShown : public testing::TestWithParam<TTextCase> {};

TEST_P(SongTextShown, AnythingElseIsReadAsWindows1252) {
    EXPECT_EQ(SongTextUtf8(GetParam().stored), GetParam().shown);
}

// The Windows-1252 readings: 0xC3 Ã, 0xAD í, 0xA0 no-break space, 0xBF ¿, 0x80 €, 0x9F Ÿ.
const TTextCase TextCases[] = {
    {"OverlongTwoBytes", "\xC1\xBF", "\xC3\x81\xC2\xBF"},
    {"OverlongThreeBytes", "\xE0\x9F\xBF", "\xC3\xA0\xC5\xB8\xC2\xBF"},
    {"OverlongFourBytes", "\xF0\x8F\xBF\xBF", "\xC3\xB0\xC2\x8F\xC2\xBF\xC2\xBF"},
    {"FirstSurrogate", "\xED\xA0\x80", "\xC3\xAD\xC2\xA0\xE2\x82\xAC"},
    {"LastSurrogate", "\xED\xBF\xBF", "\xC3\xAD\xC2\xBF\xC2\xBF"},
    {"PastTheLastCodePoint", "\xF4\x90\x80\x80", "\xC3\xB4\xC2\x90\xE2\x82\xAC\xE2\x82\xAC"},
    {"CutShortAtTheEnd", "Caf\xC3", "Caf\xC3\x83"},
    {"Windows1252WithAnUnassignedByte", "Caf\xE9 \x93x\x94\x81",
     "Caf\xC3\xA9 \xE2\x80\x9Cx\xE2\x80\x9D\xC2\x81"},
};

INSTANTIATE_TEST_SUITE_P(Texts, SongTextShown, testing::ValuesIn(TextCases), PrintedName());

}  // namespace
}  // namespace fretlo::test

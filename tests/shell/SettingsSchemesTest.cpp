// Colour schemes: the built-in Standard and Dark, and the user's saved schemes.
#include <gtest/gtest.h>

#include "shell/MemoryConfig.h"
#include "shell/SettingsSchemes.h"
#include "shell/SettingsTable.h"

namespace fretlo {
namespace {

using test::TMemoryConfig;

const TTabColorTable Custom = {1, 2, 3, 4, 5, 6, 7, 8, 9};

TEST(ColorSchemes, BuiltInsComeFirstThenSavedSchemesInOrder) {
    TMemoryConfig store;
    EXPECT_TRUE(WriteScheme(store, "Zebra", Custom));
    EXPECT_TRUE(WriteScheme(store, "Autumn", Custom));
    EXPECT_EQ(SchemeNames(store), (std::vector<std::string>{"Standard", "Dark", "Autumn", "Zebra"}));
}

TEST(ColorSchemes, BuiltInsCannotBeSavedOverOrDeletedWhateverTheCase) {
    TMemoryConfig store;
    for (const char* name : {"Standard", "standard", "DARK", "Dark"}) {
        EXPECT_FALSE(WriteScheme(store, name, Custom)) << name;
        EXPECT_FALSE(DeleteScheme(store, name)) << name;
    }
    EXPECT_TRUE(store.Values.empty());
    EXPECT_EQ(ReadScheme(store, "standard"), StandardScheme);
    EXPECT_EQ(ReadScheme(store, "Dark"), DarkScheme);
}

TEST(ColorSchemes, SavedSchemeHasTheColorsSectionForm) {
    TMemoryConfig store;
    WriteScheme(store, "Mine", Custom);
    EXPECT_EQ(store.Text("ColorSchemes/Mine", "Bkg"), "1");
    EXPECT_EQ(store.Text("ColorSchemes/Mine", "HighlightText"), "9");
    EXPECT_EQ(ReadScheme(store, "Mine"), Custom);
}

TEST(ColorSchemes, MissingOrInvalidRoleOfASavedSchemeIsTheStandardColor) {
    TMemoryConfig store;
    WriteScheme(store, "Mine", Custom);
    store.Values.erase({"ColorSchemes/Mine", "TabLine"});
    store.WriteString("ColorSchemes/Mine", "Text", "blue");
    TTabColorTable expected = Custom;
    expected[tcTabLine] = StandardScheme[tcTabLine];
    expected[tcText] = StandardScheme[tcText];
    EXPECT_EQ(ReadScheme(store, "Mine"), expected);
    EXPECT_EQ(ReadScheme(store, "Never Saved"), StandardScheme);
}

TEST(ColorSchemes, SlashInANameStaysOneScheme) {
    TMemoryConfig store;
    WriteScheme(store, "Black/White", Custom);
    EXPECT_EQ(SchemeNames(store).back(), "Black/White");
    EXPECT_EQ(ReadScheme(store, "Black/White"), Custom);
    EXPECT_TRUE(DeleteScheme(store, "Black/White"));
    EXPECT_TRUE(store.Values.empty());
}

TEST(ColorSchemes, DeletingOneSchemeKeepsTheOthers) {
    TMemoryConfig store;
    WriteScheme(store, "One", Custom);
    WriteScheme(store, "One more", Custom);
    DeleteScheme(store, "One");
    EXPECT_EQ(SchemeNames(store), (std::vector<std::string>{"Standard", "Dark", "One more"}));
}

TEST(ColorSchemes, DarkSchemeReadsWellOnItsBackground) {
    // Every text role must stand out from the background; lines may be subtler.
    const auto brightness = [](TColorRef c) {
        return (RedOf(c) * 299 + GreenOf(c) * 587 + BlueOf(c) * 114) / 1000;
    };
    const int background = brightness(DarkScheme[tcBkg]);
    for (const TTabViewColors role :
         {tcBarLine, tcText, tcTextEffect, tcTextTrackEffect, tcTextBlankLine, tcTextTuning, tcHighlightText})
        EXPECT_GT(brightness(DarkScheme[role]) - background, 100) << role;
    EXPECT_GT(brightness(DarkScheme[tcTabLine]), background);
}

}  // namespace
}  // namespace fretlo

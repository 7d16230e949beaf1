// The settings table: every ident's name, default and stored form; validation of what is read back.
#include <gtest/gtest.h>

#include <set>

#include "shell/MemoryConfig.h"
#include "shell/SettingsTable.h"

namespace fretlo {
namespace {

using test::TMemoryConfig;

struct TStored {
    std::string Section;
    std::string Ident;
    std::string Text;
};

// What a fresh profile writes at its first exit, value by value.
const TStored FreshProfile[] = {
    {"", "DefaultPath", "<doc>/Fretlo Tabs"},
    {"", "UseSameInst", "1"},
    {"", "HideCursorWhilePlaying", "1"},
    {"", "DrawNumbersTransparently", "0"},
    {"", "HighlightNotes", "1"},
    {"", "MovingBar", "0"},
    {"", "ScrollABar", "1"},
    {"", "MouseWheelVert", "0"},
    {"", "MetronomeOn", "0"},
    {"", "TuningAlwaysVisible", "1"},
    {"", "RewindAfterStop", "0"},
    {"", "PlayNotesWhileEditing", "1"},
    {"", "MenuBarSpansRow", "1"},
    {"", "Maximized2", "0"},
    {"", "MIDIDevice", "-1"},
    {"", "MetronomeVolume", "96"},
    {"", "MetronomeAccent", "1"},
    {"", "MetronomeDrum", "37"},
    {"", "SendBankSelects", "0"},
    {"", "CurrentScheme", ""},
    {"", "SoundFont", ""},
    {"Print", "LeftMarginNew", "500"},
    {"Print", "RightMarginNew", "500"},
    {"Print", "TopMarginNew", "500"},
    {"Print", "BottomMarginNew", "500"},
    {"Colors", "Bkg", std::to_string(0xFFFFFF)},
    {"Colors", "TabLine", std::to_string(0xD7D7D7)},
    {"Colors", "BarLine", "0"},
    {"Colors", "Text", "0"},
    {"Colors", "TextEffect", std::to_string(0xFF0000)},
    {"Colors", "TextTrackEffect", std::to_string(0x808000)},
    {"Colors", "TextBlankLine", std::to_string(0x800000)},
    {"Colors", "TextTuning", "0"},
    {"Colors", "HighlightText", std::to_string(0xC0C0C0)},
    {"Fonts", "Tab.Name", "Arial"},
    {"Fonts", "Tab.Height", "15"},
    {"Fonts", "TabSmall.Name", "Arial"},
    {"Fonts", "TabSmall.Height", "13"},
    {"Fonts", "PrintTitle.Name", "Arial"},
    {"Fonts", "PrintTitle.Height", "32"},
    {"Fonts", "PrintArtist.Name", "Arial"},
    {"Fonts", "PrintArtist.Height", "20"},
    {"Fonts", "PrintPageNumber.Name", "Arial"},
    {"Fonts", "PrintPageNumber.Height", "18"},
};

bool AnyFont(const std::string&) { return true; }

TMemoryConfig Stored(const TSettings& settings) {
    TMemoryConfig store;
    WriteSettings(settings, store);
    return store;
}

TEST(SettingsDefaults, FreshProfileWritesEveryIdentWithItsDefault) {
    const TMemoryConfig store = Stored(TSettings{});
    for (const TStored& v : FreshProfile)
        EXPECT_EQ(store.Text(v.Section, v.Ident), v.Text) << v.Section << "/" << v.Ident;
    // Nothing beyond the list above except the (empty) toolbar layout.
    EXPECT_EQ(store.Values.size(), std::size(FreshProfile) + 1);
    EXPECT_EQ(store.ReadBinary(ToolbarsSection, ToolbarsIdent), std::vector<uint8_t>{});
}

TEST(SettingsDefaults, EmptyStoreReadsAsTheDefaults) {
    const TMemoryConfig empty;
    const TSettings read = ReadSettings(empty, AnyFont);
    EXPECT_EQ(Stored(read).Values, Stored(TSettings{}).Values);
    EXPECT_EQ(read.PlayNotesWhileEditing, pnCurrentTrack);
    EXPECT_EQ(read.MIDIDevice, MidiMapperDevice);
}

TEST(SettingsDefaults, EveryIdentIsUniqueWithinItsSection) {
    std::set<std::pair<std::string_view, std::string_view>> seen;
    for (const TSettingRow& row : SettingRows())
        EXPECT_TRUE(seen.insert({row.Section, row.Ident}).second) << row.Ident;
}

TEST(SettingsRoundTrip, ChangedValuesAreReadBackUnchanged) {
    TSettings s;
    s.DefaultPath = "/srv/tabs";
    s.UseSameInst = false;
    s.MouseWheelVert = true;
    s.PlayNotesWhileEditing = pnAllTracks;
    s.MIDIDevice = 3;
    s.MetronomeVolume = 0;
    s.MetronomeDrum = 127;
    s.CurrentScheme = "Dark";
    s.SoundFont = "/usr/share/sounds/sf2/FluidR3_GM.sf2";
    s.Print.TopMarginNew = 250;
    s.Colors[tcHighlightText] = 0x00D7FF;
    s.Fonts.TabSmall = {"DejaVu Sans", 12};
    s.ToolbarLayout = {0, 0, 0, 0xFF, 1, 2};
    const TMemoryConfig store = Stored(s);
    EXPECT_EQ(Stored(ReadSettings(store, AnyFont)).Values, store.Values);
}

struct TBadValue {
    std::string Section;
    std::string Ident;
    std::string Stored;
    std::string ReadAs;  // how the value is written back after reading
};

class SettingsValidation : public testing::TestWithParam<TBadValue> {};

TEST_P(SettingsValidation, ValueReadBackIsValidated) {
    const TBadValue& v = GetParam();
    TMemoryConfig store;
    store.WriteString(v.Section, v.Ident, v.Stored);
    EXPECT_EQ(Stored(ReadSettings(store, AnyFont)).Text(v.Section, v.Ident), v.ReadAs);
}

INSTANTIATE_TEST_SUITE_P(
    RootAndSections, SettingsValidation,
    testing::Values(
        TBadValue{"", "PlayNotesWhileEditing", "5", "1"},
        TBadValue{"", "PlayNotesWhileEditing", "letters", "1"},
        TBadValue{"", "PlayNotesWhileEditing", "-1", "1"}, TBadValue{"", "PlayNotesWhileEditing", "0", "0"},
        TBadValue{"", "PlayNotesWhileEditing", "2", "2"}, TBadValue{"", "MetronomeVolume", "200", "96"},
        TBadValue{"", "MetronomeVolume", "-1", "96"}, TBadValue{"", "MetronomeVolume", "127", "127"},
        TBadValue{"", "MetronomeVolume", "0", "0"}, TBadValue{"", "MetronomeDrum", "-1", "37"},
        TBadValue{"", "MetronomeDrum", "128", "37"}, TBadValue{"", "MetronomeDrum", "35", "35"},
        TBadValue{"", "MIDIDevice", "abc", "-1"}, TBadValue{"", "MIDIDevice", " 4 ", "4"},
        TBadValue{"", "MIDIDevice", "+2", "2"}, TBadValue{"", "MIDIDevice", "99999999999", "-1"},
        TBadValue{"", "MIDIDevice", "2x", "-1"}, TBadValue{"", "MIDIDevice", "", "-1"},
        TBadValue{"", "UseSameInst", "0", "0"}, TBadValue{"", "UseSameInst", "2", "1"},
        TBadValue{"", "UseSameInst", "yes", "1"}, TBadValue{"", "MovingBar", "-3", "1"},
        TBadValue{"", "MovingBar", "no", "0"}, TBadValue{"", "DefaultPath", "", ""},
        TBadValue{"", "DefaultPath", "<doc>\\Fretlo Tabs", "<doc>\\Fretlo Tabs"},
        TBadValue{"Print", "LeftMarginNew", "abc", "500"}, TBadValue{"Print", "LeftMarginNew", "-20", "-20"},
        TBadValue{"Colors", "Bkg", "-5", std::to_string(0xFFFFFF)},
        TBadValue{"Colors", "Bkg", std::to_string(0x1000000), std::to_string(0xFFFFFF)},
        TBadValue{"Colors", "TabLine", "0x00FF", std::to_string(0xD7D7D7)},
        TBadValue{"Colors", "TabLine", "255", "255"}));

struct TFontCase {
    std::string Name;
    std::string Height;
    bool Accepted;
};

class FontValidation : public testing::TestWithParam<TFontCase> {};

TEST_P(FontValidation, PairReplacesTheDefaultOnlyWhenInstalledAndEightToFifty) {
    const TFontCase& c = GetParam();
    TMemoryConfig store;
    store.WriteString(FontsSection, "PrintArtist.Name", c.Name);
    store.WriteString(FontsSection, "PrintArtist.Height", c.Height);
    const auto installed = [](const std::string& family) { return family == "Liberation Sans"; };
    const TSettings read = ReadSettings(store, installed);
    const TTabFontSetting expected =
        c.Accepted ? TTabFontSetting{c.Name, std::stoi(c.Height)} : TTabFontSetting{"Arial", 20};
    EXPECT_EQ(read.Fonts.PrintArtist.Name, expected.Name);
    EXPECT_EQ(read.Fonts.PrintArtist.Height, expected.Height);
    TTabFontSettings others = read.Fonts;
    others.PrintArtist = DefaultFonts().PrintArtist;
    EXPECT_TRUE(others == DefaultFonts());
}

INSTANTIATE_TEST_SUITE_P(
    Pairs, FontValidation,
    testing::Values(TFontCase{"Liberation Sans", "20", true}, TFontCase{"Liberation Sans", "8", true},
                    TFontCase{"Liberation Sans", "50", true}, TFontCase{"Liberation Sans", "7", false},
                    TFontCase{"Liberation Sans", "51", false}, TFontCase{"Liberation Sans", "-1", false},
                    TFontCase{"Liberation Sans", "big", false}, TFontCase{"No Such Font", "20", false},
                    TFontCase{"", "20", false}));

TEST(FontValidation, HeightWithoutNameOrNameWithoutHeightKeepsTheDefault) {
    TMemoryConfig store;
    store.WriteString(FontsSection, "Tab.Height", "30");
    store.WriteString(FontsSection, "TabSmall.Name", "Liberation Sans");
    const TSettings read = ReadSettings(store, AnyFont);
    EXPECT_TRUE(read.Fonts == DefaultFonts());
}

}  // namespace
}  // namespace fretlo

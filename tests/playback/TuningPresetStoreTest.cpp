// The instrument kinds and the preset tunings they keep in the settings store.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "ParamName.h"
#include "base/Errors.h"
#include "playback/MemorySettingsStore.h"
#include "playback/TrackKinds.h"

namespace fretlo {
namespace {

using test::TMemorySettingsStore;
using Notes = std::vector<uint8_t>;

std::vector<std::string> Names(const std::vector<TPresetTuning>& presets) {
    std::vector<std::string> names;
    for (const TPresetTuning& p : presets) names.push_back(p.Name);
    return names;
}

struct TFreshKind {
    int Kind;
    std::vector<std::string> Names;  // as listed
    std::string Selected;
    bool SelectedIsDefault;
};

void PrintTo(const TFreshKind& k, std::ostream* os) { *os << "kind " << k.Kind; }

class FreshKind : public testing::TestWithParam<TFreshKind> {};

TEST_P(FreshKind, WritesItsBuiltInsOnceAndSelectsTheDefault) {
    const TFreshKind& fresh = GetParam();
    TMemorySettingsStore store;
    const TKindChange change = ChangeKind(store, fresh.Kind);
    EXPECT_EQ(Names(change.Presets), fresh.Names);
    ASSERT_GE(change.Preset, 0);
    EXPECT_EQ(change.Presets[change.Preset].Name, fresh.Selected);
    EXPECT_EQ(change.Presets[change.Preset].IsDefault, fresh.SelectedIsDefault);
    for (const TPresetTuning& p : change.Presets)
        EXPECT_EQ(static_cast<int>(p.Notes.size()), change.Kind.StringCount);
    // A second opening reads what the first wrote.
    ChangeKind(store, fresh.Kind);
    EXPECT_EQ(store.Writes, 1);
}

const std::vector<std::string> SixStrings = {"(Standard)", "Dropped D", "Open A", "Open C",
                                             "Open D",     "Open E",    "Open G"};
const std::string Kit = "Bass/Snare/Closed HH/Open HH/Stick/Crash";

INSTANTIATE_TEST_SUITE_P(
    Kinds, FreshKind,
    testing::Values(TFreshKind{0, SixStrings, "(Standard)", true},
                    TFreshKind{1, {"(Standard)"}, "(Standard)", true},
                    TFreshKind{2, {"C Tuning", "D Tuning", "G Tuning"}, "G Tuning", true},
                    TFreshKind{3, SixStrings, "(Standard)", true},
                    TFreshKind{4, {"All 0", "All 35", Kit}, Kit, true},
                    // No default preset: the first one is selected.
                    TFreshKind{5, {"(Standard)"}, "(Standard)", false}),
    test::PrintedName());

TEST(TrackKinds, DrumsTakeKitChannelNumbersAndTheDrumPreset) {
    TMemorySettingsStore store;
    const TKindChange drums = ChangeKind(store, TrackKindIndex(6, 1));
    EXPECT_EQ(drums.Kind.Caption, "6 - Drums");
    EXPECT_EQ(drums.Kind.Instrument, 0);
    EXPECT_EQ(drums.Kind.ChannelChoice, DrumsChannelChoice);
    EXPECT_EQ(drums.Kind.HighestNumber, 99);
    const TPresetTuning& preset = drums.Presets[drums.Preset];
    EXPECT_EQ(preset.Notes, (Notes{35, 38, 42, 46, 37, 49}));
    EXPECT_TRUE(preset.ShowNumbers);
    EXPECT_EQ(TrackKindIndex(5, 1), 2);
    EXPECT_EQ(TrackKindIndex(4, 1), 0);  // no such kind: the plain one of that string count
    EXPECT_EQ(TrackKindIndex(8, 0), -1);
}

TEST(TuningPresets, ValuesOfAnotherTypeOrLengthAreSkipped) {
    TMemorySettingsStore store;
    store.Keys["Tunings/#4-0"] = {{"", std::string("Mine")},
                                  {"Mine", Notes{28, 33, 38, 43}},
                                  {"short", Notes{28, 33, 38}},
                                  {"long", Notes{28, 33, 38, 43, 48}},
                                  {"text", std::string("28,33,38,43")},
                                  {"another", Notes{26, 33, 38, 43}}};
    store.Keys["Tunings/#4-0/Flags"] = {{"Flags: Mine", std::string("3")},
                                        {"Flags: another", std::string("x1")}};
    const auto presets = TTuningPresetStore(store, 4, 0).Load();
    ASSERT_EQ(Names(presets), (std::vector<std::string>{"another", "Mine"}));  // sorted ignoring case
    EXPECT_FALSE(presets[0].ShowNumbers);
    EXPECT_TRUE(presets[1].ShowNumbers && presets[1].IsDefault);
    EXPECT_EQ(store.Writes, 0);
}

TEST(TuningPresets, CommandsChangeTheStoreAndResetBringsTheBuiltInsBack) {
    TMemorySettingsStore store;
    const TTuningPresetStore presets(store, 6, 0);
    presets.Load();
    presets.Save("My/Tuning", Notes{38, 45, 50, 55, 59, 62}, true);
    presets.SetDefault("My/Tuning");
    auto list = presets.Load();
    const auto mine = std::ranges::find(list, std::string("My/Tuning"), &TPresetTuning::Name);
    ASSERT_NE(mine, list.end());
    EXPECT_TRUE(mine->ShowNumbers && mine->IsDefault);
    EXPECT_EQ(std::ranges::count_if(list, &TPresetTuning::IsDefault), 1);

    presets.Delete("My/Tuning");
    presets.Delete("(Standard)");
    list = presets.Load();
    EXPECT_EQ(list.size(), 6u);
    EXPECT_FALSE(store.Keys["Tunings/#6-0/Flags"].contains("Flags: My/Tuning"));
    EXPECT_EQ(InitialPreset(list), 0);  // the default is gone: the first one

    presets.Reset();
    EXPECT_FALSE(store.Keys.contains("Tunings/#6-0") || store.Keys.contains("Tunings/#6-0/Flags"));
    list = presets.Load();
    EXPECT_EQ(list[InitialPreset(list)].Name, "(Standard)");
}

TEST(TuningPresets, AStoreThatCannotBeWrittenNamesTheKey) {
    TMemorySettingsStore store;
    store.RefuseWrites = true;
    const TTuningPresetStore presets(store, 6, 1);
    const auto fails = [](const std::function<void()>& command) {
        try {
            command();
        } catch (const EFretloError& error) {
            EXPECT_STREQ(error.what(),
                         "Failed to create key \\Software\\Korvane Software\\WinFretlo\\Tunings\\#6-1");
            return;
        }
        ADD_FAILURE() << "no error";
    };
    fails([&] { presets.Load(); });
    fails([&] { presets.Save("x", Notes(6, 40), false); });
    fails([&] { presets.Reset(); });
    // A kind that is there already loads without writing.
    store.Keys["Tunings/#6-1"] = {{"", std::string()}};
    EXPECT_TRUE(presets.Load().empty());
}

TEST(TuningPresets, TheListFollowsTheFirstPresetWithTheSameNotes) {
    const std::vector<TPresetTuning> list = {
        {"a", {40, 45}, false, false}, {"b", {38, 45}, true, false}, {"c", {38, 45}, false, false}};
    EXPECT_EQ(MatchingPreset(list, Notes{38, 45}), 1);
    EXPECT_EQ(MatchingPreset(list, Notes{38, 46}), -1);
    EXPECT_EQ(InitialPreset(list), 1);
    EXPECT_EQ(InitialPreset({}), -1);
}

}  // namespace
}  // namespace fretlo

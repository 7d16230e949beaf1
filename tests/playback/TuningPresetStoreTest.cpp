// The instrument kinds and the preset tunings they keep in the settings store.
#include <gtest/gtest.h>

#include "ParamName.h"
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
    std::string Selected;  // the default
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
    EXPECT_TRUE(change.Presets[change.Preset].IsDefault);
    // A second opening reads what the first wrote.
    ChangeKind(store, fresh.Kind);
    EXPECT_EQ(store.Writes, 1);
}

// The six-string guitar, the drums and the seven-string guitar (whose first preset is selected,
// there being no default) are opened in the track properties dialog's tests.
INSTANTIATE_TEST_SUITE_P(
    Kinds, FreshKind,
    testing::Values(TFreshKind{0,
                               {"(Standard)", "Dropped D", "Open A", "Open C", "Open D", "Open E", "Open G"},
                               "(Standard)"},
                    TFreshKind{1, {"(Standard)"}, "(Standard)"},
                    TFreshKind{2, {"C Tuning", "D Tuning", "G Tuning"}, "G Tuning"}),
    test::PrintedName());

// A variant no kind has falls back to the plain kind of that string count.
TEST(TrackKinds, AreFoundByStringCountAndVariant) {
    EXPECT_EQ(TrackKindIndex(5, 1), 2);
    EXPECT_EQ(TrackKindIndex(4, 1), 0);
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

// Saving, the default and a failing store are reached through the track properties dialog's
// tests; deleting a preset takes its flags along.
TEST(TuningPresets, DeletingTheDefaultSelectsTheFirstAndResetBringsTheBuiltInsBack) {
    TMemorySettingsStore store;
    const TTuningPresetStore presets(store, 6, 0);
    presets.Load();
    presets.Delete("(Standard)");
    auto list = presets.Load();
    EXPECT_EQ(list.size(), 6u);
    EXPECT_FALSE(store.Keys["Tunings/#6-0/Flags"].contains("Flags: (Standard)"));
    EXPECT_EQ(InitialPreset(list), 0);

    presets.Reset();
    EXPECT_FALSE(store.Keys.contains("Tunings/#6-0") || store.Keys.contains("Tunings/#6-0/Flags"));
    list = presets.Load();
    EXPECT_EQ(list[InitialPreset(list)].Name, "(Standard)");
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

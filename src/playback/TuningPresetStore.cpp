#include "playback/TuningPresetStore.h"

#include <algorithm>
#include <cctype>
#include <charconv>

#include "base/Errors.h"
#include "document/TrackData.h"
#include "playback/TuningPresets.h"

namespace fretlo {

namespace {

constexpr char FlagsPrefix[] = "Flags: ";
constexpr uint8_t ShowNumbersFlag = 1;

std::string FlagsName(const std::string& preset) { return FlagsPrefix + preset; }

TSettingsChange SetValue(const std::string& key, const std::string& name, TSettingsValue value) {
    return {TSettingsChange::SetValue, key, name, std::move(value)};
}
TSettingsChange EraseValue(const std::string& key, const std::string& name) {
    return {TSettingsChange::EraseValue, key, name, {}};
}

// Integers are kept as decimal text; a value that is no number has no flags.
bool ShowsNumbers(const TSettingsValues& flags, const std::string& preset) {
    const auto it = flags.find(FlagsName(preset));
    if (it == flags.end() || !std::holds_alternative<std::string>(it->second)) return false;
    const std::string& text = std::get<std::string>(it->second);
    int bits = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), bits);
    return error == std::errc() && end == text.data() + text.size() && (bits & ShowNumbersFlag) != 0;
}

bool LessIgnoringCase(const std::string& a, const std::string& b) {
    return std::ranges::lexicographical_compare(
        a, b, [](unsigned char x, unsigned char y) { return std::tolower(x) < std::tolower(y); });
}

}  // namespace

TTuningPresetStore::TTuningPresetStore(TSettingsStore& store, int stringCount, int variant)
    : store_(store), stringCount_(stringCount), variant_(variant),
      key_(TuningPresetKey(stringCount, variant)), flagsKey_(key_ + "/Flags") {}

std::string TTuningPresetStore::KeyPath() const {
    std::string path = "\\Software\\Korvane Software\\WinFretlo\\" + key_;
    std::ranges::replace(path, '/', '\\');
    return path;
}

void TTuningPresetStore::WriteOrFail(const std::vector<TSettingsChange>& changes) const {
    if (!store_.Write(changes)) throw EFretloError(Format("Failed to create key %s", KeyPath().c_str()));
}

std::vector<TSettingsChange> TTuningPresetStore::BuiltIns() const {
    // The default value is written even for a kind without a default preset: it is what
    // makes the key exist once its presets are all deleted.
    std::vector<TSettingsChange> changes{SetValue(key_, "", std::string())};
    for (const TTuningPreset& preset : BuiltInTunings()) {
        if (preset.StringCount != stringCount_ || preset.Variant != variant_) continue;
        const std::string name(preset.Name);
        changes.push_back(SetValue(
            key_, name, std::vector<uint8_t>(preset.Notes.begin(), preset.Notes.begin() + stringCount_)));
        changes.push_back(SetValue(flagsKey_, FlagsName(name), std::to_string(preset.ShowNumbers ? 1 : 0)));
        if (preset.IsDefault) changes.front().Value = name;
    }
    return changes;
}

std::vector<TPresetTuning> TTuningPresetStore::Load() const {
    auto values = store_.ReadValues(key_);
    if (!values) {
        WriteOrFail(BuiltIns());
        values = store_.ReadValues(key_);
    }
    if (!values) return {};
    const TSettingsValues flags = store_.ReadValues(flagsKey_).value_or(TSettingsValues{});
    const auto defaultValue = values->find("");
    const std::string defaultName =
        defaultValue != values->end() && std::holds_alternative<std::string>(defaultValue->second)
            ? std::get<std::string>(defaultValue->second)
            : std::string();
    std::vector<TPresetTuning> presets;
    for (const auto& [name, value] : *values) {
        const auto* notes = std::get_if<std::vector<uint8_t>>(&value);
        if (name.empty() || !notes || static_cast<int>(notes->size()) != stringCount_) continue;
        presets.push_back({name, *notes, name == defaultName, ShowsNumbers(flags, name)});
    }
    std::ranges::stable_sort(presets, LessIgnoringCase, &TPresetTuning::Name);
    return presets;
}

void TTuningPresetStore::Save(const std::string& name, std::span<const uint8_t> notes,
                              bool showNumbers) const {
    Check(!name.empty() && static_cast<int>(notes.size()) == stringCount_, "preset without name or notes");
    WriteOrFail({SetValue(key_, name, std::vector<uint8_t>(notes.begin(), notes.end())),
                 SetValue(flagsKey_, FlagsName(name), std::to_string(showNumbers ? ShowNumbersFlag : 0))});
}

void TTuningPresetStore::Delete(const std::string& name) const {
    WriteOrFail({EraseValue(key_, name), EraseValue(flagsKey_, FlagsName(name))});
}

void TTuningPresetStore::SetDefault(const std::string& name) const {
    WriteOrFail({SetValue(key_, "", name)});
}

void TTuningPresetStore::Reset() const { WriteOrFail({{TSettingsChange::EraseKey, key_, {}, {}}}); }

int InitialPreset(const std::vector<TPresetTuning>& presets) {
    const auto it = std::ranges::find_if(presets, &TPresetTuning::IsDefault);
    if (it != presets.end()) return static_cast<int>(it - presets.begin());
    return presets.empty() ? -1 : 0;
}

int MatchingPreset(const std::vector<TPresetTuning>& presets, std::span<const uint8_t> notes) {
    const auto it = std::ranges::find_if(
        presets, [&](const TPresetTuning& p) { return std::ranges::equal(p.Notes, notes); });
    return it == presets.end() ? -1 : static_cast<int>(it - presets.begin());
}

}  // namespace fretlo

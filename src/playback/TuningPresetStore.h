// The preset tunings of one instrument kind as the user's settings store keeps them:
//   key "Tunings/#<strings>-<variant>": default value = the default preset's name, one binary
//   value of <strings> absolute keys per preset; subkey "Flags": "Flags: <name>" = bit 0 show
//   numbers. A kind whose key is missing gets the built-in presets written on its first load.
// Each command is one pass over the store; a pass the store refuses raises
// "Failed to create key %s" with the key's full path.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "platform/SettingsStore.h"

namespace fretlo {

struct TPresetTuning {
    std::string Name;
    std::vector<uint8_t> Notes;  // absolute keys, string 0 (the lowest) first
    bool IsDefault = false;
    bool ShowNumbers = false;  // show key numbers instead of note names
};

class TTuningPresetStore {
public:
    TTuningPresetStore(TSettingsStore& store, int stringCount, int variant);

    // The kind's presets sorted by name (ignoring case); values of another type or length are
    // skipped.
    std::vector<TPresetTuning> Load() const;
    // Adds or replaces a preset.
    void Save(const std::string& name, std::span<const uint8_t> notes, bool showNumbers) const;
    void Delete(const std::string& name) const;
    void SetDefault(const std::string& name) const;
    // Removes the kind's key, so that the next Load writes the built-ins again.
    void Reset() const;

    // "\Software\Korvane Software\WinFretlo\Tunings\#6-0", as failures name it.
    std::string KeyPath() const;

private:
    void WriteOrFail(const std::vector<TSettingsChange>& changes) const;
    std::vector<TSettingsChange> BuiltIns() const;

    TSettingsStore& store_;
    int stringCount_;
    int variant_;
    std::string key_;
    std::string flagsKey_;
};

// The preset a kind's list starts on: the default one, else the first; -1 for an empty list.
int InitialPreset(const std::vector<TPresetTuning>& presets);
// The first preset whose notes equal `notes` on every string; -1 when none does.
int MatchingPreset(const std::vector<TPresetTuning>& presets, std::span<const uint8_t> notes);

}  // namespace fretlo

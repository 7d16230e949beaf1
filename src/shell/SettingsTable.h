// Every setting with its place in the store, its default and its validation: the one table
// the program reads and writes its settings by.
#pragma once

#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <variant>

#include "shell/ConfigValues.h"
#include "shell/Settings.h"

namespace fretlo {

// Where a scalar setting lives inside TSettings.
using TSettingField = std::variant<bool*, int*, std::string*, TColorRef*>;

// An integer read outside [Min, Max] becomes Fallback.
struct TIntRange {
    int Min;
    int Max;
    int Fallback;
};

struct TSettingRow {
    std::string_view Section;  // empty = the root
    std::string_view Ident;
    TSettingField (*Field)(TSettings&);
    int Default;                     // booleans, integers and colours
    std::string_view TextDefault;    // strings
    std::optional<TIntRange> Range;  // validation of integers and colours
};

// A font of TTabFontSettings: stored in section "Fonts" as Key + ".Name" and Key + ".Height".
struct TFontRow {
    std::string_view Key;
    TTabFontSetting TTabFontSettings::*Member;
    TTabFontSetting Default;
};

inline constexpr std::string_view ColorsSection = "Colors";
inline constexpr std::string_view FontsSection = "Fonts";
inline constexpr std::string_view PracticeSection = "Practice";
inline constexpr std::string_view ToolbarsSection = "Toolbars2";
inline constexpr std::string_view ToolbarsIdent = "Layout";
inline constexpr int MinFontHeight = 8;
inline constexpr int MaxFontHeight = 50;
inline constexpr int MaxTrainerStep = 100;  // % per step
inline constexpr int MaxTrainerEvery = 99;  // loop passes per step

// The root idents in reading and writing order, then "Print", "Practice" and "Colors".
std::span<const TSettingRow> SettingRows();
std::span<const TFontRow> FontRows();
TTabFontSettings DefaultFonts();

// Tells whether a font family is installed; a stored font pair naming another is ignored.
using TFontCheck = std::function<bool(const std::string& family)>;

// One read pass: what is missing or invalid keeps its default.
TSettings ReadSettings(const TConfigValues& values, const TFontCheck& isInstalled);
// One write pass, in the same order as the read pass.
void WriteSettings(const TSettings& settings, TConfigValues& values);

// The nine colour roles as section "Colors" holds them, read from or written to `section`
// (a saved colour scheme has the same form).
TTabColorTable ReadColors(const TConfigValues& values, std::string_view section);
void WriteColors(const TTabColorTable& colors, TConfigValues& values, std::string_view section);

}  // namespace fretlo

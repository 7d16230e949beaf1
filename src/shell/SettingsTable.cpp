#include "shell/SettingsTable.h"

#include <type_traits>

#include "playback/Practice.h"

namespace fretlo {

namespace {

template <auto Member> TSettingField Root(TSettings& s) { return &(s.*Member); }
template <auto Member> TSettingField Margin(TSettings& s) { return &(s.Print.*Member); }
template <auto Member> TSettingField Practising(TSettings& s) { return &(s.Practice.*Member); }
template <TTabViewColors Role> TSettingField Color(TSettings& s) { return &s.Colors[Role]; }

constexpr TSettingRow Flag(std::string_view ident, TSettingField (*field)(TSettings&), bool on) {
    return {"", ident, field, on ? 1 : 0, {}, std::nullopt};
}

constexpr TSettingRow MidiValue(std::string_view ident, TSettingField (*field)(TSettings&), int fallback) {
    return {"", ident, field, fallback, {}, TIntRange{0, 127, fallback}};
}

constexpr TSettingRow PrintMargin(std::string_view ident, TSettingField (*field)(TSettings&)) {
    return {"Print", ident, field, 500, {}, std::nullopt};
}

constexpr TSettingRow PracticeFlag(std::string_view ident, TSettingField (*field)(TSettings&)) {
    return {PracticeSection, ident, field, 0, {}, std::nullopt};
}

constexpr TSettingRow PracticeValue(std::string_view ident, TSettingField (*field)(TSettings&), int min, int max,
                                    int fallback) {
    return {PracticeSection, ident, field, fallback, {}, TIntRange{min, max, fallback}};
}

// Colours are 0x00BBGGRR; a value with bits above those is not a colour.
template <TTabViewColors Role> constexpr TSettingRow ColorRole(std::string_view ident) {
    const int standard = static_cast<int>(StandardScheme[Role]);
    return {ColorsSection, ident, Color<Role>, standard, {}, TIntRange{0, 0xFFFFFF, standard}};
}

constexpr TIntRange PlayNotesModes{pnOff, pnAllTracks, pnCurrentTrack};

constexpr TSettingRow RowTable[] = {
    {"", "DefaultPath", Root<&TSettings::DefaultPath>, 0, "<doc>/Fretlo Tabs", std::nullopt},
    Flag("UseSameInst", Root<&TSettings::UseSameInst>, true),
    Flag("HideCursorWhilePlaying", Root<&TSettings::HideCursorWhilePlaying>, true),
    Flag("DrawNumbersTransparently", Root<&TSettings::DrawNumbersTransparently>, false),
    Flag("HighlightNotes", Root<&TSettings::HighlightNotes>, true),
    Flag("MovingBar", Root<&TSettings::MovingBar>, false),
    Flag("ScrollABar", Root<&TSettings::ScrollABar>, true),
    Flag("MouseWheelVert", Root<&TSettings::MouseWheelVert>, false),
    Flag("MetronomeOn", Root<&TSettings::MetronomeOn>, false),
    Flag("TuningAlwaysVisible", Root<&TSettings::TuningAlwaysVisible>, true),
    Flag("RewindAfterStop", Root<&TSettings::RewindAfterStop>, false),
    // The stored default -1 is itself out of range, so a fresh profile previews the current track.
    {"", "PlayNotesWhileEditing", Root<&TSettings::PlayNotesWhileEditing>, -1, {}, PlayNotesModes},
    Flag("MenuBarSpansRow", Root<&TSettings::MenuBarSpansRow>, true),
    Flag("Maximized2", Root<&TSettings::Maximized2>, false),
    {"", "MIDIDevice", Root<&TSettings::MIDIDevice>, MidiMapperDevice, {}, std::nullopt},
    MidiValue("MetronomeVolume", Root<&TSettings::MetronomeVolume>, 96),
    Flag("MetronomeAccent", Root<&TSettings::MetronomeAccent>, true),
    MidiValue("MetronomeDrum", Root<&TSettings::MetronomeDrum>, 37),
    Flag("SendBankSelects", Root<&TSettings::SendBankSelects>, false),
    {"", "CurrentScheme", Root<&TSettings::CurrentScheme>, 0, "", std::nullopt},
    {"", "SoundFont", Root<&TSettings::SoundFont>, 0, "", std::nullopt},

    PrintMargin("LeftMarginNew", Margin<&TPrintMargins::LeftMarginNew>),
    PrintMargin("RightMarginNew", Margin<&TPrintMargins::RightMarginNew>),
    PrintMargin("TopMarginNew", Margin<&TPrintMargins::TopMarginNew>),
    PrintMargin("BottomMarginNew", Margin<&TPrintMargins::BottomMarginNew>),

    PracticeFlag("LoopSelection", Practising<&TPracticeSettings::LoopSelection>),
    PracticeFlag("CountIn", Practising<&TPracticeSettings::CountIn>),
    PracticeValue("Speed", Practising<&TPracticeSettings::Speed>, MinSpeed, MaxSpeed, NormalSpeed),
    PracticeFlag("TrainerOn", Practising<&TPracticeSettings::TrainerOn>),
    PracticeValue("TrainerStart", Practising<&TPracticeSettings::TrainerStart>, MinSpeed, MaxSpeed, 50),
    PracticeValue("TrainerStep", Practising<&TPracticeSettings::TrainerStep>, 1, MaxTrainerStep, 5),
    PracticeValue("TrainerEvery", Practising<&TPracticeSettings::TrainerEvery>, 1, MaxTrainerEvery, 1),
    PracticeValue("TrainerTarget", Practising<&TPracticeSettings::TrainerTarget>, MinSpeed, MaxSpeed, NormalSpeed),

    ColorRole<tcBkg>("Bkg"),
    ColorRole<tcTabLine>("TabLine"),
    ColorRole<tcBarLine>("BarLine"),
    ColorRole<tcText>("Text"),
    ColorRole<tcTextEffect>("TextEffect"),
    ColorRole<tcTextTrackEffect>("TextTrackEffect"),
    ColorRole<tcTextBlankLine>("TextBlankLine"),
    ColorRole<tcTextTuning>("TextTuning"),
    ColorRole<tcHighlightText>("HighlightText"),
};

// What a store without any value reads as: every setting at its default.
class TNoValues : public TConfigValues {
public:
    std::optional<std::string> ReadString(std::string_view, std::string_view) const override {
        return std::nullopt;
    }
    std::optional<std::vector<uint8_t>> ReadBinary(std::string_view, std::string_view) const override {
        return std::nullopt;
    }
    void WriteString(std::string_view, std::string_view, std::string_view) override {}
    void WriteBinary(std::string_view, std::string_view, std::span<const uint8_t>) override {}
    std::vector<std::string> SectionNames(std::string_view) const override { return {}; }
    void EraseSection(std::string_view) override {}
};

int Validated(const TSettingRow& row, int value) {
    if (row.Range && (value < row.Range->Min || value > row.Range->Max)) return row.Range->Fallback;
    return value;
}

void ReadRow(const TSettingRow& row, std::string_view section, const TConfigValues& values, TSettings& s) {
    std::visit(
        [&](auto* field) {
            using T = std::remove_pointer_t<decltype(field)>;
            if constexpr (std::is_same_v<T, bool>)
                *field = ReadBool(values, section, row.Ident, row.Default != 0);
            else if constexpr (std::is_same_v<T, std::string>)
                *field = values.ReadString(section, row.Ident).value_or(std::string(row.TextDefault));
            else
                *field = static_cast<T>(Validated(row, ReadInteger(values, section, row.Ident, row.Default)));
        },
        row.Field(s));
}

void WriteRow(const TSettingRow& row, std::string_view section, TSettings& s, TConfigValues& values) {
    std::visit(
        [&](auto* field) {
            using T = std::remove_pointer_t<decltype(field)>;
            if constexpr (std::is_same_v<T, bool>)
                WriteBool(values, section, row.Ident, *field);
            else if constexpr (std::is_same_v<T, std::string>)
                values.WriteString(section, row.Ident, *field);
            else
                WriteInteger(values, section, row.Ident, static_cast<int>(*field));
        },
        row.Field(s));
}

std::string NameIdent(const TFontRow& row) { return std::string(row.Key) + ".Name"; }
std::string HeightIdent(const TFontRow& row) { return std::string(row.Key) + ".Height"; }

void ReadFonts(const TConfigValues& values, const TFontCheck& isInstalled, TTabFontSettings& fonts) {
    for (const TFontRow& row : FontRows()) {
        const std::string name = values.ReadString(FontsSection, NameIdent(row)).value_or("");
        const int height = ReadInteger(values, FontsSection, HeightIdent(row), -1);
        if (height >= MinFontHeight && height <= MaxFontHeight && !name.empty() && isInstalled(name))
            fonts.*row.Member = {name, height};
    }
}

void WriteFonts(const TTabFontSettings& fonts, TConfigValues& values) {
    for (const TFontRow& row : FontRows()) {
        const TTabFontSetting& font = fonts.*row.Member;
        values.WriteString(FontsSection, NameIdent(row), font.Name);
        WriteInteger(values, FontsSection, HeightIdent(row), font.Height);
    }
}

}  // namespace

bool operator==(const TTabFontSettings& a, const TTabFontSettings& b) {
    for (const TFontRow& row : FontRows()) {
        const TTabFontSetting& x = a.*row.Member;
        const TTabFontSetting& y = b.*row.Member;
        if (x.Name != y.Name || x.Height != y.Height) return false;
    }
    return true;
}

TSettings::TSettings() : Fonts(DefaultFonts()) {
    for (const TSettingRow& row : RowTable) ReadRow(row, row.Section, TNoValues{}, *this);
}

std::span<const TSettingRow> SettingRows() { return RowTable; }
std::span<const TFontRow> FontRows() {
    // Made on first use: the names are strings, and settings may be read during static initialisation.
    static const TFontRow table[] = {
        {"Tab", &TTabFontSettings::Tab, DefaultTabFont},
        {"TabSmall", &TTabFontSettings::TabSmall, DefaultSmallTabFont},
        {"PrintTitle", &TTabFontSettings::PrintTitle, DefaultPrintTitleFont},
        {"PrintArtist", &TTabFontSettings::PrintArtist, DefaultPrintArtistFont},
        {"PrintPageNumber", &TTabFontSettings::PrintPageNumber, DefaultPrintPageNumberFont},
    };
    return table;
}

TTabFontSettings DefaultFonts() {
    TTabFontSettings fonts;
    for (const TFontRow& row : FontRows()) fonts.*row.Member = row.Default;
    return fonts;
}

TSettings ReadSettings(const TConfigValues& values, const TFontCheck& isInstalled) {
    TSettings s;
    for (const TSettingRow& row : RowTable) ReadRow(row, row.Section, values, s);
    ReadFonts(values, isInstalled, s.Fonts);
    s.ToolbarLayout = values.ReadBinary(ToolbarsSection, ToolbarsIdent).value_or(std::vector<uint8_t>{});
    return s;
}

void WriteSettings(const TSettings& settings, TConfigValues& values) {
    // The table reaches fields through non-const pointers; a copy keeps the caller's values untouched.
    TSettings current = settings;
    for (const TSettingRow& row : RowTable) WriteRow(row, row.Section, current, values);
    WriteFonts(settings.Fonts, values);
    values.WriteBinary(ToolbarsSection, ToolbarsIdent, settings.ToolbarLayout);
}

TTabColorTable ReadColors(const TConfigValues& values, std::string_view section) {
    TSettings s;
    for (const TSettingRow& row : RowTable)
        if (row.Section == ColorsSection) ReadRow(row, section, values, s);
    return s.Colors;
}

void WriteColors(const TTabColorTable& colors, TConfigValues& values, std::string_view section) {
    TSettings s;
    s.Colors = colors;
    for (const TSettingRow& row : RowTable)
        if (row.Section == ColorsSection) WriteRow(row, section, s, values);
}

}  // namespace fretlo

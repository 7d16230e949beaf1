// The Options dialog (Tools > Options): four pages editing a copy of the settings, with colour
// and font previews that show in the main window at once and are undone when the dialog closes.
//
//   OptionsDialog.cpp         the dialog: pages, OK with its validation, applying the result
//   OptionsMiscPage.cpp       "Misc.": the Open/Save folder, the file association, display switches
//   OptionsColorsPage.cpp     "Colors": nine colour buttons, the schemes, the colour preview
//   OptionsFontsPage.cpp      "Fonts": five font rows with validation, preview, restore defaults
//   OptionsPlayPage.cpp       "Play": MIDI device, bank selects, SoundFont, the metronome
#pragma once

#include <QDialog>
#include <QString>
#include <memory>
#include <optional>
#include <string>

#include "platform/MidiOut.h"
#include "shell/ConfigIniFile.h"
#include "shell/Settings.h"

namespace fretlo {

class TOptionsMiscPage;
class TOptionsColorsPage;
class TOptionsFontsPage;
class TOptionsPlayPage;

// What the dialog changes outside itself; the main window implements it.
class TOptionsTarget {
public:
    virtual ~TOptionsTarget() = default;
    // The view's colours and the font record of the main window and its view. Called for a
    // preview, for undoing it when the dialog closes, and with the result of OK.
    virtual void ApplyColors(const TTabColorTable& colors) = 0;
    virtual void ApplyFonts(const TTabFontSettings& fonts) = 0;
    // After OK: the display switches of `settings` go to the view (the tuning column relayouts).
    virtual void ApplyDisplayOptions(const TSettings& settings) = 0;
    // Closes the open MIDI device, so the next playback opens the one now chosen.
    virtual void CloseMidiDevice() = 0;
    // The MIDI devices there are with a given `SoundFont` setting (TSystemMidiDevices).
    virtual std::unique_ptr<TMidiDevices> MidiDevices(const std::string& soundFont) = 0;
    // Whether .frl files open with this program; nullopt when the association cannot be made.
    virtual std::optional<bool> FileAssociation() = 0;
    // Registers (true) or removes (false) the association and tells the desktop.
    virtual void SetFileAssociation(bool on) = 0;
    virtual void ShowHelp(int context) = 0;
};

inline constexpr int OptionsHelpContext = 35;

// Runs the dialog modally on `settings`, whose `Colors` and `Fonts` must be what the view shows.
// OK: `settings` takes the result and the changes are applied through `target`; returns true.
// Cancel: nothing changes. Saved colour schemes are read from and written to `configFile`.
bool ExecuteOptionsDialog(QWidget* parent, TSettings& settings, TOptionsTarget& target,
                          const QString& configFile = DefaultConfigFile());

// TConfigForm: the dialog itself; tests drive it through its pages.
class TConfigForm : public QDialog {
    Q_OBJECT
public:
    TConfigForm(QWidget* parent, const TSettings& settings, TOptionsTarget& target,
                const QString& configFile);
    ~TConfigForm() override;

    // Validates the pages; true when the dialog may close with OK.
    bool Validate();
    // Applies the result after OK: the settings take it, the target gets what changed.
    void ApplyResult(TSettings& settings);

    TOptionsMiscPage& MiscPage() const { return *misc_; }
    TOptionsColorsPage& ColorsPage() const { return *colors_; }
    TOptionsFontsPage& FontsPage() const { return *fonts_; }
    TOptionsPlayPage& PlayPage() const { return *play_; }

    // Undoes the previews whenever the dialog closes, by OK or by Cancel.
    void done(int result) override;

private:
    TOptionsTarget& target_;
    std::optional<bool> associated_;
    TOptionsMiscPage* misc_;
    TOptionsColorsPage* colors_;
    TOptionsFontsPage* fonts_;
    TOptionsPlayPage* play_;
};

}  // namespace fretlo

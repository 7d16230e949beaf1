// The Options dialog on a stand-in main window that records what it applies. Colors: hand
// edits, previews undone when the dialog closes, schemes chosen, saved, deleted and refused.
// Fonts: rows refused, Restore Defaults, OK applying only changed fonts. Play: the device list
// in its three shapes, what closes the open MIDI device, the SoundFont, the metronome. Misc.:
// the folder with the "<doc>" token, the file association, the display switches, OK and Cancel.
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QFontDatabase>
#include <QLabel>
#include <QLineEdit>
#include <QSlider>
#include <stdexcept>

#include "ParamName.h"
#include "shell/Config.h"
#include "shell/OptionsColorButton.h"
#include "shell/OptionsColorsPage.h"
#include "shell/OptionsDialog.h"
#include "shell/OptionsFontsPage.h"
#include "shell/OptionsMiscPage.h"
#include "shell/OptionsPlayPage.h"
#include "shell/SettingsTable.h"
#include "shell/ShellTestSupport.h"

namespace fretlo::test {
namespace {

class TFakeDevices : public TMidiDevices {
public:
    explicit TFakeDevices(std::vector<TMidiDeviceInfo> devices) : devices_(std::move(devices)) {}
    std::vector<TMidiDeviceInfo> List() override { return devices_; }
    std::unique_ptr<MidiOut> Create(int) override { return nullptr; }
    bool Shared() const override { return false; }

private:
    std::vector<TMidiDeviceInfo> devices_;
};

class TFakeTarget : public TOptionsTarget {
public:
    std::vector<TTabColorTable> AppliedColors;
    std::vector<TTabFontSettings> AppliedFonts;
    int DisplayApplied = 0;
    int Closes = 0;
    std::vector<TMidiDeviceInfo> Devices;
    std::vector<std::string> ListedSoundFonts;
    std::optional<bool> Association = false;
    std::vector<bool> AssociationsSet;

    void ApplyColors(const TTabColorTable& colors) override { AppliedColors.push_back(colors); }
    void ApplyFonts(const TTabFontSettings& fonts) override { AppliedFonts.push_back(fonts); }
    void ApplyDisplayOptions(const TSettings&) override { ++DisplayApplied; }
    void CloseMidiDevice() override { ++Closes; }
    std::unique_ptr<TMidiDevices> MidiDevices(const std::string& soundFont) override {
        ListedSoundFonts.push_back(soundFont);
        return std::make_unique<TFakeDevices>(Devices);
    }
    std::optional<bool> FileAssociation() override { return Association; }
    void SetFileAssociation(bool on) override { AssociationsSet.push_back(on); }
    void ShowHelp(int) override {}
};

// A dialog on a fresh settings store.
class OptionsDialogTest : public testing::Test {
protected:
    QTemporaryDir dir_;
    QString configFile_ = dir_.filePath("WinFretlo.ini");
    TSettings settings_;
    TFakeTarget target_;

    std::unique_ptr<TConfigForm> Open() {
        return std::make_unique<TConfigForm>(nullptr, settings_, target_, configFile_);
    }
};

QStringList Entries(const QComboBox& list) {
    QStringList entries;
    for (int i = 0; i < list.count(); ++i) entries << list.itemText(i);
    return entries;
}

// --- Colors ------------------------------------------------------------------------------

using OptionsColors = OptionsDialogTest;

TEST_F(OptionsColors, PreviewIsUndoneByCancelAndKeptByOk) {
    settings_.CurrentScheme = "Standard";
    auto form = Open();
    TOptionsColorsPage& page = form->ColorsPage();
    EXPECT_EQ(page.SchemeList().currentText(), "Standard");
    EXPECT_FALSE(page.PreviewButton().isEnabled());

    page.Button(tcBkg).Pick(0x112233);
    EXPECT_EQ(page.SchemeList().currentIndex(), -1);
    ASSERT_TRUE(page.PreviewButton().isEnabled());
    page.PreviewButton().click();
    EXPECT_FALSE(page.PreviewButton().isEnabled());
    ASSERT_EQ(target_.AppliedColors.size(), 1u);
    EXPECT_EQ(target_.AppliedColors[0][tcBkg], 0x112233u);

    form->reject();
    ASSERT_EQ(target_.AppliedColors.size(), 2u);
    EXPECT_EQ(target_.AppliedColors[1], StandardScheme);

    // OK after a preview applies the working colours and an empty scheme name.
    form = Open();
    form->ColorsPage().Button(tcText).Pick(0x0000FF);
    form->ColorsPage().PreviewClick();
    form->accept();
    form->ApplyResult(settings_);
    EXPECT_EQ(settings_.CurrentScheme, "");
    EXPECT_EQ(settings_.Colors[tcText], 0x0000FFu);
    ASSERT_EQ(target_.AppliedColors.size(), 5u);  // preview, its undoing, the result
    EXPECT_EQ(target_.AppliedColors.back(), settings_.Colors);
}

TEST_F(OptionsColors, ChoosingASchemeShowsItsColoursWithoutCountingAsAHandEdit) {
    auto form = Open();
    TOptionsColorsPage& page = form->ColorsPage();
    EXPECT_EQ(Entries(page.SchemeList()), (QStringList{"Standard", "Dark"}));
    page.SchemeList().setCurrentIndex(1);
    page.ChooseScheme(1);
    EXPECT_EQ(page.Button(tcBkg).Color(), DarkScheme[tcBkg]);
    EXPECT_EQ(page.SchemeList().currentIndex(), 1);
    EXPECT_TRUE(page.PreviewButton().isEnabled());
    form->accept();
    form->ApplyResult(settings_);
    EXPECT_EQ(settings_.CurrentScheme, "Dark");
    EXPECT_EQ(settings_.Colors, DarkScheme);
}

TEST_F(OptionsColors, SavedSchemeIsListedReadBackAndDeletedAfterConfirmation) {
    settings_.Colors = DarkScheme;
    settings_.Colors[tcText] = 0x00FF00;
    {
        auto form = Open();
        ASSERT_TRUE(form->ColorsPage().SaveScheme("  Night/Day  "));
        EXPECT_EQ(Entries(form->ColorsPage().SchemeList()), (QStringList{"Standard", "Dark", "Night/Day"}));
        EXPECT_EQ(form->ColorsPage().SchemeList().currentText(), "Night/Day");
    }
    EXPECT_EQ(ReadScheme(TConfigIniFile(configFile_), "Night/Day"), settings_.Colors);

    settings_.CurrentScheme = "Night/Day";
    auto form = Open();
    TOptionsColorsPage& page = form->ColorsPage();
    ASSERT_EQ(page.SchemeList().currentText(), "Night/Day");
    {
        TMessages no(QMessageBox::No);
        page.DeleteClick();
        EXPECT_EQ(no.Texts, QStringList{"Are you sure you want to delete the 'Night/Day' scheme?"});
        EXPECT_EQ(no.Captions, QStringList{"Delete Scheme"});
    }
    EXPECT_EQ(page.SchemeList().count(), 3);
    TMessages yes(QMessageBox::Yes);
    page.DeleteClick();
    EXPECT_EQ(Entries(page.SchemeList()), (QStringList{"Standard", "Dark"}));
    EXPECT_EQ(SchemeNames(TConfigIniFile(configFile_)), (std::vector<std::string>{"Standard", "Dark"}));
}

struct TSchemeRefusal {
    const char* Action;  // "save" with Name, or "delete" of the list entry Name
    const char* Name;
    const char* Caption;
    const char* Text;
};

void PrintTo(const TSchemeRefusal& r, std::ostream* os) { *os << r.Action << " '" << r.Name << "'"; }

class OptionsSchemeRefusals : public OptionsDialogTest, public testing::WithParamInterface<TSchemeRefusal> {};

TEST_P(OptionsSchemeRefusals, LeaveTheListAndTheStoreAlone) {
    const TSchemeRefusal& r = GetParam();
    auto form = Open();
    TOptionsColorsPage& page = form->ColorsPage();
    TMessages messages;
    if (std::string_view(r.Action) == "save") {
        EXPECT_FALSE(page.SaveScheme(r.Name));
    } else {
        page.SchemeList().setCurrentIndex(page.SchemeList().findText(r.Name));
        page.DeleteClick();
    }
    EXPECT_EQ(messages.Texts, QStringList{r.Text});
    EXPECT_EQ(messages.Captions, QStringList{r.Caption});
    EXPECT_EQ(Entries(page.SchemeList()), (QStringList{"Standard", "Dark"}));
    EXPECT_EQ(SchemeNames(TConfigIniFile(configFile_)).size(), 2u);
}

INSTANTIATE_TEST_SUITE_P(
    Options, OptionsSchemeRefusals,
    testing::Values(
        TSchemeRefusal{"save", "   ", "Save Scheme", "You must enter a name."},
        TSchemeRefusal{"save", " DARK ", "Save Scheme", "You can't modify the Dark scheme."},
        TSchemeRefusal{"delete", "Standard", "Delete Scheme", "You may not delete the Standard scheme."}),
    PrintedName());

// --- Fonts -------------------------------------------------------------------------------

struct TBadFontRow {
    int Row;
    const char* Name;
    const char* Height;
    const char* Text;
};

void PrintTo(const TBadFontRow& r, std::ostream* os) {
    *os << "row " << r.Row << " font '" << r.Name << "' height '" << r.Height << "'";
}

class OptionsFontRefusals : public OptionsDialogTest, public testing::WithParamInterface<TBadFontRow> {};

TEST_P(OptionsFontRefusals, KeepTheDialogOpenWithTheFocusOnTheField) {
    const TBadFontRow& bad = GetParam();
    auto form = Open();
    form->show();
    form->activateWindow();
    TOptionsFontsPage& page = form->FontsPage();
    page.NameBox(bad.Row).setCurrentText(bad.Name);
    page.HeightEdit(bad.Row).setText(bad.Height);
    TMessages messages;
    EXPECT_FALSE(form->Validate());
    page.PreviewClick();
    EXPECT_EQ(messages.Texts, (QStringList{bad.Text, bad.Text}));
    EXPECT_TRUE(target_.AppliedFonts.empty());
    const bool heightRefused = QString(bad.Text).contains("height");
    QWidget* field =
        heightRefused ? static_cast<QWidget*>(&page.HeightEdit(bad.Row)) : &page.NameBox(bad.Row);
    EXPECT_TRUE(page.isVisible());  // the Fonts page came to the front
    EXPECT_EQ(form->focusWidget(), field);
}

constexpr const char* HeightText = "The font height must be between 8 and 50.";
constexpr const char* NameText = "The font name you entered does not exist. Please select another.";

INSTANTIATE_TEST_SUITE_P(
    Options, OptionsFontRefusals,
    testing::Values(TBadFontRow{0, "Arial", "7", HeightText}, TBadFontRow{1, "Arial", "51", HeightText},
                    TBadFontRow{2, "Arial", "1a", HeightText}, TBadFontRow{4, "No Such Font 42", "12", NameText}),
    PrintedName());

using OptionsFonts = OptionsDialogTest;

TEST_F(OptionsFonts, PreviewThenCancelGivesTheMainWindowItsFontsBack) {
    auto form = Open();
    TOptionsFontsPage& page = form->FontsPage();
    EXPECT_FALSE(page.RestoreButton().isEnabled());  // the fonts are the defaults
    page.HeightEdit(0).setText("20");
    EXPECT_TRUE(page.RestoreButton().isEnabled());
    page.PreviewClick();
    EXPECT_FALSE(page.PreviewButton().isEnabled());
    ASSERT_EQ(target_.AppliedFonts.size(), 1u);
    EXPECT_EQ(target_.AppliedFonts[0].Tab.Height, 20);
    form->reject();
    ASSERT_EQ(target_.AppliedFonts.size(), 2u);
    EXPECT_EQ(target_.AppliedFonts[1], settings_.Fonts);
}

TEST_F(OptionsFonts, OkAppliesFontsOnlyWhenTheyWereChanged) {
    auto form = Open();
    ASSERT_TRUE(form->Validate());
    form->ApplyResult(settings_);
    EXPECT_TRUE(target_.AppliedFonts.empty());

    const QString family = QFontDatabase::families().value(0);
    form = Open();
    form->FontsPage().NameBox(1).setCurrentText(family.toLower());
    ASSERT_TRUE(form->Validate());
    form->ApplyResult(settings_);
    EXPECT_EQ(settings_.Fonts.TabSmall.Name, family.toStdString());  // the listed spelling
    EXPECT_EQ(settings_.Fonts.TabSmall.Height, DefaultSmallTabFont.Height);
    ASSERT_EQ(target_.AppliedFonts.size(), 1u);
    EXPECT_EQ(target_.AppliedFonts[0], settings_.Fonts);
}

TEST_F(OptionsFonts, RestoreDefaultsBringsBackTheDefaultPairs) {
    settings_.Fonts.PrintArtist = {"Arial", 44};
    auto form = Open();
    TOptionsFontsPage& page = form->FontsPage();
    ASSERT_TRUE(page.RestoreButton().isEnabled());
    EXPECT_EQ(page.HeightEdit(3).text(), "44");
    page.RestoreButton().click();
    EXPECT_EQ(page.HeightEdit(3).text(), "20");
    ASSERT_TRUE(form->Validate());
    form->ApplyResult(settings_);
    EXPECT_EQ(settings_.Fonts, DefaultFonts());
}

// --- Play --------------------------------------------------------------------------------

const TMidiDeviceInfo Synth{-1, "Built-in synthesizer (/usr/share/sounds/sf2/FluidR3_GM.sf2)"};
const TMidiDeviceInfo Port0{0, "Midi Through:Midi Through Port-0 14:0"};
const TMidiDeviceInfo Port1{1, "USB Keyboard:USB Keyboard MIDI 1 20:0"};
const QString NoSynth = "Built-in synthesizer (no SoundFont found)";

QString Listed(const TMidiDeviceInfo& device) { return QString::fromStdString(device.Name); }

struct TDeviceCase {
    std::vector<TMidiDeviceInfo> Devices;
    int Setting;          // MIDIDevice when the dialog opens
    QStringList Entries;  // as listed
    int Selected;         // list index selected at opening
};

void PrintTo(const TDeviceCase& c, std::ostream* os) {
    *os << c.Devices.size() << " devices, set to "
        << (c.Setting < 0 ? std::string("the synthesizer") : "device " + std::to_string(c.Setting));
}

class OptionsDeviceList : public OptionsDialogTest, public testing::WithParamInterface<TDeviceCase> {};

TEST_P(OptionsDeviceList, ListsTheSynthesizerFirstThenThePorts) {
    const TDeviceCase& c = GetParam();
    target_.Devices = c.Devices;
    settings_.MIDIDevice = c.Setting;
    auto form = Open();
    const QComboBox& list = form->PlayPage().DeviceList();
    for (int i = 0; i < list.count(); ++i)
        EXPECT_EQ(list.itemData(i).toInt(), i);  // index + 1 of devices -1, 0, 1, ...
    EXPECT_EQ(Entries(list), c.Entries);
    EXPECT_EQ(list.currentIndex(), c.Selected);
    ASSERT_TRUE(form->Validate());
    form->ApplyResult(settings_);
    EXPECT_EQ(settings_.MIDIDevice, c.Setting);  // unchanged, also when it was not listed
    EXPECT_EQ(target_.Closes, 0);
}

INSTANTIATE_TEST_SUITE_P(
    Options, OptionsDeviceList,
    testing::Values(TDeviceCase{{}, 0, {NoSynth}, -1},
                    TDeviceCase{{Synth, Port0, Port1}, 1, {Listed(Synth), Listed(Port0), Listed(Port1)}, 2},
                    TDeviceCase{{Port0}, 0, {NoSynth, Listed(Port0)}, 1}),
    PrintedName());

using OptionsPlay = OptionsDialogTest;

TEST_F(OptionsPlay, ChangingDeviceBankSelectsOrSoundFontClosesTheDeviceOnce) {
    target_.Devices = {Synth, Port0};
    settings_.MIDIDevice = 0;
    auto form = Open();
    form->PlayPage().DeviceList().setCurrentIndex(0);
    form->ApplyResult(settings_);
    EXPECT_EQ(settings_.MIDIDevice, MidiMapperDevice);
    EXPECT_EQ(target_.Closes, 1);

    form = Open();
    form->PlayPage().BankCheck().setChecked(true);
    form->ApplyResult(settings_);
    EXPECT_TRUE(settings_.SendBankSelects);
    EXPECT_EQ(target_.Closes, 2);

    const QString soundFont = dir_.filePath("Other.sf2");
    QFile(soundFont).open(QIODevice::WriteOnly);
    form = Open();
    form->PlayPage().SoundFontEdit().setText(soundFont);
    form->PlayPage().ListDevices();
    EXPECT_EQ(target_.ListedSoundFonts.back(), soundFont.toStdString());
    EXPECT_EQ(form->PlayPage().DeviceList().currentIndex(), 0);  // still the synthesizer
    ASSERT_TRUE(form->Validate());
    form->ApplyResult(settings_);
    EXPECT_EQ(settings_.SoundFont, soundFont.toStdString());
    EXPECT_EQ(target_.Closes, 3);
}

TEST_F(OptionsPlay, MissingSoundFontFileIsRefused) {
    auto form = Open();
    form->PlayPage().SoundFontEdit().setText(dir_.filePath("Missing.sf2"));
    TMessages messages;
    EXPECT_FALSE(form->Validate());
    EXPECT_EQ(messages.Texts,
              QStringList{"The SoundFont file you entered does not exist. Please select another."});
    form->PlayPage().SoundFontEdit().setText("  ");
    EXPECT_TRUE(form->Validate());
}

// --- Misc. -------------------------------------------------------------------------------

using OptionsMisc = OptionsDialogTest;

QCheckBox& Box(const TConfigForm& form, const QString& caption) {
    for (QCheckBox* box : form.MiscPage().findChildren<QCheckBox*>())
        if (box->text() == caption) return *box;
    throw std::invalid_argument("no check box " + caption.toStdString());
}

TEST_F(OptionsMisc, FolderIsShownExpandedAndStoredCollapsed) {
    const QString docs = QString::fromStdString(DocumentsFolder());
    if (docs.isEmpty()) GTEST_SKIP() << "no documents folder";
    settings_.DefaultPath = "";
    auto form = Open();
    TOptionsMiscPage& page = form->MiscPage();
    EXPECT_FALSE(page.FolderCheck().isChecked());
    EXPECT_FALSE(page.FolderEdit().isEnabled());
    EXPECT_EQ(page.FolderEdit().text(), docs + "/Fretlo Tabs");
    form->ApplyResult(settings_);
    EXPECT_EQ(settings_.DefaultPath, "");

    // The token's own rules are in SettingsTableTest.
    for (const auto& [typed, stored] :
         {std::pair{" " + docs + "/Fretlo Tabs// ", "<doc>/Fretlo Tabs"}, std::pair{QString("/"), "/"}}) {
        form = Open();
        form->MiscPage().FolderCheck().setChecked(true);
        EXPECT_TRUE(form->MiscPage().FolderEdit().isEnabled());
        form->MiscPage().FolderEdit().setText(typed);
        form->ApplyResult(settings_);
        EXPECT_EQ(settings_.DefaultPath, stored) << typed.toStdString();
    }
}

TEST_F(OptionsMisc, AssociationAndDisplaySwitchesChangeOnlyWhatTheBoxesChanged) {
    const QString associate = "&Associate Fretlo with .frl files";
    target_.Association = true;
    settings_.MovingBar = false;
    settings_.MouseWheelVert = false;
    auto form = Open();
    form->ApplyResult(settings_);
    EXPECT_TRUE(target_.AssociationsSet.empty());
    form = Open();
    Box(*form, associate).setChecked(false);
    Box(*form, "Display moving &bar during playback").setChecked(true);
    Box(*form, "Mouse &wheel scrolls vertically by default").setChecked(true);
    form->ApplyResult(settings_);
    EXPECT_EQ(target_.AssociationsSet, std::vector<bool>{false});
    EXPECT_TRUE(settings_.MovingBar);
    EXPECT_TRUE(settings_.MouseWheelVert);
    EXPECT_EQ(target_.DisplayApplied, 2);

    target_.Association = std::nullopt;  // no desktop database to register with
    form = Open();
    EXPECT_FALSE(Box(*form, associate).isEnabled());
}

TEST_F(OptionsMisc, ExecuteChangesNothingOnCancelAndAppliesOnOk) {
    for (const bool ok : {false, true}) {
        TModalAnswerer answer([ok](QWidget* modal) {
            auto* form = qobject_cast<TConfigForm*>(modal);
            if (!form) return;
            form->MiscPage().FolderCheck().setChecked(false);
            ok ? form->accept() : form->reject();
        });
        TSettings settings = settings_;
        EXPECT_EQ(ExecuteOptionsDialog(nullptr, settings, target_, configFile_), ok);
        EXPECT_EQ(settings.DefaultPath, ok ? "" : settings_.DefaultPath);
    }
}

}  // namespace
}  // namespace fretlo::test

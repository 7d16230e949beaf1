// The Play page: the device list in its three shapes, what closes the open MIDI device, the
// SoundFont choice, and the metronome's controls.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QSlider>

#include "ParamName.h"
#include "shell/OptionsPlayPage.h"
#include "shell/OptionsTestSupport.h"

namespace fretlo::test {
namespace {

const TMidiDeviceInfo Synth{-1, "Built-in synthesizer (/usr/share/sounds/sf2/FluidR3_GM.sf2)"};
const TMidiDeviceInfo Port0{0, "Midi Through:Midi Through Port-0 14:0"};
const TMidiDeviceInfo Port1{1, "USB Keyboard:USB Keyboard MIDI 1 20:0"};

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
    QStringList entries;
    for (int i = 0; i < list.count(); ++i) {
        entries << list.itemText(i);
        EXPECT_EQ(list.itemData(i).toInt(), i);  // index + 1 of devices -1, 0, 1, ...
    }
    EXPECT_EQ(entries, c.Entries);
    EXPECT_EQ(list.currentIndex(), c.Selected);
    ASSERT_TRUE(form->Validate());
    form->ApplyResult(settings_);
    EXPECT_EQ(settings_.MIDIDevice, c.Setting);  // unchanged, also when it was not listed
    EXPECT_EQ(target_.Closes, 0);
}

INSTANTIATE_TEST_SUITE_P(
    Options, OptionsDeviceList,
    testing::Values(TDeviceCase{{}, -1, {"Built-in synthesizer (no SoundFont found)"}, 0},
                    TDeviceCase{{}, 0, {"Built-in synthesizer (no SoundFont found)"}, -1},
                    TDeviceCase{{Synth}, -1, {QString::fromStdString(Synth.Name)}, 0},
                    TDeviceCase{{Synth, Port0, Port1},
                                1,
                                {QString::fromStdString(Synth.Name), QString::fromStdString(Port0.Name),
                                 QString::fromStdString(Port1.Name)},
                                2},
                    TDeviceCase{
                        {Port0},
                        0,
                        {"Built-in synthesizer (no SoundFont found)", QString::fromStdString(Port0.Name)},
                        1}),
    PrintedName());

using OptionsPlay = OptionsDialogTest;

TEST_F(OptionsPlay, ChangingDeviceBankSelectsOrSoundFontClosesTheDeviceOnce) {
    target_.Devices = {Synth, Port0};
    settings_.MIDIDevice = 0;
    auto form = Open();
    TOptionsPlayPage& page = form->PlayPage();
    page.DeviceList().setCurrentIndex(0);
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

TEST_F(OptionsPlay, MetronomeControlsShowAndStoreTheirSettings) {
    settings_.MetronomeVolume = 0;
    settings_.MetronomeDrum = 76;
    settings_.MetronomeAccent = false;
    auto form = Open();
    TOptionsPlayPage& page = form->PlayPage();
    EXPECT_EQ(page.VolumeLabel().text(), "0");
    EXPECT_EQ(page.DrumList().count(), 128);
    EXPECT_EQ(page.DrumList().currentText(), "76 - Hi Wood Block");
    EXPECT_EQ(page.DrumList().itemText(34), "34");
    EXPECT_EQ(page.DrumList().itemText(35), "35 - Acoustic Bass Drum");
    EXPECT_EQ(page.DrumList().itemText(82), "82");
    page.VolumeBar().setValue(100);
    EXPECT_EQ(page.VolumeLabel().text(), "100");
    page.DrumList().setCurrentIndex(0);
    form->ApplyResult(settings_);
    EXPECT_EQ(settings_.MetronomeVolume, 100);
    EXPECT_EQ(settings_.MetronomeDrum, 0);
    EXPECT_FALSE(settings_.MetronomeAccent);
    EXPECT_EQ(target_.Closes, 0);
}

}  // namespace
}  // namespace fretlo::test

// The "Play" page of the Options dialog: the MIDI output device (the built-in synthesizer
// first, then the system's ports), bank selects, the synthesizer's SoundFont and the metronome.
#pragma once

#include <QWidget>
#include <string>

#include "shell/Settings.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QSlider;

namespace fretlo {

class TOptionsTarget;

class TOptionsPlayPage : public QWidget {
    Q_OBJECT
public:
    TOptionsPlayPage(QWidget* parent, TOptionsTarget& target, const TSettings& settings);

    // False (after a message, with the focus on the field) when the SoundFont file is missing.
    bool Validate();
    // The page's settings go to `settings`; true when the open MIDI device must be closed
    // because the device, the bank selects or the SoundFont changed.
    bool Store(TSettings& settings) const;

    QComboBox& DeviceList() const { return *devices_; }
    QCheckBox& BankCheck() const { return *bank_; }
    QLineEdit& SoundFontEdit() const { return *soundFont_; }
    QSlider& VolumeBar() const { return *volume_; }
    QLabel& VolumeLabel() const { return *volumeValue_; }
    QComboBox& DrumList() const { return *drums_; }

    // Lists the devices again for the SoundFont now typed, keeping the chosen one.
    void ListDevices();

private:
    QWidget* CreateMidiGroup();
    QWidget* CreateMetronomeGroup();
    void BrowseClick();
    std::string SoundFont() const;

    TOptionsTarget& target_;
    QComboBox* devices_;
    QCheckBox* bank_;
    QLineEdit* soundFont_;
    QSlider* volume_;
    QLabel* volumeValue_;
    QCheckBox* accent_;
    QComboBox* drums_;
};

}  // namespace fretlo

#include "shell/OptionsPlayPage.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QVBoxLayout>
#include <algorithm>

#include "playback/MidiNames.h"
#include "shell/OptionsDialog.h"
#include "shell/OptionsRefusal.h"

namespace fretlo {

namespace {

constexpr int MidiValueCount = 128;
// The folder Debian installs General MIDI SoundFonts in.
constexpr const char* SoundFontFolder = "/usr/share/sounds/sf2";

QString DrumEntry(int key) {
    const std::string_view name = DrumNoteName(key);
    if (name.empty()) return QString::number(key);
    return QStringLiteral("%1 - %2").arg(key).arg(QString::fromUtf8(name.data(), qsizetype(name.size())));
}

// The built-in synthesizer stays choosable without a SoundFont, so the user can pick one first.
std::vector<TMidiDeviceInfo> WithBuiltIn(std::vector<TMidiDeviceInfo> devices) {
    if (std::ranges::none_of(devices, [](const TMidiDeviceInfo& d) { return d.Index == MidiMapperDevice; }))
        devices.insert(devices.begin(), {MidiMapperDevice, "Built-in synthesizer (no SoundFont found)"});
    return devices;
}

}  // namespace

TOptionsPlayPage::TOptionsPlayPage(QWidget* parent, TOptionsTarget& target, const TSettings& settings)
    : QWidget(parent), target_(target) {
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(CreateMidiGroup());
    layout->addWidget(CreateMetronomeGroup());
    layout->addStretch();

    soundFont_->setText(QString::fromStdString(settings.SoundFont));
    ListDevices();
    devices_->setCurrentIndex(devices_->findData(settings.MIDIDevice + 1));
    bank_->setChecked(settings.SendBankSelects);
    volume_->setValue(settings.MetronomeVolume);
    volumeValue_->setNum(volume_->value());
    accent_->setChecked(settings.MetronomeAccent);
    drums_->setCurrentIndex(settings.MetronomeDrum);
}

QWidget* TOptionsPlayPage::CreateMidiGroup() {
    auto* group = new QGroupBox(tr("MIDI"), this);
    devices_ = new QComboBox(group);
    // Wide enough for a SoundFont's path, not for every path: the tooltip has the whole name.
    devices_->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    devices_->setMaximumWidth(devices_->fontMetrics().averageCharWidth() * 72);
    auto* deviceLabel = new QLabel(tr("&MIDI Output Device:"), group);
    deviceLabel->setBuddy(devices_);
    bank_ = new QCheckBox(tr("Enable &bank selection"), group);

    soundFont_ = new QLineEdit(group);
    soundFont_->setPlaceholderText(tr("The first General MIDI SoundFont installed"));
    soundFont_->setClearButtonEnabled(true);
    auto* soundFontLabel = new QLabel(tr("Built-in synthesizer Sound&Font:"), group);
    soundFontLabel->setBuddy(soundFont_);
    auto* browse = new QPushButton(tr("Br&owse..."), group);
    auto* soundFontRow = new QHBoxLayout;
    soundFontRow->addWidget(soundFont_, 1);
    soundFontRow->addWidget(browse);

    auto* groupLayout = new QVBoxLayout(group);
    groupLayout->addWidget(deviceLabel);
    groupLayout->addWidget(devices_);
    groupLayout->addWidget(bank_);
    groupLayout->addSpacing(6);
    groupLayout->addWidget(soundFontLabel);
    groupLayout->addLayout(soundFontRow);

    connect(devices_, &QComboBox::currentTextChanged, devices_, &QWidget::setToolTip);
    connect(soundFont_, &QLineEdit::editingFinished, this, &TOptionsPlayPage::ListDevices);
    connect(browse, &QPushButton::clicked, this, &TOptionsPlayPage::BrowseClick);
    return group;
}

QWidget* TOptionsPlayPage::CreateMetronomeGroup() {
    auto* group = new QGroupBox(tr("Metronome"), this);
    volume_ = new QSlider(Qt::Horizontal, group);
    volume_->setRange(0, MidiValueCount - 1);
    volume_->setTickInterval(8);
    volume_->setTickPosition(QSlider::TicksBelow);
    volumeValue_ = new QLabel(group);
    volumeValue_->setMinimumWidth(volumeValue_->fontMetrics().horizontalAdvance(QStringLiteral("0000")));
    volumeValue_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    connect(volume_, &QSlider::valueChanged, volumeValue_, qOverload<int>(&QLabel::setNum));
    auto* volumeRow = new QHBoxLayout;
    volumeRow->addWidget(volume_, 1);
    volumeRow->addWidget(volumeValue_);
    auto* volumeLabel = new QLabel(tr("Metronome &Volume:"), group);
    volumeLabel->setBuddy(volume_);

    accent_ = new QCheckBox(tr("&Accent first beat of bar"), group);
    drums_ = new QComboBox(group);
    for (int key = 0; key < MidiValueCount; ++key) drums_->addItem(DrumEntry(key));
    drums_->setMaxVisibleItems(16);
    auto* drumLabel = new QLabel(tr("&Metronome Drum:"), group);
    drumLabel->setBuddy(drums_);

    auto* groupLayout = new QFormLayout(group);
    groupLayout->addRow(volumeLabel, volumeRow);
    groupLayout->addRow(accent_);
    groupLayout->addRow(drumLabel, drums_);
    return group;
}

void TOptionsPlayPage::ListDevices() {
    const QVariant chosen = devices_->currentData();
    devices_->clear();
    for (const TMidiDeviceInfo& device : WithBuiltIn(target_.MidiDevices(SoundFont())->List())) {
        const QString name = QString::fromStdString(device.Name);
        devices_->addItem(name, device.Index + 1);
        devices_->setItemData(devices_->count() - 1, name, Qt::ToolTipRole);
    }
    if (chosen.isValid()) devices_->setCurrentIndex(devices_->findData(chosen));
}

void TOptionsPlayPage::BrowseClick() {
    const QFileInfo current(soundFont_->text().trimmed());
    const QString folder = current.exists() ? current.absolutePath() : QString(SoundFontFolder);
    const QString file = QFileDialog::getOpenFileName(this, tr("Select a SoundFont"), folder,
                                                      tr("SoundFonts (*.sf2 *.sf3);;All Files (*)"));
    if (file.isEmpty()) return;
    soundFont_->setText(file);
    ListDevices();
}

std::string TOptionsPlayPage::SoundFont() const { return soundFont_->text().trimmed().toStdString(); }

bool TOptionsPlayPage::Validate() {
    const QString file = soundFont_->text().trimmed();
    if (file.isEmpty() || QFileInfo(file).isFile()) return true;
    RefuseOptionsField(this, soundFont_,
                       tr("The SoundFont file you entered does not exist. Please select another."));
    return false;
}

bool TOptionsPlayPage::Store(TSettings& settings) const {
    bool close = false;
    if (devices_->currentIndex() >= 0) {
        const int device = devices_->currentData().toInt() - 1;
        close = device != settings.MIDIDevice;
        settings.MIDIDevice = device;
    }
    if (bank_->isChecked() != settings.SendBankSelects) {
        close = true;
        settings.SendBankSelects = bank_->isChecked();
    }
    if (SoundFont() != settings.SoundFont) {
        close = true;
        settings.SoundFont = SoundFont();
    }
    settings.MetronomeVolume = volume_->value();
    settings.MetronomeAccent = accent_->isChecked();
    if (drums_->currentIndex() >= 0) settings.MetronomeDrum = drums_->currentIndex();
    return close;
}

}  // namespace fretlo

// What the Options dialog tests share: a main window stand-in that records what the dialog
// applies, a fixed list of MIDI devices, and an answerer for the modal boxes the dialog opens.
#pragma once

#include <QApplication>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTimer>
#include <functional>
#include <memory>
#include <vector>

#include "shell/OptionsDialog.h"

namespace fretlo::test {

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

// While it lives, every modal window that opens is handed to `answer` (which must close it).
class TModalAnswerer {
public:
    explicit TModalAnswerer(std::function<void(QWidget*)> answer) : answer_(std::move(answer)) {
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            if (QWidget* modal = QApplication::activeModalWidget()) answer_(modal);
        });
        timer_.start(5);
    }

private:
    std::function<void(QWidget*)> answer_;
    QTimer timer_;
};

// Answers message boxes with `button`, recording their captions and texts.
struct TMessages {
    explicit TMessages(QMessageBox::StandardButton button = QMessageBox::Ok)
        : answerer([this, button](QWidget* modal) {
              auto* box = qobject_cast<QMessageBox*>(modal);
              if (!box) return;
              Captions.push_back(box->windowTitle());
              Texts.push_back(box->text());
              box->button(button)->click();
          }) {}
    QStringList Captions;
    QStringList Texts;
    TModalAnswerer answerer;
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

}  // namespace fretlo::test

// TTrackEffectsForm: the track effects dialog, "Create Track Effects" (or "Repeat Previous
// Track Effect"), for the track effects of one space. Its "General" page holds tempo,
// instrument with let ring and bank, volume and the strokes, its "MIDI Controllers" page the
// five controllers. Every kind shows the value in force at the space, its box checked when
// the space holds an effect of the kind (edit/TrackEffects.h); OK gives the effects of the
// checked kinds.
#pragma once

#include <QDialog>

#include "edit/TrackEffects.h"
#include "playback/TempoTap.h"
#include "shell/DialogButtons.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;
class QTabWidget;

namespace fretlo {

class TSliderBox;

// What the dialog opens with besides the values: a plain dialog, or one of the Specific
// Track Effect commands.
enum class TTrackEffectsMode { Plain, Tempo, Instrument, Volume, Controllers };

struct TTrackEffectsSetup {
    const TCustomTabDoc& Doc;
    int Track;
    int Space;
    TTrackEffectsMode Mode = TTrackEffectsMode::Plain;
    // Shift+F: the latest effect at or before the space comes checked, so OK copies it here.
    bool RepeatPrevious = false;
    THelpRequest Help;
    TTempoTap::TClock TapClock;  // of the tap dialog; the system's when empty
};

class TTrackEffectsForm : public QDialog {
    Q_OBJECT
public:
    TTrackEffectsForm(QWidget* parent, TTrackEffectsSetup setup);
    // The effects OK leaves on the space; valid once the dialog was accepted.
    const TTrackEffectChoice& Choice() const { return choice_; }

protected:
    void keyPressEvent(QKeyEvent* e) override;

private:
    struct TKindControls {
        QCheckBox* Box = nullptr;
        QWidget* Value = nullptr;      // what the box focuses when it is checked; none for strokes
        TSliderBox* Slider = nullptr;  // the kinds edited with a slider
        const char* Name = nullptr;    // in the slider's range message
    };

    QWidget* CreateGeneralPage();
    QWidget* CreateControllersPage();
    QCheckBox* AddBox(TPropKind kind, const QString& caption, QWidget* page);
    TSliderBox* AddSlider(TPropKind kind, const QString& caption, const char* name, bool pitchBend,
                          QWidget* page);
    void SetTabOrder();
    void ShowValues(const TTrackEffectsAt& at);
    void FocusOnOpening(const TTrackEffectsAt& at);
    void ApplyMode();
    void BoxToggled(TPropKind kind, bool checked);
    void UpdateBank();
    void Focus(TPropKind kind);
    QWidget* PageOf(TPropKind kind) const;
    void TryAccept();
    void Refuse(TPropKind kind, QWidget* field, const std::string& text);

    TTrackEffectsSetup setup_;
    TTrackEffectChoice choice_;
    TPerKind<TKindControls> kinds_{};
    QTabWidget* pages_ = nullptr;
    QWidget* general_ = nullptr;
    QWidget* controllers_ = nullptr;
    QLineEdit* tempo_ = nullptr;
    QPushButton* tap_ = nullptr;
    QComboBox* instrument_ = nullptr;
    QCheckBox* letRing_ = nullptr;
    QCheckBox* bankBox_ = nullptr;
    QComboBox* bank_ = nullptr;
};

}  // namespace fretlo

// TTrackPropertiesForm: the track properties dialog, "Track %d Properties" for a track of the
// song and "Add Track %d" for a track about to be added. It shows every setting of the track
// but its notes on two pages and, on OK, checks them, asks before deleting notes or text,
// stops playback and applies them (edit/TrackProperties.h).
//
//   TrackPropertiesDialog.cpp   the pages, opening, OK
//   TrackPropsTuning.cpp        the kind change, the tuners and the preset tunings
#pragma once

#include <QDialog>
#include <array>
#include <functional>
#include <vector>

#include "edit/TrackProperties.h"
#include "playback/TuningPresetStore.h"
#include "shell/DialogButtons.h"

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QTabWidget;

namespace fretlo {

class TControllerEditor;
class TSliderBox;
class TTuner;

struct TTrackPropsSetup {
    TCustomTabDoc& Doc;
    TTrackData& Track;  // a track of Doc, or the new one
    int TrackIndex;     // Doc.TrackCount() for the new track
    bool NewTrack;
    bool SendBankSelects;   // the bank list is shown only when bank selects are sent
    TSettingsStore& Store;  // where the preset tunings are kept
    std::function<void()> StopPlaying;
    THelpRequest Help;
};

class TTrackPropertiesForm : public QDialog {
    Q_OBJECT
public:
    TTrackPropertiesForm(QWidget* parent, TTrackPropsSetup setup);
    ~TTrackPropertiesForm() override;

    // Whether OK changed the track; the document is then modified, its undo journal cleared.
    bool Changed() const { return changed_; }

    // The tuner of string slot s (0 the lowest).
    TTuner* Tuner(int slot) const { return tuners_[slot]; }

private:
    // TrackPropertiesDialog.cpp
    QWidget* CreateGeneralPage();
    QWidget* CreateMidiPage();
    void SetTabOrder();
    void Open();
    void ShowTrack(const TTrackPropsEntries& entries);
    void FillChannels(int automaticChannel);
    void ChannelChanged();
    void FillInstruments();
    TTrackPropsEntries Entries() const;
    void TryAccept();
    void Refuse(const TTrackPropsRefusal& refusal);
    bool Ask(const std::string& question);

    // TrackPropsTuning.cpp
    QWidget* CreateKindGroup();
    QWidget* CreateTuningGroup();
    bool ChangeKind(int kind);
    void KindClicked(int kind);
    void ShowTuners(int stringCount);
    std::vector<uint8_t> VisibleNotes() const;
    TTuningPresetStore PresetStore() const;
    void ReloadPresets();
    void FillPresets();
    void ApplyPreset(int index);
    void FollowTuners();
    void UpdatePresetButtons();
    QString TunerHint(const TTuner& tuner) const;
    void SavePresetAs();
    void DeletePreset();
    void SetDefaultPreset();
    void ResetPresets();
    // Runs a store command and reloads the list; a store that refuses it reports why and
    // leaves the list as it was.
    void WithStore(const std::function<void()>& command);
    // A preset command's question, with the exclamation icon.
    bool Confirm(const QString& title, const QString& question, bool yesByDefault);
    const std::string& SelectedPreset() const;

    TTrackPropsSetup setup_;
    int kind_ = -1;
    std::vector<TPresetTuning> presets_;
    bool applyingPreset_ = false;
    bool changed_ = false;

    QTabWidget* pages_ = nullptr;
    QWidget* generalPage_ = nullptr;
    QWidget* midiPage_ = nullptr;
    // General page
    QButtonGroup* kinds_ = nullptr;
    std::array<TTuner*, StringSlots - 1> tuners_{};
    std::array<QLabel*, StringSlots - 1> tunerLabels_{};
    QCheckBox* showNumbers_ = nullptr;
    QListWidget* presetList_ = nullptr;
    QPushButton* saveAs_ = nullptr;
    QPushButton* delete_ = nullptr;
    QPushButton* setDefault_ = nullptr;
    QPushButton* reset_ = nullptr;
    QCheckBox* topTextLine_ = nullptr;
    QCheckBox* bottomTextLine_ = nullptr;
    QLineEdit* highestNumber_ = nullptr;
    // MIDI page
    QComboBox* channel_ = nullptr;
    QComboBox* instrument_ = nullptr;
    QLabel* bankLabel_ = nullptr;
    QComboBox* bank_ = nullptr;
    QLineEdit* transpose_ = nullptr;
    QComboBox* direction_ = nullptr;
    QCheckBox* letRing_ = nullptr;
    TSliderBox* volume_ = nullptr;
    TControllerEditor* controllers_ = nullptr;
};

}  // namespace fretlo

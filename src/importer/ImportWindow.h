// TImportWindow: the importer's one window. Open a MIDI file, choose per part whether it
// becomes a track and its kind and tuning, the grid and triplets, preview the report, and
// "Open in Fretlo".
#pragma once

#include <QWidget>
#include <memory>

#include "importer/FretloLink.h"
#include "importer/ImportSession.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QTableView;

namespace fretlo {

class TPartsModel;

inline constexpr const char* ImporterTitle = "Fretlo MIDI Import";

class TImportWindow : public QWidget {
    Q_OBJECT
public:
    explicit TImportWindow(TFretloLink& fretlo, QWidget* parent = nullptr);
    ~TImportWindow() override;

    // Shows the file's parts; a file that cannot be read is named in a message box and the
    // window keeps what it showed.
    void OpenMidiFile(const QString& path);

private:
    void ChooseMidiFile();
    void ShowCurrentPart();
    void ApplyKind(int kind);
    void ApplyTuning(int index);
    void ApplyGrid();
    void Preview();
    void OpenInFretloClicked();
    void ShowError(const QString& message);
    int CurrentPart() const;

    TFretloLink& fretlo_;
    std::unique_ptr<TImportSession> session_;
    TPartsModel* model_ = nullptr;
    QLabel* file_;
    QTableView* parts_;
    QComboBox* kind_;
    QComboBox* tuning_;
    QComboBox* grid_;
    QCheckBox* triplets_;
    QPlainTextEdit* report_;
    QPushButton* preview_;
    QPushButton* open_;
    bool showing_ = false;  // the controls are being set from the part, not by the user
};

}  // namespace fretlo

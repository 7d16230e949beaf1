// The File menu: New, Open, Save, Save As, the exports, the recent files, and the
// save-changes prompt that guards every command replacing the song.
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>

#include "export/ExportText.h"
#include "playback/ExportMidi.h"
#include "shell/Config.h"
#include "shell/ExportMidiDialog.h"
#include "shell/ErrorDisplay.h"
#include "shell/ExportTextDialog.h"
#include "shell/HelpContexts.h"
#include "shell/Main.h"
#include "shell/MainFormRules.h"
#include "shell/NewSongDialog.h"
#include "view/TabEditorView.h"

namespace fretlo {

namespace {

const char* const SongFilter = "Fretlo Tablature (*.frl);;All Files (*)";

// A save dialog asking before overwriting, adding `extension` to a name typed without one.
QString AskSaveFileName(QWidget* parent, const QString& title, const QString& filter, const char* extension,
                        const QString& initial) {
    QFileDialog dialog(parent, title, initial, filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(extension);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return dialog.selectedFiles().first();
}

}  // namespace

bool TMainForm::ConfirmDiscard() {
    if (!Document_.Modified) return true;
    const QString text = QString::fromStdString(DisplayName(Document_.FileName)) +
                         " has changed.\n\nDo you want to save the changes?";
    const auto answer = QMessageBox::warning(
        this, AppTitle, text, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::Yes);
    if (answer == QMessageBox::Cancel) return false;
    if (answer == QMessageBox::No) return true;
    // A failed save is shown here and abandons the command that asked: letting the error
    // travel on would close the window or replace the song whose changes it could not keep.
    try {
        actFileSaveExecute();
    } catch (const std::exception& error) {
        ShowException(error);
        return false;
    }
    // A cancelled Save As or a refused folder keeps the user where they were.
    return !Document_.Modified;
}

void TMainForm::RememberFile() {
    TConfigIniFile store(configFile_);
    MruList = RememberRecentFile(store, Document_.FileName, DisplayName(Document_.FileName));
}

void TMainForm::OpenFile(const QString& fileName) {
    View_->StopPlaying();
    Document_.LoadFromFile(QFileInfo(fileName).absoluteFilePath().toStdString());
    RememberFile();
}

// The expanded DefaultPath, made when missing (one level; a failure only loses the preset).
QString TMainForm::DialogFolder() const {
    const QString folder = QString::fromStdString(ExpandDocPath(settings_.DefaultPath));
    if (!folder.isEmpty() && !QFileInfo(folder).isDir()) QDir().mkdir(folder);
    return folder;
}

void TMainForm::actFileNewExecute() {
    View_->StopPlaying();
    if (!ConfirmDiscard()) return;
    if (const auto bars = AskBarLines(this, "New - Settings", hcNew, HelpRequest())) Document_.New(*bars);
}

void TMainForm::actFileOpenExecute() {
    if (!ConfirmDiscard()) return;
    const QString fileName = QFileDialog::getOpenFileName(this, "Open", DialogFolder(), SongFilter);
    if (!fileName.isEmpty()) OpenFile(fileName);
}

void TMainForm::actFileSaveExecute() {
    if (Document_.FileName.empty()) {
        actFileSaveAsExecute();
        return;
    }
    if (const auto folder = RefusedSaveFolder(Document_.FileName, TempFoldersFromEnvironment())) {
        ShowError(QString::fromStdString(SaveRefusedMessage(*folder)));
        return;
    }
    SaveTo(Document_.FileName);
}

void TMainForm::actFileSaveAsExecute() {
    const QString current = QString::fromStdString(Document_.FileName);
    const QString initial = current.isEmpty() ? DialogFolder() : current;
    const QString fileName = AskSaveFileName(this, "Save As", SongFilter, "frl", initial);
    if (!fileName.isEmpty()) SaveTo(fileName.toStdString());
}

void TMainForm::SaveTo(const std::string& fileName) {
    Document_.SaveToFile(fileName);
    RememberFile();
}

// The song's file name with another extension; empty for an unsaved song.
QString TMainForm::ExportFileName(const char* title, const char* filter, const char* extension) {
    QString initial;
    if (!Document_.FileName.empty()) {
        const QFileInfo song(QString::fromStdString(Document_.FileName));
        initial = song.dir().filePath(song.completeBaseName() + "." + extension);
    }
    return AskSaveFileName(this, title, filter, extension, initial);
}

void TMainForm::FExportTextClick() {
    TExportTextForm dialog(this, Document_.TrackCount(), HelpRequest());
    if (dialog.exec() != QDialog::Accepted) return;
    const QString fileName = ExportFileName(
        "Export Text File", "Text Files (*.txt);;.tab Text Files (*.tab);;All Files (*)", "txt");
    if (!fileName.isEmpty())
        WriteTextExport(Document_, fileName.toStdString(), dialog.Options(), dialog.Tracks());
}

void TMainForm::FExportMidiClick() {
    TExportMidiForm dialog(this, Document_.TrackCount(), HelpRequest());
    if (dialog.exec() != QDialog::Accepted) return;
    const QString fileName = ExportFileName("Export MIDI File", "MIDI Files (*.mid);;All Files (*)", "mid");
    if (fileName.isEmpty()) return;
    ExportMidi(Document_, fileName.toStdString(), dialog.Tracks(), dialog.IncludeBankSelects(),
               dialog.IncludeMuted());
}

// The path is taken before the question: saving the song first reorders the list.
void TMainForm::FMRUClick(int index) {
    View_->StopPlaying();
    if (index >= static_cast<int>(MruList.size())) return;
    const std::string path(RecentFilePath(MruList[index]));
    if (ConfirmDiscard()) OpenFile(QString::fromStdString(path));
}

// The recent files as the store holds them now: another instance may have added some.
void TMainForm::FMenuShow() {
    MruList = ReadRecentFiles(TConfigIniFile(configFile_));
    for (int i = 0; i < static_cast<int>(MruItems.size()); ++i) {
        const bool shown = i < static_cast<int>(MruList.size());
        MruItems[i]->setVisible(shown);
        if (!shown) continue;
        const std::string_view entry = MruList[i];
        const auto star = entry.find('*');
        const std::string_view name = star == std::string_view::npos ? entry : entry.substr(star + 1);
        MruItems[i]->setText(QString::fromStdString(RecentItemCaption(i, name)));
    }
    MruSeparator->setVisible(!MruList.empty());
}

}  // namespace fretlo

// The Tools menu: Time at Cursor, the Options dialog with what it changes in the window, and
// the MIDI import program.
#include <QCoreApplication>
#include <QMessageBox>
#include <QProcess>

#include "platform/midi/SystemMidiDevices.h"
#include "platform/qt/FileAssociation.h"
#include "shell/ImportMidiTool.h"
#include "shell/Main.h"
#include "shell/MainFormRules.h"
#include "playback/TimeAtCursor.h"
#include "view/TabEditorView.h"

namespace fretlo {

void TMainForm::TShowTimeClick() {
    const TEditCursor cursor = View_->Cursor();
    const uint64_t ms = TimeAtCursor(Document_, cursor.Track, cursor.Space);
    QMessageBox::information(this, AppTitle,
                             QString::fromStdString(TimeAtCursorMessage(ms)).replace("\r\n", "\n"));
}

void TMainForm::TConfigClick() {
    // The dialog starts from what the window shows now: colours, switches of the Play menu.
    CollectSettings();
    if (ExecuteOptionsDialog(this, settings_, *this, configFile_)) ApplySettings();
}

void TMainForm::TImportMidiToolClick() {
    const QString tool = ImportToolPath(QCoreApplication::applicationDirPath());
    if (tool.isEmpty() || !QProcess::startDetached(tool, {}))
        QMessageBox::warning(this, AppTitle, QString("The MIDI import tool %1 could not be started.").arg(ImportToolName));
}

void TMainForm::ApplyColors(const TTabColorTable& colors) { View_->SetColors(colors); }

void TMainForm::ApplyFonts(const TTabFontSettings& fonts) { View_->SetFonts(fonts.Tab, fonts.TabSmall); }

void TMainForm::ApplyDisplayOptions(const TSettings& settings) { ApplyViewOptions(settings); }

void TMainForm::CloseMidiDevice() { View_->CloseDevice(); }

std::unique_ptr<TMidiDevices> TMainForm::MidiDevices(const std::string& soundFont) {
    return std::make_unique<TSystemMidiDevices>(soundFont);
}

std::optional<bool> TMainForm::FileAssociation() { return IsAssociated(QCoreApplication::applicationFilePath()); }

// A failure is shown here, so the rest of the dialog's result still reaches the window; the
// desktop rebuilds its caches from whatever was written.
void TMainForm::SetFileAssociation(bool on) {
    Guarded([on] {
        const struct TTellDesktop {
            ~TTellDesktop() { TellDesktopAssociationsChanged(); }
        } tell;
        on ? RegisterAssociation(QCoreApplication::applicationFilePath()) : UnregisterAssociation();
    });
}

}  // namespace fretlo

// TMainForm: construction, the settings read at start and written at exit, closing.
#include "shell/Main.h"

#include <QCloseEvent>
#include <QMessageBox>
#include <QPrinter>

#include "shell/Config.h"
#include "shell/ErrorDisplay.h"
#include "shell/HelpWindow.h"
#include "shell/MainFormRules.h"
#include "shell/ToolbarGlyphs.h"
#include "platform/qt/InstanceChannel.h"
#include "view/TabEditorView.h"

namespace fretlo {

TMainForm::TMainForm(const QString& fileName, const QString& configFile) : configFile_(configFile) {
    CreateDocumentAndView();
    CreateActions();
    CreateMenus();
    CreateToolbars();
    CreateStatusBar();
    ConnectEditCommands();
    ConnectViewCommands();
    ConnectPlayer();
    setWindowIcon(ApplicationIcon());
    setMinimumSize(256, 256);
    resize(900, 600);
    CommWindow = std::make_unique<TInstanceServer>([this] { return AcceptHandOver(); },
                                                   [this](const QString& file) { OpenHandedOverFile(file); });

    settings_ = LoadSettings(configFile_);
    ApplySettings();
    if (!settings_.ToolbarLayout.empty())
        restoreState(QByteArray(reinterpret_cast<const char*>(settings_.ToolbarLayout.data()),
                                static_cast<qsizetype>(settings_.ToolbarLayout.size())));
    SetMenuBarSpansRow(settings_.MenuBarSpansRow);
    MruList = ReadRecentFiles(TConfigIniFile(configFile_));
    SetUpSongFolders();

    if (!fileName.isEmpty()) Guarded([&] { OpenFile(fileName); });
    Initialized = true;
}

TMainForm::~TMainForm() {
    CommWindow.reset();
    if (Initialized) {
        CollectSettings();
        SaveSettings(settings_, configFile_);
    }
    // The view (with its player) goes before the document it shows.
    View_->CloseDevice();
    View_->SetTabDocument(nullptr);
    Document_.SetEditHost(nullptr);
    delete takeCentralWidget();
    Document_.OnUndoChanged = nullptr;
    Document_.OnCaptionChanged = nullptr;
}

void TMainForm::CreateDocumentAndView() {
    Document_.OnCaptionChanged = [this](const std::string& caption) { SetCaption(caption); };
    View_ = new TTabEditorView;
    View_->MakeSystemDevices = [this](const std::string& soundFont) { return MidiDevices(soundFont); };
    Container = new TTabContainer(View_, this);
    Scroller = Container->Scroller();
    RulerParent = Container->RulerParent();
    Ruler = RulerParent->Ruler();
    setCentralWidget(Container);
    Document_.SetEditHost(View_);
    View_->SetTabDocument(&Document_);
    Document_.New(16);
    SetCaption(Document_.WindowCaption());
    View_->setFocus();
}

void TMainForm::SetCaption(const std::string& caption) { setWindowTitle(QString::fromStdString(caption)); }

// The view and the player follow the settings; the Play menu's switches show them.
void TMainForm::ApplySettings() {
    ApplyColors(settings_.Colors);
    ApplyFonts(settings_.Fonts);
    ApplyViewOptions(settings_);
    TPlayerSettings player = View_->PlayerSettings();
    player.MetronomeOn = settings_.MetronomeOn;
    player.MetronomeVolume = settings_.MetronomeVolume;
    player.MetronomeAccent = settings_.MetronomeAccent;
    player.MetronomeDrum = settings_.MetronomeDrum;
    player.SendBankSelects = settings_.SendBankSelects;
    View_->SetPlayerSettings(player);
    View_->SetPreviewMode(static_cast<TPreviewMode>(settings_.PlayNotesWhileEditing));
    View_->SetRewindAfterStop(settings_.RewindAfterStop);
    actPlayMetronome->setChecked(settings_.MetronomeOn);
    actRewind->setChecked(settings_.RewindAfterStop);
    SetPractice(settings_.Practice);
}

void TMainForm::ApplyViewOptions(const TSettings& settings) {
    View_->SetOptions({settings.DrawNumbersTransparently, settings.HighlightNotes, settings.MovingBar,
                       settings.TuningAlwaysVisible});
    View_->SetEditorOptions({settings.ScrollABar, settings.HideCursorWhilePlaying, settings.MouseWheelVert,
                             settings.MIDIDevice, settings.SoundFont});
}

// What the window, the view and the Play menu hold back into the settings record.
void TMainForm::CollectSettings() {
    settings_.MetronomeOn = actPlayMetronome->isChecked();
    settings_.RewindAfterStop = actRewind->isChecked();
    settings_.PlayNotesWhileEditing = static_cast<int>(View_->PreviewMode());
    settings_.MenuBarSpansRow = MenuBarSpansRow();
    settings_.Maximized2 = isMaximized();
    settings_.Colors = View_->Colors();
    const QByteArray layout = saveState();
    settings_.ToolbarLayout.assign(layout.begin(), layout.end());
}

void TMainForm::Guarded(const std::function<void()>& command) {
    try {
        command();
    } catch (const std::exception& error) {
        ShowException(error);
    }
}

void TMainForm::ShowError(const QString& text) { QMessageBox::warning(this, AppTitle, text); }

// Refused until the question lets it go: an error on the way keeps the window open.
void TMainForm::closeEvent(QCloseEvent* e) {
    e->ignore();
    View_->StopPlaying();
    if (!ConfirmDiscard()) return;
    e->accept();
    // A help window left open would keep the program running without its main window.
    if (help_) help_->close();
}

void TMainForm::changeEvent(QEvent* e) {
    if (e->type() == QEvent::ActivationChange && isActiveWindow()) UpdatePasteAction();
    QMainWindow::changeEvent(e);
}

}  // namespace fretlo

// TMainForm: the program's one top-level window. It owns the song document and the editor
// view for the whole run and turns every menu item, toolbar button and shortcut into a call
// on them or on one of the dialogs.
//
//   MainForm.cpp          construction, settings in and out, closing, the window caption
//   MainFormActions.cpp   the command table: actions with captions, shortcuts and glyphs
//   MainFormMenus.cpp     the menu bar, its menus and their enable and check rules
//   MainFormBars.cpp      the docks, the toolbars with their pop-up menu, the status bar
//   FileCommands.cpp      File: New, Open, Save, Save As, exports, recent files, Exit
//   PrintCommands.cpp     File: Print, Print Preview, Page Setup
//   EditCommands.cpp      Edit: Undo, clipboard, keys sent to the view, Go to Bar
//   ViewCommands.cpp      View: toolbars, Menu Bar Spans Row, Status Bar
//   SongCommands.cpp      Song: Title & Comments, Track Properties, Add, Delete and Move Tracks,
//                         Tempo
//   SongBarCommands.cpp   Song: Recreate Bar Lines, Add Bars, Remove Unused Bars
//   CreateCommands.cpp    Create: characters typed into the view, Track Effects,
//                         Alternate-Time Region
//   PlayCommands.cpp      Play: the player bridge, the Play menu's switches, loop, speed and
//                         count-in
//   ToolsCommands.cpp     Tools: Time at Cursor, Options
//   HelpCommands.cpp      Help: the help window by context number, the About box
//   MainFormInstance.cpp  files handed over by a second start, the first-run song folders
#pragma once

#include <QMainWindow>
#include <array>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "shell/ConfigIniFile.h"
#include "shell/DialogButtons.h"
#include "shell/OptionsDialog.h"
#include "shell/Settings.h"
#include "view/TabDocument.h"

class QActionGroup;
class QLabel;
class QMenu;
class QPrinter;
class QSpinBox;
class QToolBar;

namespace fretlo {

class TTabContainer;
class TTabEditorView;
class TTabRuler;
class TTabRulerParent;
class TTabScroller;
class THelpWindow;
class TInstanceServer;
struct TPrintOptions;
enum class TTrackEffectsMode;

class TMainForm : public QMainWindow, public TOptionsTarget {
    Q_OBJECT
public:
    // Builds the window, loads the settings from `configFile` and opens `fileName` when given.
    explicit TMainForm(const QString& fileName = {}, const QString& configFile = DefaultConfigFile());
    // Writes the settings back when construction finished.
    ~TMainForm() override;

    // --- Operations other commands use -------------------------------------------------
    // The save-changes prompt; true when the caller may go on.
    bool ConfirmDiscard();
    // After every successful Open, Save and Save As: the file moves to the top of the recent files.
    void RememberFile();
    // A modal warning with the application title as caption.
    void ShowError(const QString& text);
    // Stops playback, loads a song file and remembers it (errors reach the caller).
    void OpenFile(const QString& fileName);
    // Shows a help page; "Failed to open Help." when it is missing.
    void ShowHelp(int context) override;

    // --- What the Options dialog changes (ToolsCommands.cpp) ---------------------------
    void ApplyColors(const TTabColorTable& colors) override;
    void ApplyFonts(const TTabFontSettings& fonts) override;
    void ApplyDisplayOptions(const TSettings& settings) override;
    void CloseMidiDevice() override;
    std::unique_ptr<TMidiDevices> MidiDevices(const std::string& soundFont) override;
    std::optional<bool> FileAssociation() override;
    void SetFileAssociation(bool on) override;

    TTabDocument& Document() { return Document_; }
    TTabEditorView& View() const { return *View_; }
    const TSettings& Settings() const { return settings_; }
    const std::vector<std::string>& RecentFiles() const { return MruList; }
    // The printer of this run: Page Setup's choices stay in force for the following jobs.
    QPrinter& Printer();

    // --- Commands, as the menus run them (public for the tests) ------------------------
    void actFileNewExecute();
    void actFileOpenExecute();
    void actFileSaveExecute();
    void actFileSaveAsExecute();
    void FExportTextClick();
    void FExportMidiClick();
    void actFilePrintExecute();
    void actFilePrintPreviewExecute();
    void actFilePageSetupExecute();
    void FMRUClick(int index);
    void EGotoClick();
    void actSongTitleExecute();
    void actSongTrackPropExecute();
    void SAddTrackClick();
    void SDeleteTrackClick();
    void SMoveTracksClick();
    void STempoClick();
    void PSpeedClick();
    void SRecreateBarLinesClick();
    void SAddBarsClick();
    void SRemoveUnusedBarsClick();
    void CAltTimeRegionClick();
    // The track effects dialog for the cursor space; on OK its effects are written there.
    void EditTrackEffects(TTrackEffectsMode mode, bool repeatPrevious);
    void TShowTimeClick();
    void TConfigClick();
    void TImportMidiToolClick();
    void HAboutClick();

protected:
    void closeEvent(QCloseEvent* e) override;
    void changeEvent(QEvent* e) override;
    QMenu* createPopupMenu() override;

private:
    // MainForm.cpp
    void CreateDocumentAndView();
    void ApplySettings();
    void ApplyViewOptions(const TSettings& settings);
    void CollectSettings();
    void SetCaption(const std::string& caption);
    // What the dialogs' Help buttons call.
    THelpRequest HelpRequest();
    // Runs a command; an exception it raises is shown by the exception display.
    void Guarded(const std::function<void()>& command);
    // MainFormActions.cpp
    void CreateActions();
    // An action running `handler` (guarded); a glyph index of TToolbarGlyph, or -1.
    QAction* Command(const char* caption, QKeySequence shortcut, std::function<void()> handler,
                     int glyph = -1);
    // An action whose command comes with a later part of the program: shown, but disabled.
    QAction* Unavailable(const char* caption, QKeySequence shortcut = {}, int glyph = -1);
    // MainFormMenus.cpp
    void CreateMenus();
    QMenu* CreateFileMenu();
    QMenu* CreateEditMenu();
    QMenu* CreateViewMenu();
    QMenu* CreateSongMenu();
    QMenu* CreateCreateMenu();
    QMenu* CreatePlayMenu();
    QMenu* CreateToolsMenu();
    QMenu* CreateHelpMenu();
    QMenu* CreateEditorMenu();
    void FMenuShow();
    void EMenuShow();
    void VMenuShow();
    void CMenuShow();
    void CMenuHide();
    void PMenuShow();
    // MainFormBars.cpp
    void CreateToolbars();
    void CreateStatusBar();
    void UpdateStatusBar();
    // ViewCommands.cpp
    void ConnectViewCommands();
    void SetMenuBarSpansRow(bool on);
    bool MenuBarSpansRow() const { return menuBarSpansRow_; }
    // FileCommands.cpp
    bool SaveAs();
    void SaveTo(const std::string& fileName);
    QString DialogFolder() const;
    QString ExportFileName(const char* title, const char* filter, const char* extension);
    // PrintCommands.cpp
    // The print dialog and the job for options already chosen (Print, and Print in the preview).
    void PrintWithDialog(const TPrintOptions& options);
    // EditCommands.cpp
    void ConnectEditCommands();
    void SendKey(int qtKey, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
    void UpdatePasteAction();
    void UpdateSelectionActions();
    // CreateCommands.cpp
    void TypeCharacter(char ch);
    void TypeCaptionCharacter(const QAction* item);
    // SongCommands.cpp
    // The track properties dialog for `track` (at `index`, or about to be added there); true
    // when OK changed it.
    bool ShowTrackProperties(TTrackData& track, int index, bool newTrack);
    // After the track list changed: lays the view out again and puts the cursor on `track`.
    void TracksChanged(int track, int space);
    // PlayCommands.cpp
    void ConnectPlayer();
    // Takes new practice choices: the view plays by them, the switches and the speed box show
    // them, and the settings keep them.
    void SetPractice(const TPracticeSettings& practice);
    void SetPracticeSwitch(bool TPracticeSettings::*member, bool on);
    // A speed from the speed box, the keys or the dialog: at once for a running playback too.
    void ChooseSpeed(int speed);
    // Ctrl+Plus and Ctrl+Minus: the speed up or down by `step` %.
    void ChangeSpeed(int step);
    // MainFormInstance.cpp
    // Whether a file handed over now is taken: the window is then restored and raised.
    bool AcceptHandOver();
    // Opens a handed-over file after the sender has its answer (the save question may come).
    void OpenHandedOverFile(const QString& fileName);
    // The demo songs and the old song folder, before the window is first shown.
    void SetUpSongFolders();

    // --- Fields ------------------------------------------------------------------------
    bool Initialized = false;
    QString configFile_;
    TTabDocument Document_;
    TTabContainer* Container = nullptr;
    TTabScroller* Scroller = nullptr;
    TTabEditorView* View_ = nullptr;
    TTabRuler* Ruler = nullptr;
    TTabRulerParent* RulerParent = nullptr;
    std::array<QAction*, 10> MruItems{};
    std::vector<std::string> MruList;
    TSettings settings_;
    std::unique_ptr<THelpWindow> help_;
    std::unique_ptr<TInstanceServer> CommWindow;  // receives files from a second start
    std::unique_ptr<QPrinter> printer_;            // made on first use: it asks the print system

    // Menus, bars and panels.
    QMenu* FMenu = nullptr;
    QMenu* EMenu = nullptr;
    QMenu* VMenu = nullptr;
    QMenu* SMenu = nullptr;
    QMenu* CMenu = nullptr;
    QMenu* PMenu = nullptr;
    QMenu* TMenu = nullptr;
    QMenu* HMenu = nullptr;
    QAction* MruSeparator = nullptr;  // before "E&xit", shown with the recent files
    QToolBar* MenuBarToolbar = nullptr;
    QToolBar* MainToolbar = nullptr;
    QToolBar* PlayToolbar = nullptr;
    std::array<QLabel*, 8> StatusPanels{};
    bool menuBarSpansRow_ = true;

    // File
    QAction* actFileNew = nullptr;
    QAction* actFileOpen = nullptr;
    QAction* actFileSave = nullptr;
    QAction* actFileSaveAs = nullptr;
    QAction* actFilePrint = nullptr;
    QAction* actFilePrintPreview = nullptr;
    QAction* actFilePageSetup = nullptr;
    QAction* FExportText = nullptr;
    QAction* FExportMidi = nullptr;
    QAction* FExit = nullptr;
    // Edit
    QAction* actEditUndo = nullptr;
    QAction* ESelAllTracks = nullptr;
    QAction* actEditCut = nullptr;
    QAction* actEditCopy = nullptr;
    QAction* actEditPaste = nullptr;
    QAction* actEditClear = nullptr;
    QAction* ETClearEffect = nullptr;
    QAction* EShiftLeft = nullptr;
    QAction* EShiftRight = nullptr;
    QAction* EShiftAllLeft = nullptr;
    QAction* EShiftAllRight = nullptr;
    QAction* EDeleteSpace = nullptr;
    QAction* EInsertSpace = nullptr;
    QAction* EMoveNoteUp = nullptr;
    QAction* EMoveNoteDown = nullptr;
    QAction* EGoto = nullptr;
    // View
    QAction* VTMain = nullptr;
    QAction* VTPlay = nullptr;
    QAction* VTMenuBarSpansRow = nullptr;
    QAction* VStatusBar = nullptr;
    // Song
    QAction* actSongTitle = nullptr;
    QAction* actSongTrackProp = nullptr;
    QAction* SAddTrack = nullptr;
    QAction* SDeleteTrack = nullptr;
    QAction* SMoveTracks = nullptr;
    QAction* SAddBars = nullptr;
    QAction* SRemoveUnusedBars = nullptr;
    QAction* SRecreateBarLines = nullptr;
    QAction* STempo = nullptr;
    // Create
    QAction* CBarLine = nullptr;
    QAction* CStaffBreak = nullptr;
    QAction* CRepeatStart = nullptr;
    QAction* CRepeat = nullptr;
    QAction* EEMutedString = nullptr;
    QAction* EEStopString = nullptr;
    QAction* CTrackEffect = nullptr;
    QAction* CAltTimeRegion = nullptr;
    std::vector<QAction*> EffectItems;           // the Effect submenu
    std::vector<QAction*> SpecificTrackEffects;  // Tempo, Instrument, Volume, Controller Change
    QAction* CTStrokeDown = nullptr;
    QAction* CTStrokeUp = nullptr;
    // Play
    QAction* actPlay = nullptr;
    QAction* actPlayAll = nullptr;
    QAction* actStop = nullptr;
    QAction* PCloseDevice = nullptr;
    QAction* actPlayMetronome = nullptr;
    QAction* actRewind = nullptr;
    QAction* PIgnoreRepeats = nullptr;
    QAction* PLoopSelection = nullptr;
    QAction* PSpeed = nullptr;
    QAction* PFaster = nullptr;
    QAction* PSlower = nullptr;
    QAction* PCountIn = nullptr;
    QSpinBox* SpeedBox = nullptr;  // on the Play toolbar
    std::array<QAction*, 3> PlayNotesItems{};  // Off, Current Track, All Tracks
    QActionGroup* PlayNotesGroup = nullptr;
    // Tools
    QAction* TShowTime = nullptr;
    QAction* TConfig = nullptr;
    QAction* TCheckForUpdates = nullptr;
    // Help
    QAction* HHelpTopics = nullptr;
    QAction* HKeyboard = nullptr;
    QAction* HDrumKeys = nullptr;
    QAction* HAbout = nullptr;
};

}  // namespace fretlo

// The command table: every action with its caption, shortcut, glyph and starting state.
#include <QAction>
#include <QActionGroup>
#include <QCoreApplication>
#include <QRegularExpression>

#include "shell/HelpContexts.h"
#include "shell/ImportMidiTool.h"
#include "shell/Main.h"
#include "shell/ToolbarGlyphs.h"
#include "shell/TrackEffectsDialog.h"
#include "view/TabEditorView.h"

namespace fretlo {

namespace {

QAction* Checkable(QAction* action) {
    action->setCheckable(true);
    return action;
}

constexpr int SpeedKeyStep = 5;  // % per Ctrl+Plus or Ctrl+Minus

}  // namespace

QAction* TMainForm::Command(const char* caption, QKeySequence shortcut, std::function<void()> handler,
                            int glyph) {
    auto* action = new QAction(caption, this);
    action->setShortcut(shortcut);
    if (glyph >= 0) action->setIcon(ToolbarIcon(static_cast<TToolbarGlyph>(glyph)));
    // A menu caption's "&&" shows one "&"; the button tip drops the access keys.
    QString tip = QString(caption).section('\t', 0, 0).remove(QRegularExpression("&(?!&)")).remove("...");
    action->setToolTip(tip.replace("&&", "&"));
    connect(action, &QAction::triggered, this, [this, handler = std::move(handler)] { Guarded(handler); });
    addAction(action);  // its shortcut works whether a menu or toolbar shows it or not
    return action;
}

QAction* TMainForm::Unavailable(const char* caption, QKeySequence shortcut, int glyph) {
    QAction* action = Command(
        caption, shortcut, [] {}, glyph);
    action->setEnabled(false);
    return action;
}

void TMainForm::CreateActions() {
    auto* view = View_;
    // File
    actFileNew = Command(
        "&New...", QKeySequence(Qt::CTRL | Qt::Key_N), [this] { actFileNewExecute(); }, tgNew);
    actFileOpen = Command(
        "&Open...", QKeySequence(Qt::CTRL | Qt::Key_O), [this] { actFileOpenExecute(); }, tgOpen);
    actFileSave = Command(
        "&Save", QKeySequence(Qt::CTRL | Qt::Key_S), [this] { actFileSaveExecute(); }, tgSave);
    actFileSaveAs = Command("Save &As...", {}, [this] { actFileSaveAsExecute(); });
    actFilePrint = Command(
        "&Print...", QKeySequence(Qt::CTRL | Qt::Key_P), [this] { actFilePrintExecute(); }, tgPrint);
    actFilePrintPreview = Command(
        "Print Pre&view", {}, [this] { actFilePrintPreviewExecute(); }, tgPrintPreview);
    actFilePageSetup = Command("Page Set&up...", {}, [this] { actFilePageSetupExecute(); });
    FExportText = Command("&Export Text...", {}, [this] { FExportTextClick(); });
    FExportMidi = Command("Export &MIDI...", {}, [this] { FExportMidiClick(); });
    for (int i = 0; i < static_cast<int>(MruItems.size()); ++i)
        MruItems[i] = Command("", {}, [this, i] { FMRUClick(i); });
    FExit = Command("E&xit", {}, [this] { close(); });

    // Edit: most items send the key they stand for to the view.
    actEditUndo = Command(
        "&Undo", QKeySequence(Qt::CTRL | Qt::Key_Z), [view] { view->Undo(); }, tgUndo);
    actEditUndo->setEnabled(false);
    ESelAllTracks = Checkable(Command("Se&lect All Tracks", QKeySequence(Qt::SHIFT | Qt::Key_PageDown),
                                      [this] { SendKey(Qt::Key_PageDown, Qt::ShiftModifier); }));
    ESelAllTracks->setEnabled(false);
    actEditCut = Command(
        "Cu&t", QKeySequence(Qt::CTRL | Qt::Key_X), [view] { view->Cut(); }, tgCut);
    actEditCopy = Command(
        "&Copy", QKeySequence(Qt::CTRL | Qt::Key_C), [view] { view->Copy(); }, tgCopy);
    actEditCut->setEnabled(false);
    actEditCopy->setEnabled(false);
    actEditPaste = Command(
        "&Paste", QKeySequence(Qt::CTRL | Qt::Key_V), [view] { view->Paste(); }, tgPaste);
    actEditClear = Command(
        "Cle&ar", QKeySequence(Qt::Key_Space), [view] { view->Clear(); }, tgClear);
    ETClearEffect = Command("Clear Track &Effects", QKeySequence(Qt::CTRL | Qt::Key_Backspace),
                            [this] { SendKey(Qt::Key_Backspace, Qt::ControlModifier); });
    const auto sender = [this](int key, Qt::KeyboardModifiers modifiers) {
        return [this, key, modifiers] { SendKey(key, modifiers); };
    };
    EShiftLeft = Command("Shift Notes &Left", QKeySequence(Qt::Key_Delete), sender(Qt::Key_Delete, {}));
    EShiftRight = Command("Shift Notes &Right", QKeySequence(Qt::Key_Insert), sender(Qt::Key_Insert, {}));
    EShiftAllLeft = Command("&Shift Notes Left on All Tracks", QKeySequence(Qt::CTRL | Qt::Key_Delete),
                            sender(Qt::Key_Delete, Qt::ControlModifier));
    EShiftAllRight = Command("S&hift Notes Right on All Tracks", QKeySequence(Qt::CTRL | Qt::Key_Insert),
                             sender(Qt::Key_Insert, Qt::ControlModifier));
    EDeleteSpace = Command("Sh&ift Bar Lines Left", QKeySequence(Qt::SHIFT | Qt::Key_Delete),
                           sender(Qt::Key_Delete, Qt::ShiftModifier));
    EInsertSpace = Command("Shi&ft Bar Lines Right", QKeySequence(Qt::SHIFT | Qt::Key_Insert),
                           sender(Qt::Key_Insert, Qt::ShiftModifier));
    EMoveNoteUp = Command("M&ove Note Up", QKeySequence(Qt::CTRL | Qt::Key_Up),
                          sender(Qt::Key_Up, Qt::ControlModifier));
    EMoveNoteDown = Command("Mo&ve Note Down", QKeySequence(Qt::CTRL | Qt::Key_Down),
                            sender(Qt::Key_Down, Qt::ControlModifier));
    EGoto = Command("&Go to Bar...", QKeySequence(Qt::CTRL | Qt::Key_G), [this] { EGotoClick(); });

    // View: the switches are wired to their bars in CreateToolbars.
    VTMain = Checkable(new QAction("&Main", this));
    VTPlay = Checkable(new QAction("&Play", this));
    VTMenuBarSpansRow = Checkable(new QAction("Menu Bar &Spans Row", this));
    VStatusBar = Checkable(new QAction("&Status Bar", this));
    VTMain->setObjectName("VTMain");
    VTPlay->setObjectName("VTPlay");
    VTMenuBarSpansRow->setObjectName("VTMenuBarSpansRow");
    VStatusBar->setObjectName("VStatusBar");

    // Song
    actSongTitle = Command(
        "&Title && Comments...", QKeySequence(Qt::CTRL | Qt::Key_L), [this] { actSongTitleExecute(); },
        tgTitle);
    actSongTrackProp = Command(
        "Track &Properties...", QKeySequence(Qt::CTRL | Qt::Key_A), [this] { actSongTrackPropExecute(); },
        tgTrackProperties);
    SAddTrack = Command("&Add Track...", {}, [this] { SAddTrackClick(); });
    SDeleteTrack = Command("&Delete Track", {}, [this] { SDeleteTrackClick(); });
    SMoveTracks = Command("&Move Tracks...", {}, [this] { SMoveTracksClick(); });
    SAddBars = Command("Add &Bars...", {}, [this] { SAddBarsClick(); });
    SRemoveUnusedBars = Command("Remo&ve Unused Bars", {}, [this] { SRemoveUnusedBarsClick(); });
    SRecreateBarLines = Command("&Recreate Bar Lines...", {}, [this] { SRecreateBarLinesClick(); });
    STempo = Command("T&empo...", QKeySequence(Qt::CTRL | Qt::Key_M), [this] { STempoClick(); });

    // Create: characters typed into the view.
    const auto typer = [this](char ch) { return [this, ch] { TypeCharacter(ch); }; };
    CBarLine = Checkable(Command("&Bar Line\t|", {}, typer('|')));
    CStaffBreak = Checkable(Command("Staff Brea&k", QKeySequence(Qt::CTRL | Qt::Key_K), typer(11)));
    CRepeatStart = Checkable(Command("Re&peat Open", QKeySequence(Qt::CTRL | Qt::Key_E), typer(5)));
    CRepeat = Checkable(Command("&Repeat Close...", QKeySequence(Qt::CTRL | Qt::Key_R), typer(18)));
    const auto captionTyper = [this](const char* caption) {
        auto* item = new QAction(caption, this);
        connect(item, &QAction::triggered, this,
                [this, item] { Guarded([&] { TypeCaptionCharacter(item); }); });
        return item;
    };
    EEMutedString = captionTyper("&Muted String\tX");
    EEStopString = captionTyper("St&op String\t*");
    for (const char* caption : {"&Hammer On\tH", "&Pull Off\tP", "Slide &Up\t/", "Slide &Down\t\\",
                                "Be&nd Up\t^", "&Bend\tB", "&Release Bend\tR", "&Vibrato\t~", "&Tap\tT",
                                "Sl&ap\tS", "&Soft\t(", "Harmoni&c\t<", "&Tremolo\t{", "&Whammy Bar Bend\tW"})
        EffectItems.push_back(captionTyper(caption));
    const auto effects = [this](TTrackEffectsMode mode) {
        return [this, mode] { EditTrackEffects(mode, false); };
    };
    CTrackEffect = Command("&Track Effects...\tF", {}, effects(TTrackEffectsMode::Plain));
    SpecificTrackEffects = {
        Command("&Tempo Change...", QKeySequence(Qt::CTRL | Qt::Key_T), effects(TTrackEffectsMode::Tempo)),
        Command("&Instrument Change...", QKeySequence(Qt::CTRL | Qt::Key_I),
                effects(TTrackEffectsMode::Instrument)),
        Command("&Volume Change...", QKeySequence(Qt::CTRL | Qt::Key_H), effects(TTrackEffectsMode::Volume)),
        Command("&Controller Change...", QKeySequence(Qt::CTRL | Qt::Key_Q),
                effects(TTrackEffectsMode::Controllers))};
    View_->OnTrackEffects = [this](bool repeatPrevious) {
        Guarded([&] { EditTrackEffects(TTrackEffectsMode::Plain, repeatPrevious); });
    };
    CTStrokeDown = Command("Stroke &Down (default)", QKeySequence(Qt::CTRL | Qt::Key_D), typer(4));
    CTStrokeUp = Command("Stroke &Up", QKeySequence(Qt::CTRL | Qt::Key_U), typer(21));
    CAltTimeRegion = Checkable(Command("&Alternate-Time Region...", QKeySequence(Qt::CTRL | Qt::Key_W),
                                       [this] { CAltTimeRegionClick(); }));

    // Play
    actPlay = Command(
        "&Play", QKeySequence(Qt::Key_F5), [view] { view->Play(false, false); }, tgPlay);
    actPlayAll = Command(
        "Play &All Tracks", QKeySequence(Qt::Key_F6), [view] { view->Play(true, false); }, tgPlayAll);
    actStop = Command(
        "&Stop", QKeySequence(Qt::Key_F8), [view] { view->StopPlaying(); }, tgStop);
    actStop->setEnabled(false);
    PCloseDevice = Command("&Close Device", {}, [view] { view->CloseDevice(); });
    PCloseDevice->setEnabled(false);
    actPlayMetronome = Checkable(Command(
        "&Metronome", QKeySequence(Qt::Key_F11),
        [this] { View_->SetMetronome(actPlayMetronome->isChecked()); }, tgMetronome));
    actRewind = Checkable(Command(
        "&Rewind After Stop", QKeySequence(Qt::Key_F9),
        [this] { View_->SetRewindAfterStop(actRewind->isChecked()); }, tgRewindAfterStop));
    PIgnoreRepeats = Checkable(Command(
        "&Ignore Repeats", {}, [this] { View_->SetIgnoreRepeats(!View_->PlayerSettings().IgnoreRepeats); }));
    PLoopSelection = Checkable(Command(
        "&Loop Selection", {},
        [this] { SetPracticeSwitch(&TPracticeSettings::LoopSelection, PLoopSelection->isChecked()); },
        tgLoopSelection));
    PSpeed = Command("Spee&d...", {}, [this] { PSpeedClick(); });
    PFaster = Command("&Faster", QKeySequence(Qt::CTRL | Qt::Key_Plus), [this] { ChangeSpeed(SpeedKeyStep); });
    // Plus is Shift+Equal on most keyboards; Ctrl+Equal is the same key without Shift.
    PFaster->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Plus), QKeySequence(Qt::CTRL | Qt::Key_Equal)});
    PSlower = Command("Slo&wer", QKeySequence(Qt::CTRL | Qt::Key_Minus), [this] { ChangeSpeed(-SpeedKeyStep); });
    PCountIn = Checkable(Command(
        "C&ount-in", {}, [this] { SetPracticeSwitch(&TPracticeSettings::CountIn, PCountIn->isChecked()); }));
    PlayNotesGroup = new QActionGroup(this);
    const char* modes[] = {"&Off", "&Current Track", "&All Tracks"};
    for (int mode = 0; mode < 3; ++mode) {
        PlayNotesItems[mode] = Checkable(Command(
            modes[mode], {}, [this, mode] { View_->SetPreviewMode(static_cast<TPreviewMode>(mode)); }));
        PlayNotesGroup->addAction(PlayNotesItems[mode]);
    }

    // Tools
    TShowTime =
        Command("&Time at Cursor", QKeySequence(Qt::CTRL | Qt::Key_Apostrophe), [this] { TShowTimeClick(); });
    TConfig = Command("&Options...", {}, [this] { TConfigClick(); });
    TCheckForUpdates = Command("&Import MIDI Tool.", {}, [this] { TImportMidiToolClick(); });
    TCheckForUpdates->setEnabled(!ImportToolPath(QCoreApplication::applicationDirPath()).isEmpty());

    // Help
    HHelpTopics = Command(
        "&Help Topics", QKeySequence(Qt::Key_F1), [this] { ShowHelp(hcDefaultTopic); }, tgHelpTopics);
    HKeyboard = Command("&Keyboard Commands", {}, [this] { ShowHelp(hcKeyboard); });
    HDrumKeys = Command("&Drum Key Numbers", {}, [this] { ShowHelp(hcDrumKeys); });
    HAbout = Command("&About...", {}, [this] { HAboutClick(); });
}

}  // namespace fretlo

// The menu bar and its menus, with the rules applied each time a menu opens.
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>

#include "shell/Config.h"
#include "shell/Main.h"
#include "shell/MainFormRules.h"
#include "view/TabEditorView.h"

namespace fretlo {

namespace {

QMenu* SubMenu(QWidget* parent, const char* caption, const std::vector<QAction*>& items) {
    auto* menu = new QMenu(caption, parent);
    for (QAction* item : items) {
        if (item)
            menu->addAction(item);
        else
            menu->addSeparator();
    }
    return menu;
}

}  // namespace

void TMainForm::CreateMenus() {
    auto* bar = new QMenuBar;
    bar->setNativeMenuBar(false);
    FMenu = CreateFileMenu();
    EMenu = CreateEditMenu();
    VMenu = CreateViewMenu();
    SMenu = CreateSongMenu();
    CMenu = CreateCreateMenu();
    PMenu = CreatePlayMenu();
    TMenu = CreateToolsMenu();
    HMenu = CreateHelpMenu();
    for (QMenu* menu : {FMenu, EMenu, VMenu, SMenu, CMenu, PMenu, TMenu, HMenu}) bar->addMenu(menu);
    View_->SetContextMenu(CreateEditorMenu());
    MenuBarToolbar = new QToolBar("Menu Bar", this);
    MenuBarToolbar->addWidget(bar);
}

QMenu* TMainForm::CreateFileMenu() {
    auto* menu = new QMenu("&File", this);
    menu->setObjectName("FMenu");
    menu->addActions({actFileNew, actFileOpen, actFileSave, actFileSaveAs});
    menu->addSeparator();
    menu->addActions({actFilePrint, actFilePrintPreview, actFilePageSetup});
    menu->addSeparator();
    menu->addActions({FExportText, FExportMidi});
    menu->addSeparator();
    for (QAction* item : MruItems) menu->addAction(item);
    MruSeparator = menu->addSeparator();
    menu->addAction(FExit);
    connect(menu, &QMenu::aboutToShow, this, [this] { FMenuShow(); });
    FMenuShow();
    return menu;
}

QMenu* TMainForm::CreateEditMenu() {
    auto* menu = new QMenu("&Edit", this);
    menu->setObjectName("EMenu");
    menu->addActions({actEditUndo});
    menu->addSeparator();
    menu->addActions({ESelAllTracks});
    menu->addSeparator();
    menu->addActions({actEditCut, actEditCopy, actEditPaste, actEditClear});
    menu->addSeparator();
    menu->addAction(ETClearEffect);
    menu->addMenu(SubMenu(menu, "&Shift",
                          {EShiftLeft, EShiftRight, nullptr, EShiftAllLeft, EShiftAllRight, nullptr,
                           EDeleteSpace, EInsertSpace}));
    menu->addActions({EMoveNoteUp, EMoveNoteDown});
    menu->addSeparator();
    menu->addAction(EGoto);
    connect(menu, &QMenu::aboutToShow, this, [this] { EMenuShow(); });
    return menu;
}

// The editor's right-click menu shares the Edit and Song menus' actions; it refreshes their
// states as the Edit menu does, and Paste's too, which follows the clipboard.
QMenu* TMainForm::CreateEditorMenu() {
    QMenu* menu = SubMenu(this, "", {actEditCut, actEditCopy, actEditPaste, nullptr, actEditClear, nullptr,
                                     actSongTrackProp});
    connect(menu, &QMenu::aboutToShow, this, [this] {
        EMenuShow();
        UpdatePasteAction();
    });
    return menu;
}

QMenu* TMainForm::CreateViewMenu() {
    auto* menu = new QMenu("&View", this);
    menu->setObjectName("VMenu");
    menu->addMenu(SubMenu(menu, "&Toolbars", {VTMain, VTPlay, nullptr, VTMenuBarSpansRow}));
    menu->addAction(VStatusBar);
    connect(menu, &QMenu::aboutToShow, this, [this] { VMenuShow(); });
    return menu;
}

QMenu* TMainForm::CreateSongMenu() {
    auto* menu = new QMenu("&Song", this);
    menu->setObjectName("SMenu");
    menu->addActions({actSongTitle, actSongTrackProp});
    menu->addSeparator();
    menu->addActions({SAddTrack, SDeleteTrack, SMoveTracks});
    menu->addSeparator();
    menu->addActions({SAddBars, SRemoveUnusedBars, SRecreateBarLines});
    menu->addSeparator();
    menu->addAction(STempo);
    return menu;
}

QMenu* TMainForm::CreateCreateMenu() {
    auto* menu = new QMenu("&Create", this);
    menu->setObjectName("CMenu");
    menu->addActions({CBarLine, CStaffBreak, CRepeatStart, CRepeat});
    menu->addSeparator();
    menu->addActions({EEMutedString, EEStopString});
    menu->addMenu(SubMenu(menu, "&Effect", EffectItems));
    menu->addSeparator();
    menu->addAction(CTrackEffect);
    std::vector<QAction*> specific = SpecificTrackEffects;
    specific.insert(specific.end(), {nullptr, CTStrokeDown, CTStrokeUp});
    menu->addMenu(SubMenu(menu, "&Specific Track Effect", specific));
    menu->addSeparator();
    menu->addAction(CAltTimeRegion);
    connect(menu, &QMenu::aboutToShow, this, [this] { CMenuShow(); });
    connect(menu, &QMenu::aboutToHide, this, [this] { CMenuHide(); });
    return menu;
}

QMenu* TMainForm::CreatePlayMenu() {
    auto* menu = new QMenu("&Play", this);
    menu->setObjectName("PMenu");
    menu->addActions({actPlay, actPlayAll, actStop});
    menu->addSeparator();
    menu->addAction(PCloseDevice);
    menu->addSeparator();
    menu->addActions({actPlayMetronome, actRewind, PIgnoreRepeats});
    menu->addMenu(SubMenu(menu, "Play &Notes While Editing", {PlayNotesItems.begin(), PlayNotesItems.end()}));
    menu->addSeparator();
    menu->addActions({PLoopSelection, PSpeed, PFaster, PSlower, PCountIn});
    connect(menu, &QMenu::aboutToShow, this, [this] { PMenuShow(); });
    return menu;
}

QMenu* TMainForm::CreateToolsMenu() {
    auto* menu = new QMenu("&Tools", this);
    menu->setObjectName("TMenu");
    menu->addAction(TShowTime);
    menu->addSeparator();
    menu->addActions({TConfig, TCheckForUpdates});
    return menu;
}

QMenu* TMainForm::CreateHelpMenu() {
    auto* menu = new QMenu("&Help", this);
    menu->setObjectName("HMenu");
    menu->addActions({HHelpTopics, HKeyboard, HDrumKeys});
    menu->addSeparator();
    menu->addAction(HAbout);
    return menu;
}

}  // namespace fretlo

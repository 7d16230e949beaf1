// The docks with the menu bar, "Main" and "Play" toolbars and their pop-up menu, and the
// eight-panel status bar.
#include <QContextMenuEvent>
#include <QLabel>
#include <QMenu>
#include <QSpinBox>
#include <QStatusBar>
#include <QToolBar>

#include "playback/Practice.h"
#include "shell/Main.h"
#include "view/TabEditorView.h"

namespace fretlo {

namespace {

// How long a failed note preview's reason stays in the status bar.
constexpr int PreviewNoticeMs = 6000;
constexpr int TitlePanel = 6;

QToolBar* NewToolbar(QWidget* parent, const char* name, std::initializer_list<QAction*> items) {
    auto* bar = new QToolBar(name, parent);
    bar->setObjectName(name);
    bar->setIconSize(QSize(16, 16));
    for (QAction* item : items) {
        if (item)
            bar->addAction(item);
        else
            bar->addSeparator();
    }
    return bar;
}

// The widest of the note names the note panels show.
QString WidestNoteName(const QFontMetrics& metrics) {
    QString widest;
    for (const char* name :
         {"C", "Db", "D", "Eb", "E", "F", "Gb", "G", "Ab", "A", "Bb", "B", "C#", "D#", "F#", "G#", "A#"}) {
        if (metrics.horizontalAdvance(name) > metrics.horizontalAdvance(widest)) widest = name;
    }
    return widest;
}

}  // namespace

void TMainForm::CreateToolbars() {
    MenuBarToolbar->setObjectName("Menu Bar");
    // The menu bar cannot be hidden: it has no entry in the Toolbars menu and cannot float away.
    MenuBarToolbar->setFloatable(false);
    MainToolbar = NewToolbar(this, "Main",
                             {actFileNew, actFileOpen, actFileSave, nullptr, actSongTitle, nullptr,
                              actFilePrint, actFilePrintPreview, nullptr, actEditCut, actEditCopy,
                              actEditPaste, actEditUndo, nullptr, actSongTrackProp});
    SpeedBox = new QSpinBox(this);
    SpeedBox->setRange(MinSpeed, MaxSpeed);
    SpeedBox->setSingleStep(5);
    SpeedBox->setSuffix(" %");
    SpeedBox->setKeyboardTracking(false);  // a speed on Enter, not one per typed digit
    SpeedBox->setAccessibleName("Speed");
    SpeedBox->setToolTip("Speed");
    SpeedBox->setValue(settings_.Practice.Speed);
    connect(SpeedBox, &QSpinBox::valueChanged, this, [this](int speed) { ChooseSpeed(speed); });
    PlayToolbar = NewToolbar(this, "Play",
                             {actPlay, actPlayAll, actStop, nullptr, actPlayMetronome, actRewind, nullptr,
                              PLoopSelection});
    PlayToolbar->addWidget(SpeedBox);
    addToolBar(Qt::TopToolBarArea, MenuBarToolbar);
    addToolBarBreak(Qt::TopToolBarArea);
    addToolBar(Qt::TopToolBarArea, MainToolbar);
    addToolBar(Qt::TopToolBarArea, PlayToolbar);
}

void TMainForm::CreateStatusBar() {
    QStatusBar* bar = statusBar();
    bar->setSizeGripEnabled(true);
    const QFontMetrics metrics(bar->font());
    const QString note = WidestNoteName(metrics);
    const struct {
        QString Sample;
        int Extra;
        Qt::Alignment Align;
    } panels[7] = {
        {" Track: 99", 16, Qt::AlignLeft}, {" Bar: 9999", 16, Qt::AlignLeft},
        {"99 : 99", 16, Qt::AlignCenter},  {note, 13, Qt::AlignCenter},
        {note, 13, Qt::AlignCenter},       {note, 13, Qt::AlignCenter},
        {" Speed: 200 %, pass 9999", 16, Qt::AlignLeft},
    };
    // The title panel (6) takes the room left; the speed panel comes after it.
    for (int i = 0; i < static_cast<int>(StatusPanels.size()); ++i) {
        auto* label = new QLabel(bar);
        label->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
        label->setTextFormat(Qt::PlainText);
        if (i != TitlePanel) {
            const auto& panel = panels[i < TitlePanel ? i : i - 1];
            label->setAlignment(panel.Align | Qt::AlignVCenter);
            label->setFixedWidth(metrics.horizontalAdvance(panel.Sample) + panel.Extra);
        }
        bar->addWidget(label, i == TitlePanel ? 1 : 0);
        StatusPanels[i] = label;
    }
    bar->setFixedHeight(metrics.height() + 6 + 2 * StatusPanels[0]->frameWidth());
    connect(View_, &TTabEditorView::StatusChanged, this, [this] { UpdateStatusBar(); });
    connect(View_, &TTabEditorView::PreviewNotice, this,
            [bar](const QString& text) { bar->showMessage(text.simplified(), PreviewNoticeMs); });
    UpdateStatusBar();
}

void TMainForm::UpdateStatusBar() {
    const TStatusTexts texts = View_->StatusTexts();
    for (size_t i = 0; i < texts.size(); ++i) StatusPanels[i]->setText(texts[i]);
}

}  // namespace fretlo

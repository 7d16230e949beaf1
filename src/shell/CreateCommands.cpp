// The Create menu: every item types its character into the view, as the keyboard would;
// Track Effects and Alternate-Time Region open their dialogs.
#include <QAction>

#include "edit/AltTimeRegion.h"
#include "edit/TrackEffects.h"
#include "shell/Main.h"
#include "shell/OddTimeDialog.h"
#include "shell/RemoveOddTimeDialog.h"
#include "shell/TrackEffectsDialog.h"
#include "view/TabEditorView.h"

namespace fretlo {

void TMainForm::TypeCharacter(char ch) { View_->SendChar(ch); }

// The effect items type the character that follows the tab in their caption.
void TMainForm::TypeCaptionCharacter(const QAction* item) {
    const QString caption = item->text();
    const auto tab = caption.indexOf('\t');
    if (tab >= 0 && tab + 1 < caption.size()) TypeCharacter(caption[tab + 1].toLatin1());
}

// The rules of the items that depend on the cursor, applied when the menu opens.
void TMainForm::CMenuShow() {
    const TEditCursor cursor = View_->Cursor();
    TTrackData& track = Document_.Track(cursor.Track);
    const int32_t time = track.SpaceTime(cursor.Space);
    const int bar = Document_.BarOfSpace(cursor.Track, cursor.Space);
    const TBar& flags = Document_.Bar(bar);
    int found = 0;
    CBarLine->setEnabled(time >= 1);
    CBarLine->setChecked(Document_.FindBar(time, found));
    CRepeat->setChecked(flags.RepeatEnd);
    CRepeatStart->setChecked(flags.RepeatStart);
    CStaffBreak->setEnabled(bar != 0 || flags.StaffBreak);
    CStaffBreak->setChecked(flags.StaffBreak);
    const TSpace& space = track.Space(cursor.Space);
    CAltTimeRegion->setChecked(!View_->HasSelection() && !HasPlainRatio(space));
}

// The view applies the same rules to the keys, so the items work again once the menu is closed:
// a shortcut of an item disabled at some other cursor place still reaches the view.
void TMainForm::CMenuHide() {
    CBarLine->setEnabled(true);
    CStaffBreak->setEnabled(true);
}

// The player may be reading the space's effects: the change takes the playback lock instead
// of stopping it, so a tempo or instrument change can be tried while the song plays.
void TMainForm::EditTrackEffects(TTrackEffectsMode mode, bool repeatPrevious) {
    const TEditCursor cursor = View_->Cursor();
    TTrackEffectsForm dialog(
        this, {Document_, cursor.Track, cursor.Space, mode, repeatPrevious, HelpRequest(), {}});
    if (dialog.exec() == QDialog::Accepted) ApplyTrackEffects(Document_, dialog.Choice());
}

void TMainForm::CAltTimeRegionClick() {
    const TAltTimeRequest request = FindAltTimeRequest(Document_);
    if (const auto* create = std::get_if<TRegionToCreate>(&request)) {
        TOddTimeForm dialog(this, create->Count, HelpRequest());
        if (dialog.exec() == QDialog::Accepted)
            CreateAltTimeRegion(Document_, *create, dialog.RatioNum(), dialog.RatioDen());
    } else if (const auto* remove = std::get_if<TRegionToRemove>(&request)) {
        TRemoveOddTimeForm dialog(
            this, *remove, [this](int32_t start, int32_t end) { View_->SelectTimes(start, end); },
            HelpRequest());
        const bool accepted = dialog.exec() == QDialog::Accepted;
        View_->Deselect();  // the preview goes with the dialog
        if (accepted) RemoveAltTimeRegion(Document_, *remove, dialog.Entire());
    }
}

}  // namespace fretlo

// The Song menu: Title & Comments, Track Properties, Add, Delete and Move Tracks, Tempo.
#include <QMessageBox>
#include <algorithm>

#include "base/Errors.h"
#include "edit/SongEdit.h"
#include "shell/ConfigSettingsStore.h"
#include "shell/Main.h"
#include "shell/MainFormRules.h"
#include "shell/MoveTracksDialog.h"
#include "shell/TempoDialog.h"
#include "shell/TitleDialog.h"
#include "shell/TrackPropertiesDialog.h"
#include "view/TabEditorView.h"

namespace fretlo {

void TMainForm::actSongTitleExecute() {
    TTitleForm dialog(
        this, {Document_.Title, Document_.Artist, Document_.Album, Document_.Transcriber, Document_.Comments},
        HelpRequest());
    if (dialog.exec() == QDialog::Accepted) SetSongTexts(Document_, dialog.Texts());
}

void TMainForm::TracksChanged(int track, int space) {
    View_->SetCursorTrack(track);
    View_->LayOutVertically();
    View_->SetCursorSpace(space, csTrackChanged);
}

bool TMainForm::ShowTrackProperties(TTrackData& track, int index, bool newTrack) {
    TConfigSettingsStore store(configFile_);
    TTrackPropertiesForm dialog(this, {Document_, track, index, newTrack, settings_.SendBankSelects, store,
                                       [this] { View_->StopPlaying(); }, HelpRequest()});
    dialog.exec();
    return dialog.Changed();
}

void TMainForm::actSongTrackPropExecute() {
    const TEditCursor cursor = View_->Cursor();
    if (!ShowTrackProperties(Document_.Track(cursor.Track), cursor.Track, false)) return;
    // Tuning names, string count and text lines change the whole track's layout.
    View_->InvalidateBarsFrom(0);
    TracksChanged(cursor.Track, cursor.Space);
}

void TMainForm::SAddTrackClick() {
    if (Document_.TrackCount() >= MaxTracks) {
        ShowError(QString::fromStdString(Format("You cannot have more than %d tracks.", MaxTracks)));
        return;
    }
    const int spaces = std::clamp(Document_.SongLength() / UnitsPerSpace, 1, MaxSpaces);
    auto track = std::make_unique<TTrackData>(true, spaces);
    if (!ShowTrackProperties(*track, Document_.TrackCount(), true)) return;
    AddTrack(Document_, std::move(track));
    const TEditCursor cursor = View_->Cursor();
    TracksChanged(cursor.Track, cursor.Space);
}

void TMainForm::SDeleteTrackClick() {
    if (Document_.TrackCount() <= 1) {
        ShowError("Cannot delete the only remaining track.");
        return;
    }
    const TEditCursor cursor = View_->Cursor();
    const QString question =
        QString::fromStdString(Format("Are you sure you want to delete track %d?", cursor.Track + 1));
    if (QMessageBox::warning(this, AppTitle, question, QMessageBox::Yes | QMessageBox::No, QMessageBox::No) !=
        QMessageBox::Yes)
        return;
    const TTrackPlace place = DeleteTrack(Document_, cursor.Track);
    TracksChanged(place.Track, place.Space);
}

void TMainForm::SMoveTracksClick() {
    if (Document_.TrackCount() < 2) {
        ShowError("You need at least two tracks in order to move tracks.");
        return;
    }
    const TEditCursor cursor = View_->Cursor();
    TMoveTracksForm dialog(this, Document_.TrackCount(), cursor.Track, HelpRequest());
    if (dialog.exec() != QDialog::Accepted) return;
    const TTrackPlace place = MoveTracks(Document_, dialog.Order());
    TracksChanged(place.Track, place.Space);
}

void TMainForm::STempoClick() {
    TTempoForm dialog(this, Document_.Tempo, HelpRequest());
    if (dialog.exec() == QDialog::Accepted) SetTempo(Document_, dialog.Tempo());
}

}  // namespace fretlo

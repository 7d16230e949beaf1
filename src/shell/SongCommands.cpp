// The Song menu: Title & Comments, Track Properties, Add, Delete and Move Tracks, Tempo.
#include <QMessageBox>
#include <algorithm>

#include "base/Errors.h"
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
    if (dialog.exec() != QDialog::Accepted) return;
    // The texts are not in the undo history: undoing everything no longer gives the saved song.
    Document_.Journal().CleanAtBase = false;
    Document_.MarkModified();
    TSongTexts texts = dialog.Texts();
    Document_.Title = std::move(texts.Title);
    Document_.Artist = std::move(texts.Artist);
    Document_.Album = std::move(texts.Album);
    Document_.Transcriber = std::move(texts.Transcriber);
    Document_.Comments = std::move(texts.Comments);
    View_->UpdateStatusBar();
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
    View_->CollapseSelection();
    Document_.AddTrack(std::move(track));
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
    View_->StopPlaying();
    const int32_t time = Document_.Track(cursor.Track).SpaceTime(cursor.Space);
    View_->CollapseSelection();
    Document_.SetModified();
    // The cursor never names a missing track, not even for a moment: off the last track first.
    const int track = std::min(cursor.Track, Document_.TrackCount() - 2);
    if (track != cursor.Track) View_->SetCursorTrack(track);
    Document_.RemoveTrack(cursor.Track);
    TracksChanged(track, Document_.SpaceAtTime(track, time, 0));
}

void TMainForm::SMoveTracksClick() {
    if (Document_.TrackCount() < 2) {
        ShowError("You need at least two tracks in order to move tracks.");
        return;
    }
    const TEditCursor cursor = View_->Cursor();
    TMoveTracksForm dialog(this, Document_.TrackCount(), cursor.Track, HelpRequest());
    if (dialog.exec() != QDialog::Accepted) return;
    View_->StopPlaying();
    View_->CollapseSelection();
    Document_.SetModified();
    // Brings each track to its place in turn; `current` follows where the tracks stand.
    const std::vector<int> order = dialog.Order();
    std::vector<int> current(order.size());
    for (int i = 0; i < static_cast<int>(current.size()); ++i) current[i] = i;
    for (int place = 0; place < static_cast<int>(order.size()); ++place) {
        const auto from = std::ranges::find(current, order[place]) - current.begin();
        Document_.MoveTrack(static_cast<int>(from), place);
        std::rotate(current.begin() + place, current.begin() + from, current.begin() + from + 1);
    }
    const auto track = std::ranges::find(order, cursor.Track) - order.begin();
    TracksChanged(static_cast<int>(track), cursor.Space);
}

void TMainForm::STempoClick() {
    TTempoForm dialog(this, Document_.Tempo, HelpRequest());
    if (dialog.exec() != QDialog::Accepted) return;
    View_->StopPlaying();
    Document_.Journal().CleanAtBase = false;
    Document_.MarkModified();
    Document_.Tempo = dialog.Tempo();
}

}  // namespace fretlo

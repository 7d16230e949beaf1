#include "edit/SongEdit.h"

#include <algorithm>

namespace fretlo {

namespace {

// What every track-list change does first: no playback, no selection across tracks.
void LeaveTracks(TEditDocument& doc) {
    doc.Host().StopPlaying();
    doc.Host().CollapseSelection();
}

// The texts and the tempo are not in the undo history: undoing everything no longer gives
// the saved song.
void MarkUnrecordedChange(TEditDocument& doc) {
    doc.Host().StopPlaying();
    doc.Journal().CleanAtBase = false;
    doc.MarkModified();
}

}  // namespace

void AddTrack(TEditDocument& doc, std::unique_ptr<TTrackData> track) {
    LeaveTracks(doc);
    doc.AddTrack(std::move(track));
}

TTrackPlace DeleteTrack(TEditDocument& doc, int track) {
    LeaveTracks(doc);
    const TEditCursor cursor = doc.Host().Cursor();
    const int32_t time = doc.Track(cursor.Track).SpaceTime(cursor.Space);
    doc.SetModified();
    const int target = std::min(cursor.Track, doc.TrackCount() - 2);
    if (target != cursor.Track) doc.Host().SetCursorTrack(target);
    doc.RemoveTrack(track);
    return {target, doc.SpaceAtTime(target, time, 0)};
}

TTrackPlace MoveTracks(TEditDocument& doc, const std::vector<int>& order) {
    LeaveTracks(doc);
    const TEditCursor cursor = doc.Host().Cursor();
    doc.SetModified();
    // Brings each track to its place in turn; `current` follows where the tracks stand.
    std::vector<int> current(order.size());
    for (int i = 0; i < static_cast<int>(current.size()); ++i) current[i] = i;
    for (int place = 0; place < static_cast<int>(order.size()); ++place) {
        const auto from = std::ranges::find(current, order[place]) - current.begin();
        doc.MoveTrack(static_cast<int>(from), place);
        std::rotate(current.begin() + place, current.begin() + from, current.begin() + from + 1);
    }
    const auto track = std::ranges::find(order, cursor.Track) - order.begin();
    return {static_cast<int>(track), cursor.Space};
}

void SetSongTexts(TEditDocument& doc, TSongTexts texts) {
    MarkUnrecordedChange(doc);
    doc.Title = std::move(texts.Title);
    doc.Artist = std::move(texts.Artist);
    doc.Album = std::move(texts.Album);
    doc.Transcriber = std::move(texts.Transcriber);
    doc.Comments = std::move(texts.Comments);
    doc.Host().UpdateStatusBar();
}

void SetTempo(TEditDocument& doc, int tempo) {
    MarkUnrecordedChange(doc);
    doc.Tempo = tempo;
}

}  // namespace fretlo

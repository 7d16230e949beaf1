// The song commands: Add, Delete and Move Tracks, the song's texts and its tempo. Each one
// stops playback before it changes anything: the player's tick walks the track list and
// reads the song on the timer thread.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "edit/EditDocument.h"

namespace fretlo {

class TTrackData;

struct TSongTexts {
    std::string Title, Artist, Album, Transcriber, Comments;
};

// Where the cursor goes after the track list changed.
struct TTrackPlace {
    int Track = 0;
    int Space = 0;
};

// Appends `track`; the cursor stays where it is.
void AddTrack(TEditDocument& doc, std::unique_ptr<TTrackData> track);
// Removes `track` (never the only one). The cursor leaves it first, so it never names a
// missing track; the place keeps the cursor's song time.
TTrackPlace DeleteTrack(TEditDocument& doc, int track);
// Puts the tracks in `order` (order[place] = the track that goes there); the place is where
// the cursor track went.
TTrackPlace MoveTracks(TEditDocument& doc, const std::vector<int>& order);
void SetSongTexts(TEditDocument& doc, TSongTexts texts);
void SetTempo(TEditDocument& doc, int tempo);

}  // namespace fretlo

// The track properties: every setting of a track but its notes, as the track properties
// dialog shows and changes them, with the checks of its OK button and the change itself.
// The change cannot be undone: it clears the undo journal.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "document/TabDoc.h"

namespace fretlo {

// The dialog's fields. Numbers typed as text arrive parsed, nothing standing for "not a number".
struct TTrackPropsEntries {
    int StringCount = 6;
    int Variant = 0;
    bool ShowNumbers = false;
    std::optional<long long> HighestNumber;
    std::optional<long long> TransposeSteps;  // the magnitude; the direction says the sign
    bool TransposeDown = true;
    std::array<int, StringSlots> Keys{};  // absolute key of each string's tuner
    int Instrument = 0;                   // program; outside 0..127 (nothing chosen) it stays
    int Bank = 0;                         // the same
    bool LetRing = true;
    int Volume = 96;
    int PitchBend = 0;
    int Modulation = 0;
    int Pan = 64;
    int Reverb = 0;
    int Chorus = 0;
    int MidiChannel = -1;  // 0 to 15, -1 automatic
    bool TopTextLine = false;
    bool BottomTextLine = false;
};

// What a track has now: transpose as magnitude with "down" for 0 and below.
TTrackPropsEntries TrackPropsEntries(const TTrackData& track);

// The channel automatic assignment gives track `track`; an index past the last track is
// a track about to be added.
int AutomaticChannel(const TCustomTabDoc& doc, int track);

enum class TTrackPropsField { HighestNumber, Transpose, MidiChannel };
struct TTrackPropsRefusal {
    TTrackPropsField Field;
    std::string Text;
    std::string Caption;
};
// The first field OK refuses, in the order highest number, transpose, a fixed channel that
// another track of `doc` has (`track` is the edited one, or past the last for a new track).
std::optional<TTrackPropsRefusal> CheckTrackProperties(const TCustomTabDoc& doc, int track,
                                                       const TTrackPropsEntries& entries);

// The questions to ask before the change, in order: a text line switched off while it holds
// text (top, then bottom), fewer strings while a dropped string holds notes or effects.
// A "no" to any of them abandons the change.
std::vector<std::string> TrackPropertiesQuestions(const TTrackData& track, const TTrackPropsEntries& entries);

// Writes checked entries into `track` (of `doc`, or about to be added to it) under the playback
// lock: string slots between the old and the new count lose their notes and effects, a text
// line switched off loses its text. Marks the document modified and clears its undo journal,
// whose records would otherwise restore notes to strings the track no longer has. Playback
// must be stopped first.
void ApplyTrackProperties(TCustomTabDoc& doc, TTrackData& track, const TTrackPropsEntries& entries);

}  // namespace fretlo

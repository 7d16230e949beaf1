#include "edit/TrackProperties.h"

#include <algorithm>

#include "base/Errors.h"
#include "edit/EditHost.h"
#include "platform/PlaybackLock.h"

namespace fretlo {

namespace {

constexpr int MinHighestNumber = 24;
constexpr int MaxHighestNumber = 99;
constexpr int MaxTransposeSteps = 24;

constexpr const char* AskTopTextLine =
    "You have chosen to disable the top text line on the track. Text that currently exists on the top "
    "text line will be deleted. This operation cannot be undone.\n\nDo you want to accept the change?";
constexpr const char* AskBottomTextLine =
    "You have chosen to disable the bottom text line on the track. Text that currently exists on the "
    "bottom text line will be deleted. This operation cannot be undone.\n\nDo you want to accept the change?";
constexpr const char* AskFewerStrings =
    "You have chosen to decrease the number of strings on the track. Notes that currently exist on the "
    "higher strings will be deleted. This operation cannot be undone.\n\nDo you want to accept the change?";

bool InRange(const std::optional<long long>& value, int low, int high) {
    return value && *value >= low && *value <= high;
}

int Transpose(const TTrackPropsEntries& entries) {
    const int steps = static_cast<int>(*entries.TransposeSteps);
    return entries.TransposeDown ? -steps : steps;
}

template <class Pred> bool AnySpace(const TTrackData& track, Pred pred) {
    return std::any_of(track.Spaces(), track.Spaces() + track.SpaceCount(), pred);
}

// Whether any space holds a note or an effect on a slot from `first` up.
bool HasNotesFrom(const TTrackData& track, int first) {
    return AnySpace(track, [first](const TSpace& space) {
        for (int s = first; s < StringSlots; ++s)
            if (space.Notes[s] != NoteEmpty || space.Effects[s] != 0) return true;
        return false;
    });
}

void ClearSlots(TTrackData& track, int first, int last) {
    for (int i = 0; i < track.SpaceCount(); ++i) {
        TSpace& space = track.Space(i);
        std::fill(space.Notes + first, space.Notes + last, NoteEmpty);
        std::fill(space.Effects + first, space.Effects + last, uint8_t{0});
    }
}

void ClearTextLines(TTrackData& track, bool top, bool bottom) {
    if (!top && !bottom) return;
    for (int i = 0; i < track.SpaceCount(); ++i) {
        if (top) track.Space(i).TopText = 0;
        if (bottom) track.Space(i).BottomText = 0;
    }
}

}  // namespace

TTrackPropsEntries TrackPropsEntries(const TTrackData& track) {
    TTrackPropsEntries e;
    e.StringCount = track.StringCount;
    e.Variant = track.Variant;
    e.ShowNumbers = track.ShowNumbers;
    e.HighestNumber = track.HighestNumber;
    e.TransposeSteps = std::abs(track.Transpose);
    e.TransposeDown = track.Transpose <= 0;
    for (int s = 0; s < StringSlots; ++s) e.Keys[s] = std::clamp(track.StringBaseKey(s), 0, 127);
    e.Instrument = track.Instrument;
    e.Bank = track.Bank;
    e.LetRing = track.LetRing;
    e.Volume = track.Volume;
    e.PitchBend = track.PitchBend;
    e.Modulation = track.Modulation;
    e.Pan = track.Pan;
    e.Reverb = track.Reverb;
    e.Chorus = track.Chorus;
    e.MidiChannel = track.MidiChannel;
    e.TopTextLine = track.TopTextLine;
    e.BottomTextLine = track.BottomTextLine;
    return e;
}

int AutomaticChannel(const TCustomTabDoc& doc, int track) {
    int channels[MaxTracks];
    doc.AssignMidiChannels(channels);
    if (track < doc.TrackCount()) return channels[track];
    // A track about to be added comes last, so it gets the lowest channel still free.
    bool taken[16] = {};
    for (int t = 0; t < doc.TrackCount(); ++t)
        if (channels[t] >= 0) taken[channels[t]] = true;
    for (int c = 0; c < 16; ++c)
        if (c != PercussionChannel && !taken[c]) return c;
    return 0;
}

std::optional<TTrackPropsRefusal> CheckTrackProperties(const TCustomTabDoc& doc, int track,
                                                       const TTrackPropsEntries& entries) {
    if (!InRange(entries.HighestNumber, MinHighestNumber, MaxHighestNumber))
        return TTrackPropsRefusal{
            TTrackPropsField::HighestNumber,
            Format("Number must be between %d and %d.", MinHighestNumber, MaxHighestNumber),
            EditMessageCaption};
    if (!InRange(entries.TransposeSteps, 0, MaxTransposeSteps))
        return TTrackPropsRefusal{TTrackPropsField::Transpose,
                                  Format("Half-steps must be between 0 and %d.", MaxTransposeSteps),
                                  EditMessageCaption};
    if (entries.MidiChannel < 0) return std::nullopt;
    for (int t = 0; t < doc.TrackCount(); ++t) {
        if (t == track || doc.Track(t).MidiChannel != entries.MidiChannel) continue;
        return TTrackPropsRefusal{
            TTrackPropsField::MidiChannel,
            Format("MIDI channel %d is already being used by track %d. You must select another channel, or "
                   "change track %d's MIDI channel first.\n\nPlease note that you can't create two drum "
                   "tracks, since drum tracks are always on channel 10.",
                   entries.MidiChannel + 1, t + 1, t + 1),
            "Channel Conflict"};
    }
    return std::nullopt;
}

std::vector<std::string> TrackPropertiesQuestions(const TTrackData& track,
                                                  const TTrackPropsEntries& entries) {
    std::vector<std::string> questions;
    if (track.TopTextLine && !entries.TopTextLine &&
        AnySpace(track, [](const TSpace& space) { return space.TopText != 0; }))
        questions.push_back(AskTopTextLine);
    if (track.BottomTextLine && !entries.BottomTextLine &&
        AnySpace(track, [](const TSpace& space) { return space.BottomText != 0; }))
        questions.push_back(AskBottomTextLine);
    if (entries.StringCount < track.StringCount && HasNotesFrom(track, entries.StringCount))
        questions.push_back(AskFewerStrings);
    return questions;
}

void ApplyTrackProperties(TCustomTabDoc& doc, TTrackData& track, const TTrackPropsEntries& entries) {
    Check(entries.StringCount >= 4 && entries.StringCount <= 7, "string count out of range");
    Check(InRange(entries.HighestNumber, MinHighestNumber, MaxHighestNumber) &&
              InRange(entries.TransposeSteps, 0, MaxTransposeSteps),
          "track properties not checked");
    {
        const TPlaybackGuard guard(PlaybackLock());
        ClearSlots(track, std::min(track.StringCount, entries.StringCount),
                   std::max(track.StringCount, entries.StringCount));
        ClearTextLines(track, track.TopTextLine && !entries.TopTextLine,
                       track.BottomTextLine && !entries.BottomTextLine);
        track.StringCount = entries.StringCount;
        track.Variant = entries.Variant;
        track.ShowNumbers = entries.ShowNumbers;
        track.HighestNumber = static_cast<int>(*entries.HighestNumber);
        for (int s = 0; s < entries.StringCount; ++s)
            track.Tuning[s] = static_cast<int8_t>(std::clamp(entries.Keys[s], 0, 127) - ReferenceNote[s]);
        track.Transpose = Transpose(entries);
        if (entries.Instrument >= 0 && entries.Instrument <= 127) track.Instrument = entries.Instrument;
        if (entries.Bank >= 0 && entries.Bank <= 127) track.Bank = entries.Bank;
        track.LetRing = entries.LetRing;
        track.Volume = entries.Volume;
        track.PitchBend = entries.PitchBend;
        track.Modulation = entries.Modulation;
        track.Pan = entries.Pan;
        track.Reverb = entries.Reverb;
        track.Chorus = entries.Chorus;
        track.MidiChannel = entries.MidiChannel;
        track.BottomTextLine = entries.BottomTextLine;
        track.TopTextLine = entries.TopTextLine;
    }
    doc.SetModified();
}

}  // namespace fretlo

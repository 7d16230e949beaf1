// The spaces due at one time, across all tracks: first every string that the new notes
// replace is released, then the track effects run, then the notes are struck. Slots are
// the outer loop, so every track's first string sounds before any track's second.
#include <algorithm>

#include "playback/NoteRules.h"
#include "playback/Player.h"

namespace fretlo {

namespace {

bool HasNotes(const TSpace& space) {
    for (uint8_t n : space.Notes)
        if (n != NoteEmpty) return true;
    return false;
}

}  // namespace

void TPlayer::ProcessSpaces(int32_t time) {
    int tracks[MaxTracks] = {};
    int count = 0;
    for (int t = 0; t < doc_.TrackCount(); ++t) {
        TTrackData& track = doc_.Track(t);
        if (nextSpace_[t] < track.SpaceCount() && track.SpaceTime(nextSpace_[t]) == time) tracks[count++] = t;
    }
    ReleaseStage(tracks, count);
    EffectStage(tracks, count, time);
    StrikeStage(tracks, count);
    for (int i = 0; i < count; ++i) {
        const int t = tracks[i];
        if (InPlayRange(t)) lastPlayed_[t].store(nextSpace_[t], std::memory_order_relaxed);
        ++nextSpace_[t];
    }
    position_.exchange(time);
    int32_t idle = 0;
    if (services_.Events->PositionPending.compare_exchange_strong(idle, -1)) services_.Events->PostPosition();
}

int TPlayer::StringOfSlot(int track, int slot) const {
    return strokeUp_[track] ? doc_.Track(track).StringCount - 1 - slot : slot;
}

void TPlayer::ReleaseStage(const int tracks[], int count) {
    bool releaseAll[MaxTracks];
    for (int i = 0; i < count; ++i) {
        const int t = tracks[i];
        const TSpace& space = doc_.Track(t).Space(nextSpace_[t]);
        const bool notes = HasNotes(space);
        if (notes) lastNoteSpace_[t].store(nextSpace_[t], std::memory_order_relaxed);
        if (const TPropNode* p = FindProp(space, pkInstrument))
            letRing_[t] = DecodeInstrumentValue(p->Value()).LetRing;
        releaseAll[i] = notes && !letRing_[t];
    }
    for (int k = 0; k < StringSlots; ++k) {
        for (int i = 0; i < count; ++i) {
            const int t = tracks[i];
            const TTrackData& track = doc_.Track(t);
            if (channel_[t] < 0 || k >= track.StringCount) continue;
            const int s = StringOfSlot(t, k);
            if (releaseAll[i] || track.Space(nextSpace_[t]).Notes[s] != NoteEmpty) ReleaseString(t, s);
        }
    }
}

void TPlayer::EffectStage(const int tracks[], int count, int32_t time) {
    for (int i = 0; i < count; ++i) {
        const int t = tracks[i];
        for (const TPropNode* p = doc_.Track(t).Space(nextSpace_[t]).Props; p; p = p->Next)
            ApplyEffect(t, *p, time);
    }
}

void TPlayer::ApplyEffect(int track, const TPropNode& effect, int32_t time) {
    const int value = effect.SignedValue();
    const int channel = channel_[track];
    switch (effect.Kind) {
    case pkStrokeDown: strokeUp_[track] = false; return;
    case pkStrokeUp: strokeUp_[track] = true; return;
    case pkTempo:
        if (value < 1) return;  // a tempo of 0 would stop the song
        ChangeRate(time, value, speed_);
        return;
    case pkVolume: velocity_[track] = std::clamp(value, 0, 127); return;
    default: break;
    }
    if (channel < 0) return;
    switch (effect.Kind) {
    case pkInstrument: {
        const TInstrumentValue v = DecodeInstrumentValue(effect.Value());
        if (v.Bank >= 0 && settings_.SendBankSelects) SendController(channel, CcBankSelect, v.Bank);
        Send(static_cast<uint8_t>(MidiProgram | channel), v.Program, 0);
        break;
    }
    case pkPan: SendController(channel, CcPan, value); break;
    case pkChorus: SendController(channel, CcChorus, value); break;
    case pkReverb: SendController(channel, CcReverb, value); break;
    case pkModulation: SendController(channel, CcModulation, value); break;
    case pkPitchBend: SendPitchBend(channel, value); break;
    default: break;
    }
}

void TPlayer::StrikeStage(const int tracks[], int count) {
    for (int k = 0; k < StringSlots; ++k) {
        for (int i = 0; i < count; ++i) {
            const int t = tracks[i];
            const TTrackData& track = doc_.Track(t);
            if (!InPlayRange(t) || channel_[t] < 0 || k >= track.StringCount) continue;
            const int s = StringOfSlot(t, k);
            const TSpace& space = track.Space(nextSpace_[t]);
            const uint8_t note = space.Notes[s];
            if (note == NoteMuted)
                StrikeMuted(t, s, space.Effects[s]);
            else if (note == NoteStop)
                ReleaseString(t, s);
            else if (IsFretNote(note))
                StrikeFret(t, s, note - NoteFretBase, space.Effects[s]);
        }
    }
}

// A muted string is a short hit of its last fret, released two ticks later.
void TPlayer::StrikeMuted(int t, int s, uint8_t effect) {
    ReleaseString(t, s);
    if (preview_) return;
    const int key = SoundingKey(doc_.Track(t), s, lastFret_[t][s]);
    if (key < 0 || key > 127) return;
    for (int other = 0; other < StringSlots; ++other)
        if (sounding_[t][other] == key) return;
    sounding_[t][s] = key;
    Send(static_cast<uint8_t>(MidiNoteOn | channel_[t]), key, NoteVelocity(velocity_[t], effect));
    muteCountdown_[t][s] = 2;
}

void TPlayer::StrikeFret(int t, int s, int fret, uint8_t effect) {
    ReleaseString(t, s);
    lastFret_[t][s] = fret;
    const int key = SoundingKey(doc_.Track(t), s, fret);
    if (key < 0 || key > 127) return;
    // One pitch sounds on one string at a time.
    for (int other = 0; other < StringSlots; ++other)
        if (sounding_[t][other] == key) ReleaseString(t, other);
    sounding_[t][s] = key;
    Send(static_cast<uint8_t>(MidiNoteOn | channel_[t]), key, NoteVelocity(velocity_[t], effect));
}

}  // namespace fretlo

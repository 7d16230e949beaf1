#include "playback/ExportMidiTrack.h"

#include "document/SpaceTiming.h"
#include "document/TrackProps.h"
#include "playback/NoteRules.h"

#include <algorithm>
#include <string>

namespace fretlo {

namespace {

int32_t BarTicks(int32_t time) { return time / UnitsPerSpace * MidiTicksPerSpace; }

// MIDI data bytes carry 7 bits; a value out of range can only come from a damaged song.
uint8_t DataByte(int v) { return static_cast<uint8_t>(std::clamp(v, 0, 127)); }

// The controller that an effect of `kind` sets, or -1.
int EffectController(int kind) {
    switch (kind) {
    case pkPan: return CcPan;
    case pkChorus: return CcChorus;
    case pkReverb: return CcReverb;
    case pkModulation: return CcModulation;
    default: return -1;
    }
}

// A muted hit lasts 16 ms: two periods of the player's timer.
int32_t MutedHitTicks(int tempo) { return std::max(1, tempo * 768 / 15000); }

}  // namespace

TMidiTrackWriter::TMidiTrackWriter(TCustomTabDoc& doc, int track, int channel,
                                   const TMidiExportOptions& options, int& tempo, TMidiBytes& out)
    : doc_(doc), index_(track), track_(doc.Track(track)),
      strings_(std::clamp(doc.Track(track).StringCount, 0, StringSlots)), channel_(channel),
      options_(options), tempo_(tempo), out_(out), velocity_(track_.Volume), letRing_(track_.LetRing) {}

void TMidiTrackWriter::Write() {
    const size_t lengthAt = out_.BeginChunk("MTrk");
    WriteName();
    WriteSetup();
    WriteSong();
    Finish();
    out_.EndChunk(lengthAt);
}

void TMidiTrackWriter::WriteName() {
    const std::string name = "Fretlo MIDI - Track " + std::to_string(index_ + 1);
    Delta();
    out_.Append({0xFF, 0x03, static_cast<uint8_t>(name.size())});
    out_.Append(name.data(), name.size());
}

void TMidiTrackWriter::WriteSetup() {
    if (options_.IncludeBankSelects) Controller(CcBankSelect, track_.Bank);
    Channel(MidiProgram, track_.Instrument);
    Controller(CcPan, track_.Pan);
    Controller(CcReverb, track_.Reverb);
    Controller(CcChorus, track_.Chorus);
    Controller(CcModulation, track_.Modulation);
    Controller(CcRpnMsb, 0);
    Controller(CcRpnLsb, 0);
    Controller(CcDataEntry, PitchBendRangeSemitones);
    Controller(CcDataEntryLsb, 0);
    PitchBend(track_.PitchBend);
}

void TMidiTrackWriter::WriteSong() {
    const int count = track_.SpaceCount();
    ticks_.resize(static_cast<size_t>(count));
    ComputeSpaceStarts(track_.Spaces(), count, MidiTicksPerSpace, ticks_.data());
    const int32_t songEnd = BarTicks(doc_.Bar(doc_.BarCount() - 1).End);
    for (;;) {
        const int32_t barEnd = BarTicks(doc_.Bar(bar_).End);
        int32_t next = std::min(songEnd, barEnd);
        if (nextSpace_ < count) next = std::min(next, ticks_[nextSpace_]);
        Advance(next - previous_);
        previous_ = next;
        if (next == barEnd) {
            if (!EndOfBar()) return;
        } else {
            ProcessSpace(track_.Space(nextSpace_++));
        }
    }
}

bool TMidiTrackWriter::EndOfBar() {
    const TBar& bar = doc_.Bar(bar_);
    if (bar.RepeatEnd) {
        repeatCounter_ = repeatCounter_ == 0 ? bar.RepeatCount : repeatCounter_ - 1;
        if (repeatCounter_ > 0) {
            // The repeated passage is written again, continuing from the jump point.
            bar_ = doc_.RepeatSectionStart(bar_);
            previous_ = BarTicks(doc_.Bar(bar_).Start);
            nextSpace_ =
                static_cast<int>(std::lower_bound(ticks_.begin(), ticks_.end(), previous_) - ticks_.begin());
            return true;
        }
    }
    if (bar_ == doc_.BarCount() - 1) return false;
    ++bar_;
    return true;
}

void TMidiTrackWriter::Advance(int32_t d) {
    pending_ += d;
    ReleaseDueHits();
}

void TMidiTrackWriter::ReleaseDueHits() {
    for (;;) {
        int32_t due = -1;
        for (const TSlot& slot : slots_)
            if (slot.Timer >= 0 && slot.Timer <= pending_ && (due < 0 || slot.Timer < due)) due = slot.Timer;
        if (due < 0) return;
        uint32_t delta = static_cast<uint32_t>(due);
        for (TSlot& slot : slots_) {
            if (slot.Timer < 0) continue;
            if (slot.Timer == due) {
                out_.VarLen(delta);
                out_.Append({static_cast<uint8_t>(MidiNoteOff | channel_), DataByte(slot.Note), 0});
                delta = 0;
                slot = TSlot{};
            } else {
                slot.Timer -= due;
            }
        }
        pending_ -= due;
    }
}

void TMidiTrackWriter::ProcessSpace(const TSpace& space) {
    bool hasNotes = false;
    for (int s = 0; s < strings_; ++s) hasNotes = hasNotes || space.Notes[s] != NoteEmpty;
    if (const TPropNode* p = FindProp(space, pkInstrument))
        letRing_ = DecodeInstrumentValue(p->Value()).LetRing;
    for (int s = 0; s < strings_; ++s)
        if (space.Notes[s] != NoteEmpty || (!letRing_ && hasNotes)) EndNote(s);
    ApplyEffects(space);
    for (int s = 0; s < strings_; ++s) Strike(space, s);
}

void TMidiTrackWriter::ApplyEffects(const TSpace& space) {
    for (const TPropNode* p = space.Props; p; p = p->Next) {
        const uint16_t value = p->Value();
        switch (p->Kind) {
        case pkTempo: ChangeTempo(value); break;
        case pkInstrument: {
            const TInstrumentValue v = DecodeInstrumentValue(value);
            if (options_.IncludeBankSelects && v.Bank >= 0) Controller(CcBankSelect, v.Bank);
            Channel(MidiProgram, v.Program);
            break;
        }
        case pkVolume: velocity_ = value & 0xFF; break;
        case pkPitchBend: PitchBend(p->SignedValue()); break;
        default:  // pan, chorus, reverb and modulation; strokes change nothing in the file
            if (const int cc = EffectController(p->Kind); cc >= 0) Controller(cc, value & 0x7F);
            break;
        }
    }
}

void TMidiTrackWriter::ChangeTempo(int tempo) {
    tempo = std::max(tempo, 1);
    for (TSlot& slot : slots_)
        if (slot.Timer > 0) slot.Timer = static_cast<int32_t>(int64_t(slot.Timer) * tempo / tempo_);
    Delta();
    out_.Tempo(tempo);
    tempo_ = tempo;
}

void TMidiTrackWriter::Strike(const TSpace& space, int string) {
    const uint8_t b = space.Notes[string];
    const bool muted = b == NoteMuted;
    if (!muted && !IsFretNote(b) && b != NoteStop) return;
    EndNote(string);
    if (b == NoteStop || (muted && !options_.IncludeMuted)) return;
    if (!muted) lastFret_[string] = b - NoteFretBase;
    const int key = SoundingKey(track_, string, lastFret_[string]);
    if (key < 0 || key > 127) return;
    // One key sounds on one string at a time; a muted hit yields to a fretted note.
    for (int other = strings_ - 1; other >= 0; --other) {
        if (other == string || slots_[other].Note != key) continue;
        if (muted) return;
        EndNote(other);
    }
    Channel(MidiNoteOn, key, NoteVelocity(velocity_, space.Effects[string]));
    slots_[string].Note = key;
    if (muted) slots_[string].Timer = MutedHitTicks(tempo_);
}

void TMidiTrackWriter::EndNote(int string) {
    TSlot& slot = slots_[string];
    if (slot.Note >= 0) Channel(MidiNoteOff, slot.Note, 0);
    slot = TSlot{};
}

void TMidiTrackWriter::Finish() {
    for (int s = StringSlots - 1; s >= 0; --s) EndNote(s);
    Event({0xFF, 0x2F, 0x00});
}

void TMidiTrackWriter::Delta() {
    out_.VarLen(static_cast<uint32_t>(pending_));
    for (TSlot& slot : slots_)
        if (slot.Timer >= 0) slot.Timer = std::max(0, slot.Timer - pending_);
    pending_ = 0;
}

void TMidiTrackWriter::Event(std::initializer_list<uint8_t> bytes) {
    Delta();
    out_.Append(bytes);
}

void TMidiTrackWriter::Channel(uint8_t status, int data1) {
    Event({static_cast<uint8_t>(status | channel_), DataByte(data1)});
}

void TMidiTrackWriter::Channel(uint8_t status, int data1, int data2) {
    Event({static_cast<uint8_t>(status | channel_), DataByte(data1), DataByte(data2)});
}

void TMidiTrackWriter::Controller(uint8_t controller, int value) {
    Channel(MidiController, controller, value);
}

void TMidiTrackWriter::PitchBend(int cents) {
    const uint16_t v = PitchBendValue(cents);
    Channel(MidiPitchBend, v & 0x7F, v >> 7);
}

}  // namespace fretlo

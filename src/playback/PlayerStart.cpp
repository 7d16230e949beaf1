// PlayFrom: channels, timer resolution, the state that the effects before the start leave,
// the set-up messages of every used channel, the first tick and the timer.
#include <algorithm>
#include <limits>

#include "platform/PlaybackLock.h"
#include "playback/NoteRules.h"
#include "playback/Player.h"

namespace fretlo {

namespace {

// Tempo 0 would stop the song's time and divide by zero when retimed.
int UsableTempo(int tempo) { return std::max(tempo, 1); }

}  // namespace

void TPlayer::SetPlayRange(int firstTrack, int lastTrack) {
    TPlaybackGuard guard(PlaybackLock());
    firstTrack_ = firstTrack;
    lastTrack_ = lastTrack;
}

void TPlayer::SetSettings(const TPlayerSettings& settings) {
    TPlaybackGuard guard(PlaybackLock());
    settings_ = settings;
}

void TPlayer::SetPractice(const TPractice& practice) {
    TPlaybackGuard guard(PlaybackLock());
    practice_ = practice;
}

void TPlayer::PlayFrom(int32_t startTime, bool preview) {
    Stop();
    try {
        doc_.AssignMidiChannels(channel_);
        if (!preview) RaiseTimerResolution();
        playing_ = true;
        preview_ = preview;
        halt_.exchange(0);
        ended_ = false;
        repeatBar_ = -1;
        repeatsLeft_ = 0;
        SetUpLoop();
        const int32_t start = StartInLoop(startTime);
        time_ = start;
        fraction_ = 0;
        Reposition(start);
        for (int t = 0; t < doc_.TrackCount(); ++t) lastPlayed_[t].store(-1, std::memory_order_relaxed);
        TStartState state;
        StateBefore(start, state);
        EnterState(state);
        StartPractice(start);
        Tick();
        if (!preview) StartTimer();
    } catch (...) {
        Stop();
        throw;
    }
}

void TPlayer::RaiseTimerResolution() {
    int minPeriod = 0;
    if (const int code = services_.Timer->GetDevCaps(minPeriod))
        throw EPlayerError(Format("Could not read what the playback timer supports. Code: %d", code));
    timerPeriod_ = std::max(minPeriod, PlayerTickMs);
    if (const int code = services_.Timer->BeginPeriod(timerPeriod_))
        throw EPlayerError(Format("Could not set the playback timer's period. Code: %d", code));
    periodRaised_ = true;
}

void TPlayer::StateBefore(int32_t time, TStartState& state) const {
    state.Tempo = UsableTempo(doc_.Tempo);
    for (int t = 0; t < doc_.TrackCount(); ++t) {
        const TTrackData& track = doc_.Track(t);
        state.Velocity[t] = std::clamp(track.Volume, 0, 127);
        state.SetUp[t] = {track.Instrument, track.Bank,       track.Pan,      track.Chorus,
                          track.Reverb,     track.Modulation, track.PitchBend};
        state.LetRing[t] = track.LetRing;
        state.StrokeUp[t] = false;
    }
    ReplayEffectsBefore(time, state);
}

void TPlayer::ReplayEffectsBefore(int32_t time, TStartState& state) const {
    int32_t tempoTime = std::numeric_limits<int32_t>::min();
    for (int t = 0; t < doc_.TrackCount(); ++t) {
        TTrackData& track = doc_.Track(t);
        TTrackSetUp& s = state.SetUp[t];
        const int end = doc_.SpaceAtTime(t, time, satNoClamp);
        for (int i = 0; i < end; ++i) {
            for (const TPropNode* p = track.Space(i).Props; p; p = p->Next) {
                const int value = p->SignedValue();
                switch (p->Kind) {
                case pkStrokeDown: state.StrokeUp[t] = false; break;
                case pkStrokeUp: state.StrokeUp[t] = true; break;
                case pkTempo:
                    // The latest tempo before the start wins; at equal times the later track's.
                    if (value >= 1 && track.SpaceTime(i) >= tempoTime) {
                        state.Tempo = value;
                        tempoTime = track.SpaceTime(i);
                    }
                    break;
                case pkInstrument: {
                    const TInstrumentValue v = DecodeInstrumentValue(p->Value());
                    s.Program = v.Program;
                    state.LetRing[t] = v.LetRing;
                    if (v.Bank >= 0) s.Bank = v.Bank;
                    break;
                }
                case pkVolume: state.Velocity[t] = std::clamp(value, 0, 127); break;
                case pkPan: s.Pan = value & 0x7F; break;
                case pkChorus: s.Chorus = value & 0x7F; break;
                case pkReverb: s.Reverb = value & 0x7F; break;
                case pkModulation: s.Modulation = value & 0x7F; break;
                case pkPitchBend: s.PitchBend = value; break;
                default: break;
                }
            }
        }
    }
}

void TPlayer::EnterState(const TStartState& state) {
    tempo_ = state.Tempo;
    for (int t = 0; t < doc_.TrackCount(); ++t) {
        velocity_[t] = state.Velocity[t];
        letRing_[t] = state.LetRing[t];
        strokeUp_[t] = state.StrokeUp[t];
    }
    SendSetUp(state.SetUp);
}

void TPlayer::SendTrackSetUp(int channel, const TTrackSetUp& s) {
    channelUsed_[channel] = true;
    if (settings_.SendBankSelects) SendController(channel, CcBankSelect, s.Bank);
    Send(static_cast<uint8_t>(MidiProgram | channel), s.Program, 0);
    SendController(channel, CcPan, s.Pan);
    SendController(channel, CcReverb, s.Reverb);
    SendController(channel, CcChorus, s.Chorus);
    SendController(channel, CcModulation, s.Modulation);
    // Pitch-bend range as registered parameter 0.
    SendController(channel, CcRpnMsb, 0);
    SendController(channel, CcRpnLsb, 0);
    SendController(channel, CcDataEntry, PitchBendRangeSemitones);
    SendController(channel, CcDataEntryLsb, 0);
    SendPitchBend(channel, s.PitchBend);
}

void TPlayer::SendSetUp(const TTrackSetUp setUp[]) {
    bool drumTrack = false;
    for (int t = 0; t < doc_.TrackCount(); ++t) {
        if (channel_[t] < 0) continue;
        SendTrackSetUp(channel_[t], setUp[t]);
        drumTrack = drumTrack || channel_[t] == PercussionChannel;
    }
    // The metronome's channel, when no drum track sets it up.
    if (!drumTrack) SendTrackSetUp(PercussionChannel, {0, 0, 64, 0, 0, 0, 0});
}

void TPlayer::StartTimer() {
    const uint32_t generation = MakeCurrent(this);
    timerId_ = services_.Timer->SetEvent(PlayerTickMs, &TPlayer::TimerCallback, generation);
}

}  // namespace fretlo

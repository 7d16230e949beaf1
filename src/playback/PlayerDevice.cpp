// Taking the device from another instance, opening and closing it, and sending to it.
#include "playback/NoteRules.h"
#include "playback/Player.h"

namespace fretlo {

TPlayer::TPlayer(TCustomTabDoc& doc, const TPlayerServices& services, int deviceIndex)
    : doc_(doc), services_(services) {
    for (int t = 0; t < MaxTracks; ++t) {
        lastNoteSpace_[t].store(-1);
        lastPlayed_[t].store(-1);
        channel_[t] = -1;
        for (int s = 0; s < StringSlots; ++s) sounding_[t][s] = -1;
    }
    TakeDevice(deviceIndex);
}

TPlayer::~TPlayer() {
    Stop();
    for (int c = 0; c < MidiChannels; ++c) {
        if (!channelUsed_[c]) continue;
        SendController(c, CcAllSoundOff, 0);
        SendController(c, CcResetControllers, 0);
    }
    out_->Close();
    if (record_) record_->Disown();
}

void TPlayer::TakeDevice(int deviceIndex) {
    if (services_.Devices->Shared()) {
        record_.emplace(deviceIndex);
        if (const int owner = record_->OtherOwner()) {
            if (!services_.Release->RequestRelease(owner, ReleaseTimeoutMs))
                throw EPlayerError(
                    "Another Fretlo instance is using the sound card. Please switch to the other "
                    "Fretlo instance and select Close Device on the Play menu, then try again.");
        }
        record_->Claim();
    }
    out_ = services_.Devices->Create(deviceIndex);
    if (!out_->Open()) {
        const std::string text = out_->ErrorText();
        out_.reset();
        if (record_) record_->Disown();
        throw EPlayerError("Could not open the MIDI output.\n\n" + (text.empty() ? "Unknown error" : text));
    }
}

// Data bytes are masked to 7 bits, so that out-of-range values from a damaged song can
// never turn into status bytes.
void TPlayer::Send(uint8_t status, int data1, int data2) {
    out_->ShortMsg(
        PackShortMsg(status, static_cast<uint8_t>(data1 & 0x7F), static_cast<uint8_t>(data2 & 0x7F)));
}

void TPlayer::SendController(int channel, uint8_t controller, int value) {
    Send(static_cast<uint8_t>(MidiController | channel), controller, value);
}

void TPlayer::SendPitchBend(int channel, int cents) {
    const uint16_t v = PitchBendValue(cents);
    Send(static_cast<uint8_t>(MidiPitchBend | channel), v & 0x7F, v >> 7);
}

}  // namespace fretlo

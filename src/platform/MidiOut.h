// MIDI output devices: the list of what exists and one open output. Device -1 is the
// built-in synthesizer, devices 0 .. n-1 the system's MIDI output ports.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace fretlo {

// One output: open, send short messages, close; the error text explains a failed Open.
class MidiOut {
public:
    virtual ~MidiOut() = default;
    // False on failure, with the reason in ErrorText().
    virtual bool Open() = 0;
    // One message of up to three bytes: status | data1 << 8 | data2 << 16.
    virtual void ShortMsg(uint32_t message) = 0;
    virtual void Close() = 0;
    // The backend's text for the last failure; empty when it has none.
    virtual std::string ErrorText() const = 0;
};

inline uint32_t PackShortMsg(uint8_t status, uint8_t data1, uint8_t data2) {
    return status | (uint32_t(data1) << 8) | (uint32_t(data2) << 16);
}

// MIDI status bytes (channel in the low four bits).
inline constexpr uint8_t MidiNoteOff = 0x80;
inline constexpr uint8_t MidiNoteOn = 0x90;
inline constexpr uint8_t MidiController = 0xB0;
inline constexpr uint8_t MidiProgram = 0xC0;
inline constexpr uint8_t MidiPitchBend = 0xE0;

// Controllers of the track set-up and effects.
inline constexpr uint8_t CcBankSelect = 0;
inline constexpr uint8_t CcModulation = 1;
inline constexpr uint8_t CcDataEntry = 6;
inline constexpr uint8_t CcPan = 10;
inline constexpr uint8_t CcDataEntryLsb = 38;
inline constexpr uint8_t CcReverb = 91;
inline constexpr uint8_t CcChorus = 93;
inline constexpr uint8_t CcRpnLsb = 100;
inline constexpr uint8_t CcRpnMsb = 101;
inline constexpr uint8_t CcAllSoundOff = 120;
inline constexpr uint8_t CcResetControllers = 121;

struct TMidiDeviceInfo {
    int Index;         // -1 for the built-in synthesizer
    std::string Name;  // port name, or the synthesizer with its SoundFont
};

// A set of devices: the system's, or one that records or renders instead of sounding.
class TMidiDevices {
public:
    virtual ~TMidiDevices() = default;
    // Every device that exists now, the built-in synthesizer first.
    virtual std::vector<TMidiDeviceInfo> List() = 0;
    // An unopened output for a device index.
    virtual std::unique_ptr<MidiOut> Create(int device) = 0;
    // True for devices that other processes may hold (they go through the ownership record).
    virtual bool Shared() const = 0;
};

// Devices whose one synthesizer renders samples when asked instead of sounding in real
// time (offline rendering to a file).
class TSampleDevices : public TMidiDevices {
public:
    // Appends `frames` frames of 16-bit stereo, interleaved, to `samples`.
    virtual void RenderSamples(int frames, std::vector<int16_t>& samples) = 0;
};

}  // namespace fretlo

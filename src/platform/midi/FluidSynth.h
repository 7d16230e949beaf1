// The built-in General MIDI synthesizer (device -1): FluidSynth with the first General MIDI
// SoundFont found, either sounding through an audio driver or rendering samples offline.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/MidiOut.h"

namespace fretlo {

// The SoundFont that device -1 uses: `preferred` when that file exists, else the first
// General MIDI SoundFont installed in the system's SoundFont folders; empty when none.
std::string FindSoundFont(const std::string& preferred);

// The audio driver's buffering: two periods of 256 frames at 48 kHz, about 10.7 ms.
inline constexpr int SynthSampleRate = 48000;
inline constexpr int SynthPeriodFrames = 256;
inline constexpr int SynthPeriods = 2;

// A synthesizer with its SoundFont loaded; messages go straight to it.
class TFluidSynth {
public:
    // Raises EFretloError with FluidSynth's message when the SoundFont does not load.
    TFluidSynth(const std::string& soundFont, int sampleRate);
    ~TFluidSynth();
    TFluidSynth(const TFluidSynth&) = delete;
    TFluidSynth& operator=(const TFluidSynth&) = delete;

    void ShortMsg(uint32_t message);
    // Writes `frames` frames of 16-bit stereo, interleaved, at the end of `samples`.
    void Render(int frames, std::vector<int16_t>& samples);
    // Starts sounding through the first audio driver that opens; false when none does.
    bool StartAudio();
    void StopAudio();

private:
    struct THandles;
    std::unique_ptr<THandles> handles_;
};

// FluidSynth's last error message (its logging goes here instead of stderr).
std::string FluidSynthLastError();

// Device -1 sounding in real time.
std::unique_ptr<MidiOut> MakeFluidSynthOut(const std::string& soundFont);

// The devices of an offline rendering: device -1 is one synthesizer whose samples the
// caller takes tick by tick.
class TFluidRenderer : public TSampleDevices {
public:
    TFluidRenderer(const std::string& soundFont, int sampleRate);
    std::vector<TMidiDeviceInfo> List() override;
    std::unique_ptr<MidiOut> Create(int device) override;
    bool Shared() const override { return false; }
    void RenderSamples(int frames, std::vector<int16_t>& samples) override { synth_.Render(frames, samples); }

    TFluidSynth& Synth() { return synth_; }

private:
    std::string soundFont_;
    TFluidSynth synth_;
};

}  // namespace fretlo

#include "platform/midi/FluidSynth.h"

#include <fluidsynth.h>
#include <unistd.h>

#include <mutex>

#include "base/Errors.h"
#include "platform/midi/QuietAlsa.h"

namespace fretlo {

namespace {

// FluidSynth writes its messages to stderr unless told otherwise; errors are kept for the
// error text of a failed open, everything else is dropped.
std::mutex& LogMutex() {
    static std::mutex m;
    return m;
}
std::string& LastError() {
    static std::string text;
    return text;
}

void KeepError(int, const char* message, void*) {
    std::lock_guard lock(LogMutex());
    LastError() = message;
}

void QuietFluidSynth() {
    static std::once_flag once;
    std::call_once(once, [] {
        for (int level = 0; level < LAST_LOG_LEVEL; ++level)
            fluid_set_log_function(level, level <= FLUID_ERR ? KeepError : nullptr, nullptr);
    });
}

// The JACK driver is never tried: without a JACK server it may start one or crash.
constexpr const char* AudioDrivers[] = {"pulseaudio", "alsa"};

}  // namespace

std::string FluidSynthLastError() {
    std::lock_guard lock(LogMutex());
    return LastError();
}

std::string FindSoundFont(const std::string& preferred) {
    static const char* const installed[] = {
        "/usr/share/sounds/sf2/FluidR3_GM.sf2",
        "/usr/share/sounds/sf2/default-GM.sf2",
        "/usr/share/sounds/sf2/TimGM6mb.sf2",
        "/usr/share/soundfonts/default.sf2",
    };
    if (!preferred.empty() && access(preferred.c_str(), R_OK) == 0) return preferred;
    for (const char* path : installed)
        if (access(path, R_OK) == 0) return path;
    return {};
}

struct TFluidSynth::THandles {
    fluid_settings_t* Settings = nullptr;
    fluid_synth_t* Synth = nullptr;
    fluid_audio_driver_t* Driver = nullptr;
    ~THandles() {
        if (Driver) delete_fluid_audio_driver(Driver);
        if (Synth) delete_fluid_synth(Synth);
        if (Settings) delete_fluid_settings(Settings);
    }
};

TFluidSynth::TFluidSynth(const std::string& soundFont, int sampleRate)
    : handles_(std::make_unique<THandles>()) {
    QuietFluidSynth();
    THandles& h = *handles_;
    h.Settings = new_fluid_settings();
    if (!h.Settings) throw EFretloError("FluidSynth could not be started");
    fluid_settings_setnum(h.Settings, "synth.sample-rate", sampleRate);
    fluid_settings_setint(h.Settings, "audio.period-size", SynthPeriodFrames);
    fluid_settings_setint(h.Settings, "audio.periods", SynthPeriods);
    h.Synth = new_fluid_synth(h.Settings);
    if (!h.Synth) throw EFretloError("FluidSynth could not be started: " + FluidSynthLastError());
    if (soundFont.empty()) throw EFretloError("No General MIDI SoundFont is installed");
    // Without the reset flag no channel would have an instrument.
    if (fluid_synth_sfload(h.Synth, soundFont.c_str(), 1) == FLUID_FAILED)
        throw EFretloError("The SoundFont " + soundFont + " could not be loaded: " + FluidSynthLastError());
}

TFluidSynth::~TFluidSynth() = default;

void TFluidSynth::ShortMsg(uint32_t message) {
    fluid_synth_t* s = handles_->Synth;
    const int channel = message & 0x0F;
    const int data1 = (message >> 8) & 0x7F;
    const int data2 = (message >> 16) & 0x7F;
    switch (message & 0xF0) {
    case MidiNoteOff: fluid_synth_noteoff(s, channel, data1); break;
    case MidiNoteOn:
        if (data2)
            fluid_synth_noteon(s, channel, data1, data2);
        else
            fluid_synth_noteoff(s, channel, data1);
        break;
    case MidiController: fluid_synth_cc(s, channel, data1, data2); break;
    case MidiProgram: fluid_synth_program_change(s, channel, data1); break;
    case MidiPitchBend: fluid_synth_pitch_bend(s, channel, data1 | (data2 << 7)); break;
    default: break;
    }
}

void TFluidSynth::Render(int frames, std::vector<int16_t>& samples) {
    const size_t at = samples.size();
    samples.resize(at + static_cast<size_t>(frames) * 2);
    fluid_synth_write_s16(handles_->Synth, frames, samples.data() + at, 0, 2, samples.data() + at, 1, 2);
}

bool TFluidSynth::StartAudio() {
    THandles& h = *handles_;
    QuietAlsa();
    for (const char* driver : AudioDrivers) {
        fluid_settings_setstr(h.Settings, "audio.driver", driver);
        h.Driver = new_fluid_audio_driver(h.Settings, h.Synth);
        if (h.Driver) return true;
    }
    return false;
}

void TFluidSynth::StopAudio() {
    if (handles_->Driver) delete_fluid_audio_driver(handles_->Driver);
    handles_->Driver = nullptr;
}

namespace {

class TFluidSynthOut : public MidiOut {
public:
    explicit TFluidSynthOut(std::string soundFont) : soundFont_(std::move(soundFont)) {}
    bool Open() override {
        try {
            synth_ = std::make_unique<TFluidSynth>(soundFont_, SynthSampleRate);
        } catch (const EFretloError& e) {
            error_ = e.what();
            return false;
        }
        if (synth_->StartAudio()) return true;
        error_ = "FluidSynth could not open an audio output: " + FluidSynthLastError();
        synth_.reset();
        return false;
    }
    void ShortMsg(uint32_t message) override {
        if (synth_) synth_->ShortMsg(message);
    }
    void Close() override { synth_.reset(); }
    std::string ErrorText() const override { return error_; }

private:
    std::string soundFont_;
    std::unique_ptr<TFluidSynth> synth_;
    std::string error_;
};

// An output into a synthesizer that the renderer owns.
class TRenderOut : public MidiOut {
public:
    explicit TRenderOut(TFluidSynth& synth) : synth_(synth) {}
    bool Open() override { return true; }
    void ShortMsg(uint32_t message) override { synth_.ShortMsg(message); }
    void Close() override {}
    std::string ErrorText() const override { return {}; }

private:
    TFluidSynth& synth_;
};

}  // namespace

std::unique_ptr<MidiOut> MakeFluidSynthOut(const std::string& soundFont) {
    return std::make_unique<TFluidSynthOut>(soundFont);
}

TFluidRenderer::TFluidRenderer(const std::string& soundFont, int sampleRate)
    : soundFont_(soundFont), synth_(soundFont, sampleRate) {}

std::vector<TMidiDeviceInfo> TFluidRenderer::List() {
    return {{-1, "Built-in synthesizer (" + soundFont_ + ")"}};
}

std::unique_ptr<MidiOut> TFluidRenderer::Create(int) { return std::make_unique<TRenderOut>(synth_); }

}  // namespace fretlo

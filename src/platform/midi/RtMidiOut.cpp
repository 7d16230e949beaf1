#include "platform/midi/RtMidiOut.h"

#include <rtmidi/RtMidi.h>
#include <unistd.h>

#include "platform/midi/QuietAlsa.h"

namespace fretlo {

namespace {

constexpr const char* ClientName = "Fretlo";

// RtMidi prints to stderr before it throws when the sequencer device is missing, so the
// device is looked for first. Only the ALSA backend is used: JACK's crashes without a server.
std::unique_ptr<RtMidiOut> OpenSequencer(std::string& error) {
    if (access("/dev/snd/seq", R_OK | W_OK) != 0) {
        error = "The ALSA sequencer (/dev/snd/seq) is not available";
        return nullptr;
    }
    QuietAlsa();
    try {
        auto out = std::make_unique<RtMidiOut>(RtMidi::LINUX_ALSA, ClientName);
        out->setErrorCallback([](RtMidiError::Type, const std::string& text,
                                 void* data) { *static_cast<std::string*>(data) = text; },
                              &error);
        return out;
    } catch (const RtMidiError& e) {
        error = e.getMessage();
        return nullptr;
    }
}

// Program change and channel pressure carry one data byte, the others two.
size_t MessageLength(uint8_t status) {
    const uint8_t kind = status & 0xF0;
    return kind == MidiProgram || kind == 0xD0 ? 2 : 3;
}

class TRtMidiOut : public MidiOut {
public:
    explicit TRtMidiOut(int port) : port_(port) {}
    bool Open() override {
        out_ = OpenSequencer(error_);
        if (!out_) return false;
        error_.clear();
        if (port_ < 0 || static_cast<unsigned>(port_) >= out_->getPortCount()) {
            error_ = "There is no MIDI output port " + std::to_string(port_);
        } else {
            out_->openPort(static_cast<unsigned>(port_), ClientName);
            if (out_->isPortOpen()) return true;
        }
        out_.reset();
        return false;
    }
    void ShortMsg(uint32_t message) override {
        if (!out_) return;
        const uint8_t bytes[3] = {static_cast<uint8_t>(message), static_cast<uint8_t>(message >> 8),
                                  static_cast<uint8_t>(message >> 16)};
        out_->sendMessage(bytes, MessageLength(bytes[0]));
    }
    void Close() override { out_.reset(); }
    std::string ErrorText() const override { return error_; }

private:
    int port_;
    std::string error_;
    std::unique_ptr<RtMidiOut> out_;
};

}  // namespace

std::vector<std::string> AlsaMidiPorts() {
    std::string error;
    std::vector<std::string> names;
    auto out = OpenSequencer(error);
    if (!out) return names;
    for (unsigned i = 0; i < out->getPortCount(); ++i) names.push_back(out->getPortName(i));
    return names;
}

std::unique_ptr<MidiOut> MakeRtMidiOut(int port) { return std::make_unique<TRtMidiOut>(port); }

}  // namespace fretlo

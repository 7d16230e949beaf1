// The MIDI devices of this machine: the built-in synthesizer (-1) when a SoundFont is
// installed, then the ALSA sequencer's output ports (0 .. n-1).
#pragma once

#include <string>

#include "platform/MidiOut.h"

namespace fretlo {

class TSystemMidiDevices : public TMidiDevices {
public:
    // `soundFont`: the SoundFont setting (empty: the first one installed).
    explicit TSystemMidiDevices(std::string soundFont);
    std::vector<TMidiDeviceInfo> List() override;
    std::unique_ptr<MidiOut> Create(int device) override;
    bool Shared() const override { return true; }

private:
    std::string soundFont_;
};

}  // namespace fretlo

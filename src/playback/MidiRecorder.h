// The recording MIDI device of tests and of `fretlo-tool trace`: every message is kept with
// the tick number that the driver of the playback sets.
#pragma once

#include <string>
#include <vector>

#include "platform/MidiOut.h"

namespace fretlo {

struct TMidiEvent {
    int Tick;
    uint8_t Status;
    uint8_t Data1;
    uint8_t Data2;
    bool operator==(const TMidiEvent&) const = default;
};

class TMidiRecorder : public TMidiDevices {
public:
    std::vector<TMidiDeviceInfo> List() override { return {{-1, "Recorder"}}; }
    std::unique_ptr<MidiOut> Create(int device) override;
    bool Shared() const override { return false; }

    int CurrentTick = 0;    // stamped on every message
    std::string OpenError;  // when set, opening fails with this text
    std::string SendError;  // when set, sending raises an error with this text
    bool Recording = true;  // false: messages are counted only
    std::vector<TMidiEvent> Events;
    long long MessageCount = 0;
    bool IsOpen = false;
};

}  // namespace fretlo

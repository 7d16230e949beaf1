// The system's MIDI output ports (devices 0 .. n-1): ALSA sequencer ports through RtMidi.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/MidiOut.h"

namespace fretlo {

// The names of the sequencer's output ports; none on a machine without a sequencer.
std::vector<std::string> AlsaMidiPorts();

std::unique_ptr<MidiOut> MakeRtMidiOut(int port);

}  // namespace fretlo

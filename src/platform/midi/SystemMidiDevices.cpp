#include "platform/midi/SystemMidiDevices.h"

#include "platform/midi/FluidSynth.h"
#include "platform/midi/RtMidiOut.h"

namespace fretlo {

TSystemMidiDevices::TSystemMidiDevices(std::string soundFont) : soundFont_(std::move(soundFont)) {}

std::vector<TMidiDeviceInfo> TSystemMidiDevices::List() {
    std::vector<TMidiDeviceInfo> devices;
    if (const std::string font = FindSoundFont(soundFont_); !font.empty())
        devices.push_back({-1, "Built-in synthesizer (" + font + ")"});
    const std::vector<std::string> ports = AlsaMidiPorts();
    for (size_t i = 0; i < ports.size(); ++i) devices.push_back({static_cast<int>(i), ports[i]});
    return devices;
}

std::unique_ptr<MidiOut> TSystemMidiDevices::Create(int device) {
    if (device < 0) return MakeFluidSynthOut(FindSoundFont(soundFont_));
    return MakeRtMidiOut(device);
}

}  // namespace fretlo

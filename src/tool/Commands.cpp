#include "tool/Commands.h"

namespace fretlo::tool {

const std::vector<TCommand>& AllCommands() {
    static const std::vector<TCommand> commands = {
        {"devices", "", "list the MIDI output devices", CmdDevices},
        {"play", "FILE [--track N | --all] [--from-bar B] [--device D] [--ignore-repeats] [--metronome]",
         "play a song through a MIDI device", CmdPlay},
        {"render", "FILE OUT.wav [play options] [--soundfont PATH] [--rate HZ]",
         "render a song to a WAV file with the built-in synthesizer", CmdRender},
        {"trace", "FILE [play options] [--metronome-volume V] [--metronome-drum K] [--no-accent]",
         "print the MIDI messages of a playback, one per line", CmdTrace},
#ifdef FRETLO_TOOL_IMAGE
        {"image", "FILE OUT.png [--width W] [--height H] [--bar B] [--scale S]",
         "draw a song as the view shows it into a PNG picture", CmdImage},
#endif
    };
    return commands;
}

} // namespace fretlo::tool

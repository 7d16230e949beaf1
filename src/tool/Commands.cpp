#include "tool/Commands.h"

namespace fretlo::tool {

const std::vector<TCommand>& AllCommands() {
    static const std::vector<TCommand> commands = {
        {"info", "FILE", "summarise a song file: version, texts, tracks, bars and length", CmdInfo},
        {"dump", "FILE", "print a song file as one JSON object", CmdDump},
        {"convert", "IN OUT", "load a song and save it in the lowest version that holds it", CmdConvert},
        {"new-song", "OUT.frl [--bar-spaces N]", "write a new empty song", CmdNewSong},
        {"export-midi", "FILE OUT.mid [--tracks 1,3] [--no-muted] [--bank-selects]",
         "write the song as a Standard MIDI File", CmdExportMidi},
        {"export-text",
         "FILE OUT.txt|- [--tracks 1,3] [--line-width 30..160] [--no-bar-break] [--page-breaks] "
         "[--lines-per-page 50..100]",
         "write the song as plain-text tablature", CmdExportText},
        {"import-midi",
         "IN.mid OUT.frl [--tracks 1,3] [--grid 16|32] [--no-triplets] [--tuning TRACK=E2,A2,D3,G3,B3,E4]",
         "make a song of a MIDI file's parts (numbered as the report lists them) and print the report",
         CmdImportMidi},
        {"time-at", "FILE --track T --space S", "print how long the song plays until a space",
         CmdTimeAt},
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

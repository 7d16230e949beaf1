// Every command of fretlo-tool, in the order --help lists them: name, arguments, summary and
// the function that runs it. FRETLO_DOCUMENT_COMMAND entries only read and write songs and run in
// fretlo-tool itself; FRETLO_MEDIA_COMMAND entries draw with Qt or open the MIDI backends and run in
// fretlo-tool-media. Adding a command is one line here and its file in the program's folder.
//
// A program defines both macros and includes this file where it wants the list; the file
// undefines them again, so it has no include guard.
FRETLO_DOCUMENT_COMMAND("info", "FILE", "summarise a song file: version, texts, tracks, bars and length",
                        CmdInfo)
FRETLO_DOCUMENT_COMMAND("dump", "FILE", "print a song file as one JSON object", CmdDump)
FRETLO_DOCUMENT_COMMAND("convert", "IN OUT", "load a song and save it in the lowest version that holds it",
                        CmdConvert)
FRETLO_DOCUMENT_COMMAND("new-song", "OUT.frl [--bar-spaces N]", "write a new empty song", CmdNewSong)
FRETLO_DOCUMENT_COMMAND("export-midi", "FILE OUT.mid [--tracks 1,3] [--no-muted] [--bank-selects]",
                        "write the song as a Standard MIDI File", CmdExportMidi)
FRETLO_DOCUMENT_COMMAND(
    "export-text",
    "FILE OUT.txt|- [--tracks 1,3] [--line-width 30..160] [--no-bar-break] [--page-breaks] "
    "[--lines-per-page 50..100]",
    "write the song as plain-text tablature", CmdExportText)
FRETLO_DOCUMENT_COMMAND(
    "import-midi",
    "IN.mid OUT.frl [--tracks 1,3] [--grid 16|32] [--no-triplets] [--tuning TRACK=E2,A2,D3,G3,B3,E4]",
    "make a song of a MIDI file's parts (numbered as the report lists them) and print the report",
    CmdImportMidi)
FRETLO_DOCUMENT_COMMAND("time-at", "FILE --track T --space S", "print how long the song plays until a space",
                        CmdTimeAt)
FRETLO_MEDIA_COMMAND("devices", "", "list the MIDI output devices", CmdDevices)
FRETLO_MEDIA_COMMAND("play",
                     "FILE [--track N | --all] [--from-bar B] [--device D] [--ignore-repeats] [--metronome] "
                     "[--loop FIRST-LAST] [--loops N] [--speed 25..200] [--trainer START,STEP,EVERY,TARGET] "
                     "[--count-in]",
                     "play a song through a MIDI device", CmdPlay)
FRETLO_MEDIA_COMMAND("render", "FILE OUT.wav [play options] [--soundfont PATH] [--rate HZ]",
                     "render a song to a WAV file with the built-in synthesizer", CmdRender)
FRETLO_DOCUMENT_COMMAND("trace",
                        "FILE [play options] [--metronome-volume V] [--metronome-drum K] [--no-accent]",
                        "print the MIDI messages of a playback, one per line", CmdTrace)
#ifdef FRETLO_TOOL_WIDGETS
FRETLO_MEDIA_COMMAND("image", "FILE OUT.png [--width W] [--height H] [--bar B] [--scale S]",
                     "draw a song as the view shows it into a PNG picture", CmdImage)
FRETLO_MEDIA_COMMAND("print",
                     "FILE OUT.pdf [--tracks 1,3] [--no-title] [--no-page-numbers] [--paper A4|Letter] "
                     "[--margins L,T,R,B]",
                     "print a song to a PDF file as File > Print does (margins in 1/1000 inch)", CmdPrint)
#endif
#undef FRETLO_DOCUMENT_COMMAND
#undef FRETLO_MEDIA_COMMAND

// fretlo-tool new-song: writes the song that File | New makes.
#include "document/SongFile.h"
#include "document/TabDoc.h"
#include "tool/Commands.h"
#include "tool/cli/Args.h"

namespace fretlo::tool {

int CmdNewSong(const std::vector<std::string>& argv) {
    TArgs args(argv, {"--bar-spaces"});
    const std::string out = args.Positional(0, "OUT.frl");
    // 0 means one bar of 2048 spaces, as in the New dialog.
    const int barSpaces = args.Int("--bar-spaces", NewSongBarSpaces, 0, MaxSpaces / 128);
    args.Finish(1);
    TCustomTabDoc doc;
    doc.New(barSpaces);
    doc.SaveToFile(out);
    return 0;
}

}  // namespace fretlo::tool

// fretlo-tool convert: loads a song and saves it again, so older files take the lowest
// current version that holds them.
#include <cstdio>

#include "document/SongFile.h"
#include "document/SongVersion.h"
#include "document/TabDoc.h"
#include "tool/Commands.h"
#include "tool/cli/Args.h"

namespace fretlo::tool {

int CmdConvert(const std::vector<std::string>& argv) {
    TArgs args(argv, {});
    const std::string in = args.Positional(0, "IN");
    const std::string out = args.Positional(1, "OUT");
    args.Finish(2);
    TCustomTabDoc doc;
    doc.LoadFromFile(in);
    doc.SaveToFile(out);
    std::printf("%d\n", ChooseSongVersion(doc).Version);
    return 0;
}

}  // namespace fretlo::tool

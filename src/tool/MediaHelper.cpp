#include "tool/MediaHelper.h"

#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>

namespace fretlo::tool {

namespace {

constexpr const char* HelperName = "fretlo-tool-media";

}  // namespace

int RunMediaHelper(char** argv) {
    std::error_code failed;
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", failed);
    if (failed) {
        std::fprintf(stderr, "fretlo-tool %s: cannot find its helper %s: %s\n", argv[1], HelperName,
                     failed.message().c_str());
        return 1;
    }
    const std::filesystem::path folder = self.parent_path();
    const std::filesystem::path places[] = {folder,
                                            (folder / FRETLO_TOOL_HELPER_FROM_BIN).lexically_normal()};
    for (const std::filesystem::path& place : places) {
        const std::string helper = (place / HelperName).string();
        execv(helper.c_str(), argv);
        if (errno != ENOENT && errno != ENOTDIR) {
            std::fprintf(stderr, "fretlo-tool %s: cannot run %s: %s\n", argv[1], helper.c_str(),
                         std::strerror(errno));
            return 1;
        }
    }
    std::fprintf(stderr, "fretlo-tool %s: needs the helper program %s, which is neither in %s nor in %s\n",
                 argv[1], HelperName, places[0].c_str(), places[1].c_str());
    return 1;
}

}  // namespace fretlo::tool

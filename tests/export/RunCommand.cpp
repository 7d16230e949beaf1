#include "export/RunCommand.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/wait.h>
#include <unistd.h>

namespace fretlo::test {

namespace {

std::string ReadText(const std::filesystem::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

}  // namespace

TCommandRun RunCommand(const std::string& command) {
    const auto dir = std::filesystem::temp_directory_path();
    const std::string stem = "fretlo-test-run-" + std::to_string(::getpid());
    const auto out = dir / (stem + ".out"), err = dir / (stem + ".err");
    const int raw = std::system(
        (command + " >" + ShellQuote(out.string()) + " 2>" + ShellQuote(err.string()) + " </dev/null")
            .c_str());
    TCommandRun run{WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, ReadText(out), ReadText(err)};
    std::filesystem::remove(out);
    std::filesystem::remove(err);
    return run;
}

std::string ShellQuote(const std::string& text) {
    std::string q = "'";
    for (const char c : text) q += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return q + "'";
}

}  // namespace fretlo::test

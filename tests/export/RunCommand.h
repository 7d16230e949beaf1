// Runs a shell command for the tests and keeps what it printed.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

namespace fretlo::test {

struct TCommandRun {
    int Status;       // the exit status, or -1 when the command did not end normally
    std::string Out;  // standard output
    std::string Err;  // standard error
};

// `text` in single quotes for the shell.
inline std::string ShellQuote(const std::string& text) {
    std::string q = "'";
    for (const char c : text) q += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return q + "'";
}

inline TCommandRun RunCommand(const std::string& command) {
    const auto stem =
        std::filesystem::temp_directory_path() / ("fretlo-test-run-" + std::to_string(::getpid()));
    const std::string out = stem.string() + ".out", err = stem.string() + ".err";
    const int raw =
        std::system((command + " >" + ShellQuote(out) + " 2>" + ShellQuote(err) + " </dev/null").c_str());
    const auto read = [](const std::string& path) {
        std::ostringstream text;
        text << std::ifstream(path, std::ios::binary).rdbuf();
        std::filesystem::remove(path);
        return text.str();
    };
    return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, read(out), read(err)};
}

}  // namespace fretlo::test

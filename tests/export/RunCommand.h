// Runs a shell command for the tests and keeps what it printed.
#pragma once

#include <string>

namespace fretlo::test {

struct TCommandRun {
    int Status;       // the exit status, or -1 when the command did not end normally
    std::string Out;  // standard output
    std::string Err;  // standard error
};

TCommandRun RunCommand(const std::string& command);

// `text` in single quotes for the shell.
std::string ShellQuote(const std::string& text);

}  // namespace fretlo::test

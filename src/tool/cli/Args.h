// Command-line arguments of one fretlo-tool subcommand: positionals, flags and valued options.
#pragma once

#include <optional>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

namespace fretlo::tool {

// A wrong command line; the program prints the message and exits with status 2.
class EUsage : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class TArgs {
public:
    // `valued` names the options that take a value ("--track"); every other "--x" is a flag.
    TArgs(const std::vector<std::string>& argv, std::set<std::string> valued);

    // The n-th positional argument; EUsage naming `what` when it is missing.
    const std::string& Positional(size_t n, const char* what) const;
    size_t PositionalCount() const { return positionals_.size(); }
    bool Flag(const std::string& name);
    std::optional<std::string> Value(const std::string& name);
    // An integer option within [lo, hi], or `fallback` when absent; EUsage otherwise.
    int Int(const std::string& name, int fallback, int lo, int hi);
    // Raises EUsage for any option not asked for and for surplus positionals.
    void Finish(size_t maxPositionals);

private:
    std::vector<std::string> positionals_;
    std::vector<std::pair<std::string, std::string>> options_;
    std::set<std::string> used_;
};

// Parses a whole decimal integer; nothing for anything else.
std::optional<long long> ParseInteger(const std::string& text);

}  // namespace fretlo::tool

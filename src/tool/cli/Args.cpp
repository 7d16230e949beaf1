#include "tool/cli/Args.h"

#include <cerrno>
#include <cstdlib>

namespace fretlo::tool {

std::optional<long long> ParseInteger(const std::string& text) {
    if (text.empty()) return std::nullopt;
    errno = 0;
    char* end = nullptr;
    const long long v = std::strtoll(text.c_str(), &end, 10);
    if (errno != 0 || *end != '\0') return std::nullopt;
    return v;
}

TArgs::TArgs(const std::vector<std::string>& argv, std::set<std::string> valued) {
    for (size_t i = 0; i < argv.size(); ++i) {
        const std::string& a = argv[i];
        if (a.size() > 2 && a.rfind("--", 0) == 0) {
            std::string name = a, value;
            if (auto eq = a.find('='); eq != std::string::npos) {
                name = a.substr(0, eq);
                value = a.substr(eq + 1);
            } else if (valued.count(a)) {
                if (i + 1 >= argv.size()) throw EUsage("option " + a + " needs a value");
                value = argv[++i];
            }
            options_.emplace_back(name, value);
        } else {
            positionals_.push_back(a);
        }
    }
}

const std::string& TArgs::Positional(size_t n, const char* what) const {
    if (n >= positionals_.size()) throw EUsage(std::string("missing ") + what);
    return positionals_[n];
}

bool TArgs::Flag(const std::string& name) {
    used_.insert(name);
    for (const auto& [n, v] : options_)
        if (n == name) return true;
    return false;
}

std::optional<std::string> TArgs::Value(const std::string& name) {
    used_.insert(name);
    std::optional<std::string> found;
    for (const auto& [n, v] : options_)
        if (n == name) found = v;
    return found;
}

int TArgs::Int(const std::string& name, int fallback, int lo, int hi) {
    const auto text = Value(name);
    if (!text) return fallback;
    const auto v = ParseInteger(*text);
    if (!v || *v < lo || *v > hi)
        throw EUsage(name + " must be a whole number from " + std::to_string(lo) + " to " +
                     std::to_string(hi));
    return static_cast<int>(*v);
}

void TArgs::Finish(size_t maxPositionals) {
    for (const auto& [n, v] : options_)
        if (!used_.count(n)) throw EUsage("unknown option " + n);
    if (positionals_.size() > maxPositionals)
        throw EUsage("unexpected argument " + positionals_[maxPositionals]);
}

}  // namespace fretlo::tool

#include "base/Errors.h"

#include <cstdarg>
#include <cstdio>

namespace fretlo {

void FailCheck(const char* what, std::source_location where) {
    std::string file = where.file_name();
    if (auto slash = file.rfind('/'); slash != std::string::npos) file.erase(0, slash + 1);
    throw EInternalError("Internal error: " + std::string(what) + " (" + file + ":" +
                         std::to_string(where.line()) + ")");
}

std::string Format(const char* fmt, ...) {
    va_list args;
    va_start(args, fmt);
    va_list copy;
    va_copy(copy, args);
    const int n = std::vsnprintf(nullptr, 0, fmt, copy);
    va_end(copy);
    std::string out(n > 0 ? static_cast<size_t>(n) : 0, '\0');
    if (n > 0) std::vsnprintf(out.data(), out.size() + 1, fmt, args);
    va_end(args);
    return out;
}

}  // namespace fretlo

// Exceptions of the model: every failure carries the message the user sees.
#pragma once

#include <source_location>
#include <stdexcept>
#include <string>

namespace fretlo {

// A failure with a message for the user (file damage, limits, refused commands).
class EFretloError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A broken internal invariant: a programming error, raised in every build type.
class EInternalError : public EFretloError {
public:
    using EFretloError::EFretloError;
};

// Raises EInternalError naming the failed condition and where it was checked.
[[noreturn]] void FailCheck(const char* what, std::source_location where);

// Checks an invariant; unlike assert() it stays in Release builds.
inline void Check(bool condition, const char* what,
                  std::source_location where = std::source_location::current()) {
    if (!condition) FailCheck(what, where);
}

// printf-style formatting for the fixed messages that carry numbers.
std::string Format(const char* fmt, ...) __attribute__((format(printf, 1, 2)));

}  // namespace fretlo

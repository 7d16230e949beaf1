// Readable names for the rows of parameterised tests, so that ctest, gtest's list and a
// failure message all say which row it is instead of dumping its bytes.
#pragma once

#include <gtest/gtest.h>

#include <cctype>
#include <string>
#include <string_view>

namespace fretlo::test {

// A valid gtest name made from any text: letters and digits stay, a minus sign before a
// digit becomes "minus", each run of other characters becomes one '_', none at either end;
// a text with no letter or digit is "Empty".
inline std::string TestName(std::string_view text) {
    const auto alnum = [](char c) { return std::isalnum(static_cast<unsigned char>(c)) != 0; };
    std::string out;
    bool gap = false;
    for (size_t i = 0; i < text.size(); ++i) {
        const bool minus = text[i] == '-' && i + 1 < text.size() && std::isdigit(static_cast<unsigned char>(text[i + 1]));
        if (!alnum(text[i]) && !minus) {
            gap = true;
            continue;
        }
        if (gap && !out.empty()) out += '_';
        gap = false;
        if (minus)
            out += "minus";
        else
            out += text[i];
    }
    return out.empty() ? "Empty" : out;
}

// Names a row after what gtest prints for it: its PrintTo, or the value itself for numbers,
// flags and pairs. Two rows that print alike are refused by gtest when the program starts.
struct PrintedName {
    template <class Param>
    std::string operator()(const ::testing::TestParamInfo<Param>& info) const {
        return TestName(::testing::PrintToString(info.param));
    }
};

// The same with the row's number in front, for rows told apart only by characters that a
// name cannot hold (keys such as " " and "-", or path separators).
struct NumberedName {
    template <class Param>
    std::string operator()(const ::testing::TestParamInfo<Param>& info) const {
        return "Row" + std::to_string(info.index) + "_" + PrintedName()(info);
    }
};

}  // namespace fretlo::test

// Lets gtest print a row that carries a `name` as that name.
#define FRETLO_PRINT_AS_NAME(Row) \
    [[maybe_unused]] inline void PrintTo(const Row& row, std::ostream* os) { *os << row.name; }

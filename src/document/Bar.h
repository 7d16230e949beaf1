// The bar record of the song's shared bar list.
#pragma once

#include <cstdint>

namespace fretlo {

struct TBar {
    int32_t Start;        // song time of the bar's first space
    int32_t End;          // song time just after the bar; the next bar's Start
    uint8_t StaffBreak;   // a new staff line begins with this bar
    uint8_t RepeatStart;  // the bar opens a repeated section
    uint8_t RepeatEnd;    // the bar closes a repeated section
    int32_t RepeatCount;  // 1..255 with RepeatEnd (section plays count + 1 times), else 0
};

}  // namespace fretlo

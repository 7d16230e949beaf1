// Which version the saver writes: the lowest of 111, 112 and 114 that holds the song.
#pragma once

namespace fretlo {

class TCustomTabDoc;

struct TSongVersionChoice {
    int Version = 111;
    bool HasRatios = false;  // any space with a ratio other than 1/1: the ratio arrays are written
};

TSongVersionChoice ChooseSongVersion(const TCustomTabDoc& doc);

}  // namespace fretlo

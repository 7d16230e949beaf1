// Track effects: the per-space list of tempo, instrument, controller and stroke changes.
#pragma once

#include <cstdint>
#include <optional>

#include "document/Space.h"

namespace fretlo {

enum TPropKind : uint16_t {
    pkStrokeDown = 1,
    pkStrokeUp = 2,
    pkTempo = 3,
    pkInstrument = 4,  // bits 0-6 program, bit 7 let-ring off, bit 15 bank select with bank in 8-14
    pkVolume = 5,
    pkPan = 6,
    pkChorus = 7,
    pkReverb = 8,
    pkModulation = 9,
    pkPitchBend = 10,  // signed cents
};
inline constexpr int MinPropKind = 1;
inline constexpr int MaxPropKind = 10;
inline constexpr uint16_t PropDataSize = 2;

// Bits of an instrument effect's value.
inline constexpr uint16_t InstrumentNoRing = 0x0080;
inline constexpr uint16_t InstrumentHasBank = 0x8000;

// One node of a space's list; the value is the little-endian 16-bit number in Data.
struct TPropNode {
    TPropNode* Next;
    uint16_t Kind;
    uint16_t Size;
    uint8_t Data[PropDataSize];

    uint16_t Value() const { return static_cast<uint16_t>(Data[0] | (Data[1] << 8)); }
    int16_t SignedValue() const { return static_cast<int16_t>(Value()); }
    void SetValue(uint16_t v) {
        Data[0] = static_cast<uint8_t>(v);
        Data[1] = static_cast<uint8_t>(v >> 8);
    }
};

inline constexpr bool IsValidProp(int kind, int size) {
    return kind >= MinPropKind && kind <= MaxPropKind && size == PropDataSize;
}

TPropNode* FindProp(const TSpace& space, int kind);
// Overwrites the node of `kind` or inserts a new one in kind order.
void SetProp(TSpace& space, int kind, uint16_t value);
void RemoveProp(TSpace& space, int kind);
void ClearProps(TSpace& space);
// Inserts a valid node (kind 1..10, value only) in kind order; replaces an equal kind.
void AddPropNode(TSpace& space, int kind, uint16_t value);
// "D", "U", "T", ... for one node, "+" for several, "?" for an unknown kind, 0 for none.
char PropLetter(const TSpace& space);
int PropCount(const TSpace& space);
// Copies the list of `from` into `to`, which must have none.
void CopyProps(const TSpace& from, TSpace& to);

// The single-letter form of older song files.
struct TLegacyProp {
    uint8_t Letter;  // 0 = no effect
    uint8_t Value;
};
// The letter and value of a space, or nothing when it cannot be written as one letter.
std::optional<TLegacyProp> EncodeLegacyProp(const TSpace& space);
// Adds the effect a letter stands for; false for a letter that is not valid.
bool DecodeLegacyProp(TSpace& space, uint8_t letter, uint8_t value);

}  // namespace fretlo

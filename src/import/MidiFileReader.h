// The byte layer of Standard MIDI Files: the header, the track chunks, delta times, running
// status and the three kinds of event, handed one at a time to a handler. Every length is
// checked against the bytes that remain; a damaged file raises EFretloError with one line
// for the user saying what is wrong and where.
#pragma once

#include <cstdint>
#include <span>

namespace fretlo {

struct TMidiHeader {
    int Format;      // 0: one track; 1: simultaneous tracks
    int TrackCount;  // track chunks announced (and read)
    int Division;    // ticks per quarter note
};

class TMidiEventHandler {
public:
    virtual ~TMidiEventHandler() = default;
    // Before the events of track chunk `track` (from 0).
    virtual void TrackStart(int track) = 0;
    // A note, controller, program, pressure or pitch-bend message; `data2` is 0 for the
    // one-byte messages. The tick counts from the start of the track.
    virtual void ChannelEvent(int64_t tick, uint8_t status, uint8_t data1, uint8_t data2) = 0;
    virtual void MetaEvent(int64_t tick, uint8_t type, std::span<const uint8_t> data) = 0;
};

// Reads the file through `handler`; system-exclusive messages and chunks of other kinds are
// skipped. Formats other than 0 and 1 and SMPTE divisions are refused.
TMidiHeader ReadMidiFile(std::span<const uint8_t> file, TMidiEventHandler& handler);

}  // namespace fretlo

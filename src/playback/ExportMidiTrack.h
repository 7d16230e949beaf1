// TMidiTrackWriter: one exported track's chunk of the MIDI file: its name, set-up, the
// unrolled song with let-ring, velocity and muted-hit rules, and the closing note-offs.
#pragma once

#include "document/Limits.h"
#include "document/TabDoc.h"
#include "playback/ExportMidi.h"
#include "playback/ExportMidiBytes.h"

#include <array>
#include <cstdint>
#include <vector>

namespace fretlo {

class TMidiTrackWriter {
public:
    // `tempo` is the tempo that sizes muted hits; it is shared by the chunks of one file and
    // follows every tempo event written.
    TMidiTrackWriter(TCustomTabDoc& doc, int track, int channel, const TMidiExportOptions& options,
                     int& tempo, TMidiBytes& out);
    void Write();

private:
    struct TSlot {
        int Note = -1;      // sounding key, -1 when silent
        int32_t Timer = -1; // ticks until a muted hit is released, -1 when none
    };

    void WriteName();
    void WriteSetup();
    void WriteSong();
    // Moves the writer's clock `d` ticks on, releasing muted hits that fall due on the way.
    void Advance(int32_t d);
    void ReleaseDueHits();
    // Handles the end of bar `bar_`; false when the song is finished.
    bool EndOfBar();
    void ProcessSpace(const TSpace& space);
    void ApplyEffects(const TSpace& space);
    void ChangeTempo(int tempo);
    void Strike(const TSpace& space, int string);
    void EndNote(int string);
    void Finish();

    // Every event starts here: the pending delta, which running hit timers count down.
    void Delta();
    void Event(std::initializer_list<uint8_t> bytes);
    void Channel(uint8_t status, int data1);
    void Channel(uint8_t status, int data1, int data2);
    void Controller(uint8_t controller, int value);
    void PitchBend(int cents);

    TCustomTabDoc& doc_;
    const int index_;
    const TTrackData& track_;
    const int strings_;
    const int channel_;
    const TMidiExportOptions options_;
    int& tempo_;
    TMidiBytes& out_;

    std::vector<int32_t> ticks_; // start tick of every space
    std::array<TSlot, StringSlots> slots_{};
    std::array<int, StringSlots> lastFret_{};
    int32_t pending_ = 0; // ticks since the last event written
    int velocity_;
    bool letRing_;
    int repeatCounter_ = 0;
    int bar_ = 0;
    int nextSpace_ = 0;
    int32_t previous_ = 0; // tick the song is written up to
};

} // namespace fretlo

// A song built through the document API, a player on the recorder and a virtual clock that
// the test advances tick by tick.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "playback/MidiRecorder.h"
#include "playback/Player.h"
#include "playback/VirtualClock.h"

namespace fretlo {

inline void PrintTo(const TMidiEvent& e, std::ostream* os) {
    *os << "{tick " << e.Tick << ", " << std::hex << int(e.Status) << " " << int(e.Data1) << " "
        << int(e.Data2) << std::dec << "}";
}

namespace test {

struct TCountingEvents : TPlayerEvents {
    // Like a view that has not handled the message yet: the pending word stays set.
    void PostPosition() override { ++Positions; }
    void PostSongEnd() override { ++Ends; }
    void PostPlayError(std::unique_ptr<std::string> text) override {
        Errors.push_back(text ? *text : "(null)");
    }
    int Positions = 0;
    int Ends = 0;
    std::vector<std::string> Errors;
};

inline TMidiEvent On(int tick, int channel, int key, int velocity) {
    return {tick, uint8_t(0x90 | channel), uint8_t(key), uint8_t(velocity)};
}
inline TMidiEvent Off(int tick, int channel, int key) {
    return {tick, uint8_t(0x80 | channel), uint8_t(key), 0};
}
inline TMidiEvent Cc(int tick, int channel, int controller, int value) {
    return {tick, uint8_t(0xB0 | channel), uint8_t(controller), uint8_t(value)};
}
inline TMidiEvent Program(int tick, int channel, int program) {
    return {tick, uint8_t(0xC0 | channel), uint8_t(program), 0};
}

// A note byte put on a string of a space: a fret, or NoteMuted and NoteStop.
struct TPut {
    int Space, String, Note;
};
constexpr int FretNote(int fret) { return NoteFretBase + fret; }

// Ticks at tempo 120 until a space at song time `units` is due: the first n with
// n * 16.384 >= units.
inline int TickAt120(int units) { return (units * 15000 + 245759) / 245760; }

// Public, so that the rows of a table can write their songs through it.
class PlayerTest : public ::testing::Test {
public:
    // `bars` bars of `barSpaces` spaces and `tracks` standard-tuned six-string tracks.
    void MakeSong(int bars, int tracks = 1, int barSpaces = 16) {
        doc.New(barSpaces);
        doc.ClearBars();
        doc.LayOutBars(false, 0, barSpaces, bars * barSpaces * UnitsPerSpace);
        doc.Track(0).SetSpaceCount(bars * barSpaces);
        for (int t = 1; t < tracks; ++t) doc.AddTrack(std::make_unique<TTrackData>(false, bars * barSpaces));
        for (int t = 0; t < tracks; ++t)
            for (int s = 0; s < StringSlots; ++s) doc.Track(t).Tuning[s] = 0;
    }
    TSpace& Space(int track, int space) { return doc.Track(track).Space(space); }
    void Fret(int track, int space, int string, int fret) {
        Space(track, space).Notes[string] = uint8_t(NoteFretBase + fret);
    }
    void Put(const std::vector<TPut>& notes, int track = 0) {
        for (const TPut& n : notes) Space(track, n.Space).Notes[n.String] = uint8_t(n.Note);
    }
    void Open() {
        if (!player)
            player = std::make_unique<TPlayer>(doc, TPlayerServices{&rec, &clock, &events, nullptr}, -1);
    }
    // Starts with tick 0, the one PlayFrom runs itself.
    void Play(int32_t start = 0, bool preview = false, int first = 0, int last = MaxTracks - 1) {
        Open();
        player->SetSettings(settings);
        player->SetPlayRange(first, last);
        tick = 0;
        rec.CurrentTick = 0;
        player->PlayFrom(start, preview);
    }
    void Ticks(int n) {
        for (int i = 0; i < n; ++i) {
            rec.CurrentTick = ++tick;
            clock.Fire();
        }
    }
    void PlayToEnd() {
        while (events.Ends == 0 && tick < 1000000) Ticks(1);
        ASSERT_EQ(events.Ends, 1);
    }
    // The messages whose status masked by `mask` is `kind`, in order; Notes() are ons and offs.
    std::vector<TMidiEvent> Kind(uint8_t kind, uint8_t mask = 0xF0) const {
        std::vector<TMidiEvent> out;
        for (const TMidiEvent& e : rec.Events)
            if ((e.Status & mask) == kind) out.push_back(e);
        return out;
    }
    std::vector<TMidiEvent> Notes() const { return Kind(0x80, 0xE0); }
    std::vector<int> NoteOnTicks() const {
        std::vector<int> out;
        for (const TMidiEvent& e : Kind(0x90)) out.push_back(e.Tick);
        return out;
    }

    TCustomTabDoc doc;
    TMidiRecorder rec;
    TVirtualClock clock;
    TCountingEvents events;
    TPlayerSettings settings;
    std::unique_ptr<TPlayer> player;
    int tick = 0;
};

}  // namespace test
}  // namespace fretlo

#include "playback/TimeAtCursor.h"

#include "document/TrackProps.h"

#include <algorithm>
#include <array>
#include <cinttypes>
#include <cstdio>

namespace fretlo {

namespace {

// Elapsed playing time in 1/256 ms. A plain space of 256 units lasts 15000 / tempo ms, so
// d units last d x 15000 / tempo of these; the remainder of that division is kept exactly
// and carried across tempo changes.
class TSongClock {
public:
    explicit TSongClock(int tempo) : tempo_(static_cast<uint32_t>(std::max(tempo, 1))) {}

    void Advance(int32_t units) {
        // 64 bits: a long stretch without events must not wrap around.
        const uint64_t d = static_cast<uint64_t>(units) * 15000;
        whole_ += d / tempo_;
        rem_ += static_cast<uint32_t>(d % tempo_);
        Carry();
    }

    void ChangeTempo(int tempo) {
        const uint32_t next = static_cast<uint32_t>(std::max(tempo, 1));
        // The fraction of a unit carries over, rounded to the new tempo's steps.
        rem_ = static_cast<uint32_t>((uint64_t(rem_) * next + tempo_ / 2) / tempo_);
        tempo_ = next;
        Carry();
    }

    uint64_t Millis() const { return whole_ / 256; }

private:
    void Carry() {
        while (rem_ >= tempo_) {
            rem_ -= tempo_;
            ++whole_;
        }
    }

    uint32_t tempo_;
    uint64_t whole_ = 0;
    uint32_t rem_ = 0;
};

} // namespace

uint64_t TimeAtCursor(const TCustomTabDoc& doc, int track, int space) {
    if (doc.BarCount() == 0) return 0;
    const int32_t target = doc.Track(track).SpaceTime(space);
    TSongClock clock(doc.Tempo);
    std::array<int, MaxTracks> next{};
    int32_t prev = 0;
    int bar = 0;
    int counter = 0;
    for (;;) {
        const int32_t barEnd = doc.Bar(bar).End;
        int32_t t = std::min(doc.SongLength(), barEnd);
        for (int i = 0; i < doc.TrackCount(); ++i)
            if (next[i] < doc.Track(i).SpaceCount())
                t = std::min(t, doc.Track(i).SpaceTime(next[i]));
        clock.Advance(t - prev);
        prev = t;
        // A bar end is handled before a space that starts there, so the repeats come first.
        if (t == barEnd) {
            if (doc.Bar(bar).RepeatEnd) {
                counter = counter != 0 ? counter - 1 : doc.Bar(bar).RepeatCount;
                if (counter > 0) {
                    bar = doc.RepeatSectionStart(bar);
                    prev = doc.Bar(bar).Start;
                    for (int i = 0; i < doc.TrackCount(); ++i)
                        next[i] = doc.SpaceAtTime(i, prev, satNoClamp);
                    continue;
                }
            }
            if (bar == doc.BarCount() - 1) break;
            ++bar;
            continue;
        }
        if (t == target) break;
        for (int i = 0; i < doc.TrackCount(); ++i) {
            TTrackData& tr = doc.Track(i);
            if (next[i] >= tr.SpaceCount() || tr.SpaceTime(next[i]) != t) continue;
            if (const TPropNode* p = FindProp(tr.Space(next[i]), pkTempo))
                clock.ChangeTempo(p->Value());
            ++next[i];
        }
    }
    return clock.Millis();
}

std::string FormatTimeAtCursor(uint64_t ms) {
    const uint64_t seconds = ms / 1000;
    char text[40];
    std::snprintf(text, sizeof text, "%.2" PRIu64 ":%.2d.%.3d", seconds / 60,
                  static_cast<int>(seconds % 60), static_cast<int>(ms % 1000));
    return text;
}

std::string TimeAtCursorMessage(uint64_t ms) {
    return "The time at the cursor position is:\r\n\r\n" + FormatTimeAtCursor(ms);
}

} // namespace fretlo

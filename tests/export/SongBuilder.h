// Songs for the export tests, built through the document API.
#pragma once

#include <memory>

#include "document/TabDoc.h"

namespace fretlo::test {

// `bars` bars of `barSpaces` plain spaces and `tracks` empty six-string tracks in standard
// tuning at tempo 120.
inline std::unique_ptr<TCustomTabDoc> MakeSong(int bars, int barSpaces = 16, int tracks = 1) {
    auto doc = std::make_unique<TCustomTabDoc>();
    doc->New(barSpaces);
    doc->ClearBars();
    doc->LayOutBars(false, 0, barSpaces, bars * barSpaces * UnitsPerSpace);
    doc->Track(0).SetSpaceCount(bars * barSpaces);
    for (int t = 1; t < tracks; ++t) doc->AddTrack(std::make_unique<TTrackData>(false, bars * barSpaces));
    return doc;
}

// Puts a raw note byte (muted 17, stop 18) on string slot `string` of a space.
inline void PutNote(TCustomTabDoc& doc, int track, int space, int string, uint8_t note) {
    doc.Track(track).Space(space).Notes[string] = note;
}

// Puts fret `fret` (or drum key) on string slot `string` of a space.
inline void PutFret(TCustomTabDoc& doc, int track, int space, int string, int fret) {
    PutNote(doc, track, space, string, static_cast<uint8_t>(NoteFretBase + fret));
}

// Closes bar `last` with a repeat of `count` and opens the section at bar `first`.
inline void SetRepeat(TCustomTabDoc& doc, int first, int last, int count) {
    doc.Bar(first).RepeatStart = 1;
    doc.Bar(last).RepeatEnd = 1;
    doc.Bar(last).RepeatCount = count;
}

}  // namespace fretlo::test

// Songs for the export tests, built through the document API.
#pragma once

#include <memory>

#include "document/TabDoc.h"

namespace fretlo::test {

// `bars` bars of `barSpaces` plain spaces and `tracks` empty six-string tracks in standard
// tuning at tempo 120.
std::unique_ptr<TCustomTabDoc> MakeSong(int bars, int barSpaces = 16, int tracks = 1);

// Puts fret `fret` (or drum key) on string slot `string` of a space.
void PutFret(TCustomTabDoc& doc, int track, int space, int string, int fret);
// Puts a raw note byte (muted 17, stop 18) on string slot `string` of a space.
void PutNote(TCustomTabDoc& doc, int track, int space, int string, uint8_t note);

// Closes bar `last` with a repeat of `count` and opens the section at bar `first`.
void SetRepeat(TCustomTabDoc& doc, int first, int last, int count);

}  // namespace fretlo::test

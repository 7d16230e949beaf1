// The Song menu's bar commands: Recreate Bar Lines, Add Bars and Remove Unused Bars. Each
// stops playback first, checks everything before it changes anything and is one undo step.
#pragma once

#include <optional>
#include <string>

#include "edit/EditDocument.h"

namespace fretlo {

// Recreate Bar Lines begins here, before its dialog: playback stops and the cursor moves to
// the first space of its bar, where the new bar lines will start.
void GoToCursorBarStart(TEditDocument& doc);
// Lays the bar lines out again from the cursor's bar to the song's end, one bar every
// `barSpaces` spaces (0: a single bar). Repeat signs and staff breaks stay.
void RecreateBarLines(TEditDocument& doc, int barSpaces);

// The refusal of Add Bars when a track would need more spaces than a track may have.
std::optional<std::string> AddBarsRefusal(const TCustomTabDoc& doc, int bars, int barSpaces);
// Appends `bars` bars of `barSpaces` spaces and lengthens every shorter track to the new end.
// The request must have passed AddBarsRefusal.
void AddBars(TEditDocument& doc, int bars, int barSpaces);

// Removes the bars after the cursor's bar and the spaces under them, once the user agrees;
// refused when there are none or when something stands in them.
void RemoveUnusedBars(TEditDocument& doc);

}  // namespace fretlo

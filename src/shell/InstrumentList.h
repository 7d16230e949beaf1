// The instrument list of the track dialogs: "%d - %s" for programs 0 to 127, with the drum kit
// names on the percussion channel and the General MIDI names elsewhere.
#pragma once

class QComboBox;

namespace fretlo {

// Fills `list` anew, keeping the selected entry.
void FillInstrumentList(QComboBox& list, bool drums);

}  // namespace fretlo

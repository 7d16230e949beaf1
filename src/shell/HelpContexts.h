// Help context numbers: a dialog's Help button, F1 and the Help menu open the help page of
// one of these. The help pages carry one anchor "ctx<number>" per context.
#pragma once

#include <string>

namespace fretlo {

enum THelpContext {
    hcDefaultTopic = 0,
    hcTrackProperties = 1,
    hcAddTrack = 2,
    hcDeleteTrack = 3,
    hcExportText = 4,
    hcExportMidi = 5,
    hcNew = 6,
    hcOpen = 7,
    hcSave = 8,
    hcSaveAs = 9,
    hcToolbars = 10,
    hcStatusBar = 11,
    hcTempo = 12,
    hcTitle = 13,
    hcBarLines = 14,  // Bar Line, Staff Break, Repeat Open, Repeat Close
    hcMutedString = 15,
    hcEffects = 16,
    hcTrackEffects = 17,
    hcPrint = 18,
    hcPrintPreview = 19,
    hcPageSetup = 20,
    hcUndo = 21,
    hcCut = 22,
    hcCopy = 23,
    hcPaste = 24,
    hcClear = 25,
    hcClearTrackEffects = 26,
    hcShiftNotes = 27,
    hcShiftAllTracks = 28,
    hcMoveNote = 29,
    hcPlay = 30,
    hcPlayAll = 31,
    hcStop = 32,
    hcRewindAfterStop = 33,
    hcIgnoreRepeats = 34,
    hcOptions = 35,
    hcCloseDevice = 36,
    hcMetronome = 37,
    hcPlayNotes = 38,
    hcMoveTracks = 39,
    hcTimeAtCursor = 40,
    hcRecreateBarLines = 41,
    hcShiftBarLines = 42,
    hcGoToBar = 43,
    hcSelectAllTracks = 44,
    hcAddBars = 45,
    hcRemoveUnusedBars = 46,
    hcAltTimeRegion = 47,
    hcSpecificTrackEffect = 48,
    hcDrumKeys = 1000,
    hcKeyboard = 1001,
};

// The help page (a file name in the help folder, with its "#ctxN" anchor) of a context;
// the default topic for a number without a page.
std::string HelpPageOf(int context);

}  // namespace fretlo

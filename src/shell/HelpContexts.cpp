#include "shell/HelpContexts.h"

#include <algorithm>
#include <array>
#include <vector>

namespace fretlo {

namespace {

struct THelpPage {
    const char* File;
    std::vector<int> Contexts;
};

// Which page explains which commands; a context's anchor sits at its command's heading.
const std::array<THelpPage, 9> HelpPages = {{
    {"file.html",
     {hcNew, hcOpen, hcSave, hcSaveAs, hcExportText, hcExportMidi, hcPrint, hcPrintPreview, hcPageSetup}},
    {"edit.html",
     {hcUndo, hcCut, hcCopy, hcPaste, hcClear, hcClearTrackEffects, hcShiftNotes, hcShiftAllTracks,
      hcMoveNote, hcShiftBarLines, hcGoToBar, hcSelectAllTracks}},
    {"view.html", {hcToolbars, hcStatusBar}},
    {"song.html",
     {hcTrackProperties, hcAddTrack, hcDeleteTrack, hcTempo, hcTitle, hcMoveTracks, hcRecreateBarLines,
      hcAddBars, hcRemoveUnusedBars}},
    {"create.html",
     {hcBarLines, hcMutedString, hcEffects, hcTrackEffects, hcAltTimeRegion, hcSpecificTrackEffect}},
    {"play.html",
     {hcPlay, hcPlayAll, hcStop, hcRewindAfterStop, hcIgnoreRepeats, hcCloseDevice, hcMetronome,
      hcPlayNotes}},
    {"tools.html", {hcOptions, hcTimeAtCursor}},
    {"keyboard.html", {hcKeyboard}},
    {"drumkeys.html", {hcDrumKeys}},
}};

}  // namespace

std::string HelpPageOf(int context) {
    for (const THelpPage& page : HelpPages) {
        if (std::ranges::find(page.Contexts, context) != page.Contexts.end())
            return std::string(page.File) + "#ctx" + std::to_string(context);
    }
    return "index.html";
}

}  // namespace fretlo

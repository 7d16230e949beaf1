// The 16 x 16 glyphs of the toolbar buttons and menu items, drawn with QPainter when the
// window is built (sharp at any device pixel ratio), in the order of the actions' image indexes.
#pragma once

#include <QIcon>

namespace fretlo {

enum TToolbarGlyph {
    tgTrackProperties,
    tgNew,
    tgOpen,
    tgSave,
    tgPrint,
    tgPrintPreview,
    tgCut,
    tgCopy,
    tgPaste,
    tgUndo,
    tgClear,
    tgTitle,
    tgPlay,
    tgPlayAll,
    tgStop,
    tgMetronome,
    tgHelpTopics,
    tgRewindAfterStop,
    tgLoopSelection,
};
inline constexpr int ToolbarGlyphCount = tgLoopSelection + 1;

QIcon ToolbarIcon(TToolbarGlyph glyph);
// The program's own icon: a tablature staff with a fret number.
QIcon ApplicationIcon();

}  // namespace fretlo

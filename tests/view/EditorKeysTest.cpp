// The editor widget driven by the keyboard: movement, selection, the key and character maps
// that reach the edits, text lines and the status bar; Copy, Cut, Clear and Paste through the
// real QClipboard.
#include "view/EditorFixture.h"

#include <QClipboard>
#include <QMimeData>
#include <functional>

#include "ParamName.h"
#include "document/TrackProps.h"
#include "edit/Clipboard.h"

using namespace fretlo;
using namespace fretlo::test;

namespace {

// The movement keys: a row sets the song up, puts the cursor on string `string` of space
// `space` of the first track, presses its keys and ends at {track, space, string}.
struct TMove {
    const char* name;
    void (*setup)(TTabDocument&);
    int space, string;
    const char* keys;
    std::array<int, 3> end;
};
FRETLO_PRINT_AS_NAME(TMove)

class EditorMoves : public EditorTest, public testing::WithParamInterface<TMove> {};

TEST_P(EditorMoves, EndWhereTheKeysLead) {
    GetParam().setup(doc);
    view->LayOutVertically();
    view->SetCursorSpace(GetParam().space, 0);
    view->SetCursorString(GetParam().string);
    Press(GetParam().keys);
    EXPECT_EQ(At(), GetParam().end);
}

void Plain(TTabDocument&) {}
void TextLines(TTabDocument& d) { d.Track(0).TopTextLine = d.Track(0).BottomTextLine = true; }
void NoteAt40(TTabDocument& d) { d.Track(0).Space(40).Notes[2] = NoteFretBase + 1; }
void BreakAt3(TTabDocument& d) { d.Bar(3).StaffBreak = true; }
// Spaces of the second track at 0, 170, 341, then 512.
void Triplet(TTabDocument& d) { d.Track(1).SetRatio(0, 3, 2, 3); }

INSTANTIATE_TEST_SUITE_P(
    Keys, EditorMoves,
    testing::Values(TMove{"arrows", Plain, 0, 0, "Right Right Left Up", {0, 1, 1}},
                    TMove{"no text line above the top string", Plain, 0, 4, "Up Up", {0, 0, 5}},
                    TMove{"plain home is not in the map", Plain, 1, 0, "Home", {0, 1, 0}},
                    TMove{"down to the bottom text line", TextLines, 0, 0, "Down", {0, 0, -2}},
                    TMove{"up from the bottom text line", TextLines, 0, -2, "Up", {0, 0, 0}},
                    TMove{"up to the top text line", TextLines, 0, 5, "Up", {0, 0, -1}},
                    TMove{"down from the top text line", TextLines, 0, -1, "Down", {0, 0, 5}},
                    TMove{"ctrl right to the next bar", Plain, 0, 0, "Ctrl+Right", {0, 16, 0}},
                    TMove{"ctrl left to the bar's start", Plain, 17, 0, "Ctrl+Left", {0, 16, 0}},
                    TMove{"ctrl left from a bar's start", Plain, 16, 0, "Ctrl+Left", {0, 0, 0}},
                    TMove{"ctrl end to the last note", NoteAt40, 0, 0, "Ctrl+End", {0, 40, 0}},
                    TMove{"ctrl home", NoteAt40, 40, 0, "Ctrl+Home", {0, 0, 0}},
                    TMove{"to the next staff row", BreakAt3, 0, 0, "Ctrl+Alt+Right", {0, 48, 0}},
                    TMove{"no later staff row", BreakAt3, 48, 0, "Ctrl+Alt+Right", {0, 48, 0}},
                    TMove{"from a row's start", BreakAt3, 48, 0, "Ctrl+Alt+Left", {0, 0, 0}},
                    // From time 256 to the next track's first space at or after it.
                    TMove{"page down keeps the time", Triplet, 1, 0, "PgDown", {1, 2, 0}},
                    TMove{"page down on the last track", Triplet, 1, 0, "PgDown PgDown", {1, 2, 0}},
                    TMove{"page up", Triplet, 1, 0, "PgDown PgUp", {0, 2, 0}}),
    PrintedName());

TEST_F(EditorTest, TypingOnATextLineMovesRightAndBackspaceErases) {
    doc.Track(0).TopTextLine = true;
    view->LayOutVertically();
    view->SetCursorString(-1);
    Type("Am");
    EXPECT_EQ(doc.Track(0).Space(1).TopText, 'm');
    EXPECT_EQ(Cursor().Space, 2);
    EXPECT_FALSE(view->HasSelection());  // the Shift of "A" did not select
    Press("Backspace");
    EXPECT_EQ(Cursor().Space, 1);
    EXPECT_EQ(doc.Track(0).Space(1).TopText, 0);
}

TEST_F(EditorTest, CursorStaysInSightAndScrollsBarWiseWhenAsked) {
    Press("Ctrl+Right", 12);
    const int x = view->SpaceX(0, Cursor().Space);
    EXPECT_GT(view->ScrollOffset(), 0);
    EXPECT_GE(x, view->VisibleLeftEdge());
    EXPECT_LT(x, view->width());
    TEditorOptions o = view->EditorOptions();
    o.ScrollABar = true;
    view->SetEditorOptions(o);
    const int scrolled = view->ScrollOffset();
    while (view->ScrollOffset() == scrolled && Cursor().Space < 1000) Press("Ctrl+Right");
    EXPECT_EQ(view->BarX(doc.BarOfSpace(0, Cursor().Space)), view->VisibleLeftEdge());
}

TEST_F(EditorTest, ShiftRightSelectsFromTheOldSpaceAndAPlainMoveCollapses) {
    std::vector<bool> changes;
    QObject::connect(view, &TTabEditorView::SelectionChanged, [&](bool on) { changes.push_back(on); });
    view->SetCursorSpace(2, 0);
    Press("Shift+Right Shift+Right");
    EXPECT_EQ(Selected(), std::pair(2, 4));
    Press("Shift+PgDown");
    EXPECT_TRUE(view->Selection().AllTracks);
    Press("Shift+Left Shift+Left");
    EXPECT_FALSE(view->HasSelection());  // back at the anchor
    Press("Shift+Right Right");
    EXPECT_FALSE(view->HasSelection());
    EXPECT_EQ(changes, (std::vector<bool>{true, false, true, false}));
}

TEST_F(EditorTest, ShiftCtrlRightSelectsToTheTrackEndPastTheLastSpace) {
    const int last = doc.Track(0).SpaceCount() - 1;
    view->SetCursorSpace(last - 1, 0);
    Press("Ctrl+Shift+Right");
    EXPECT_EQ(Cursor().Space, last);
    EXPECT_EQ(view->Selection().High(), doc.Track(0).TotalTime());
}

// The key and character maps: each key reaches its edit (the edits' own rules are checked
// without a window in tests/edit). A row types `text` on string 0 of space `space`, then
// presses `keys`; typing on a string never moves the cursor.
using D = TTabDocument&;
using V = const TRecordingEditorView&;

struct TCommandKey {
    const char* name;
    int space;
    const char* text;
    const char* keys;
    std::function<bool(D, V)> done;
};
FRETLO_PRINT_AS_NAME(TCommandKey)
using C = TCommandKey;

class EditorCommandKeys : public EditorTest, public testing::WithParamInterface<TCommandKey> {};

TEST_P(EditorCommandKeys, ReachTheirEdit) {
    view->answer = "3";  // to the repeat count prompt
    view->SetCursorSpace(GetParam().space, 0);
    Type(GetParam().text);
    Press(GetParam().keys);
    EXPECT_TRUE(GetParam().done(doc, *view));
}

uint8_t Note0(D d) { return d.Track(0).Space(0).Notes[0]; }
const TSpace& Space0(D d) { return d.Track(0).Space(0); }

INSTANTIATE_TEST_SUITE_P(
    Keys, EditorCommandKeys,
    testing::Values(
        C{"TwoDigitsMakeOneFret", 0, "12", "",
          [](D d, V v) { return Note0(d) == NoteFretBase + 12 && v.Cursor().Space == 0; }},
        C{"XMutes", 0, "5x", "", [](D d, V) { return Note0(d) == NoteMuted; }},
        C{"StarStops", 0, "*", "", [](D d, V) { return Note0(d) == NoteStop; }},
        C{"SpaceClears", 0, "3 ", "", [](D d, V) { return Note0(d) == NoteEmpty; }},
        C{"EffectLetter", 0, "5h", "", [](D d, V) { return Space0(d).Effects[0] == 'h'; }},
        C{"BarLineKeySplitsTheBar", 4, "|", "", [](D d, V) { return d.BarCount() == 129; }},
        C{"CtrlRMakesARepeatClose", 0, "", "Ctrl+R",
          [](D d, V) { return d.Bar(0).RepeatEnd && d.Bar(0).RepeatCount == 3; }},
        C{"CtrlDAndCtrlUSetTheStroke", 0, "", "Ctrl+D Ctrl+U",
          [](D d, V) { return !FindProp(Space0(d), pkStrokeDown) && FindProp(Space0(d), pkStrokeUp); }},
        C{"CtrlBackspaceClearsTheTrackEffects", 0, "", "Ctrl+D Ctrl+Backspace",
          [](D d, V) { return Space0(d).Props == nullptr; }},
        C{"CtrlKAndCtrlEMarkTheBar", 20, "", "Ctrl+K Ctrl+E",
          [](D d, V) { return d.Bar(1).StaffBreak && d.Bar(1).RepeatStart; }},
        C{"CtrlUpMovesTheNoteToTheNextString", 0, "5", "Ctrl+Up",
          [](D d, V) { return Space0(d).Notes[1] == NoteFretBase; }},
        C{"InsertShiftsTheCursorTrack", 0, "7", "Ins",
          [](D d, V) { return d.Track(0).Space(1).Notes[0] == NoteFretBase + 7; }},
        C{"DeleteShiftsItBack", 0, "7", "Ins Del", [](D d, V) { return Note0(d) == NoteFretBase + 7; }}),
    PrintedName());

TEST_F(EditorTest, TrackEffectsKeyCallsTheHookOnStringsOnly) {
    std::vector<bool> calls;
    view->OnTrackEffects = [&](bool repeatPrevious) { calls.push_back(repeatPrevious); };
    view->SetCursorSpace(3, 0);
    Press("F Shift+F Ctrl+F Alt+F");
    EXPECT_EQ(calls, (std::vector<bool>{false, true}));
}

TEST_F(EditorTest, StatusBarShowsTrackBarRatioNoteAndTitle) {
    doc.Title = "Song";
    doc.Transcriber = "Me";
    doc.Track(1).SetRatio(16, 3, 2, 3);
    view->SetCursorTrack(1);
    view->SetCursorSpace(17, csTrackChanged);
    Type("8");  // E string + 8 = key 48
    EXPECT_EQ(view->StatusTexts(),
              (TStatusTexts{" Track: 2", " Bar: 2", "3 : 2", "C", "C", "4", " Song / Me", ""}));
    Type("6");  // 86 is above 24: fret 6, key 46
    EXPECT_EQ(view->StatusTexts()[3], "Bb");
    EXPECT_EQ(view->StatusTexts()[4], "A#");
    Type("-");
    EXPECT_EQ(view->StatusTexts()[3], "");
}

class EditorClipboard : public EditorTest {
protected:
    // Selects spaces [first, last] of the cursor track with Shift+Right, as a user does.
    void SelectSpaces(int first, int last) {
        view->SetCursorSpace(first, 0);
        Press("Shift+Right", last - first + 1);
    }
    QByteArray ClipboardData() {
        const QMimeData* data = QGuiApplication::clipboard()->mimeData();
        return data ? data->data(ClipboardMimeType) : QByteArray();
    }
};

TEST_F(EditorClipboard, CopyPutsTheBlockOnTheSystemClipboardAndPasteReadsItBack) {
    Note(0, 2, 1) = NoteFretBase + 3;
    Note(0, 3, 4) = NoteMuted;
    SelectSpaces(2, 3);
    view->Copy();
    const QByteArray bytes = ClipboardData();
    const auto block = DecodeClipBlock(std::vector<uint8_t>(bytes.begin(), bytes.end()));
    ASSERT_TRUE(block);
    EXPECT_EQ(block->Length, 2 * UnitsPerSpace);
    view->SetCursorSpace(40, 0);
    view->Paste();
    EXPECT_EQ(Note(0, 40, 1), NoteFretBase + 3);
    EXPECT_EQ(Note(0, 41, 4), NoteMuted);
}

TEST_F(EditorClipboard, CutEmptiesTheSelectionAndClearWithoutOneClearsTheCell) {
    Note(0, 8, 0) = NoteFretBase + 4;
    SelectSpaces(8, 9);
    view->Cut();
    EXPECT_EQ(Note(0, 8, 0), NoteEmpty);
    EXPECT_FALSE(ClipboardData().isEmpty());
    Press("Right");
    Type("6");
    view->Clear();
    EXPECT_EQ(Note(0, Cursor().Space, 0), NoteEmpty);
}

TEST_F(EditorClipboard, PasteOfForeignClipboardContentChangesNothing) {
    QGuiApplication::clipboard()->setText("just text");
    view->Paste();
    EXPECT_TRUE(view->messages.empty());
    EXPECT_TRUE(doc.Journal().Empty());

    auto* damaged = new QMimeData;
    damaged->setData(ClipboardMimeType, QByteArray("\0\0\0\0\x18\0\0\0", 8));
    QGuiApplication::clipboard()->setMimeData(damaged);
    view->Paste();
    EXPECT_EQ(view->messages.size(), 1u);  // its text is checked in tests/edit
    EXPECT_TRUE(doc.Journal().Empty());
}

}  // namespace

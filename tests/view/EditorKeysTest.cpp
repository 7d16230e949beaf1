// The editor widget driven by the keyboard: note entry, movement, selection, bar signs,
// the status bar and the Undo caption.
#include "view/EditorFixture.h"

#include <functional>

#include "ParamName.h"
#include "document/TrackProps.h"

using namespace fretlo;
using namespace fretlo::test;

namespace {

struct TTyping {
    const char* keys;
    int highest;
    uint8_t note;  // on string 0 of the cursor space
};

void PrintTo(const TTyping& t, std::ostream* os) { *os << "'" << t.keys << "' up to " << t.highest; }

class EditorTyping : public EditorTest, public testing::WithParamInterface<TTyping> {};

TEST_P(EditorTyping, StoresTheNoteOnTheCursorString) {
    doc.Track(0).HighestNumber = GetParam().highest;
    Type(GetParam().keys);
    EXPECT_EQ(Note(0, 0, 0), GetParam().note);
    EXPECT_EQ(Cursor().Space, 0);  // typing on a string never advances
}

INSTANTIATE_TEST_SUITE_P(Keys, EditorTyping,
                         testing::Values(TTyping{"12", 24, NoteFretBase + 12}, TTyping{"5x", 24, NoteMuted},
                                         TTyping{"*", 24, NoteStop}, TTyping{"3 ", 24, NoteEmpty},
                                         TTyping{"3-", 24, NoteEmpty}, TTyping{"Q", 24, NoteEmpty}),
                         NumberedName());

TEST_F(EditorTest, ArrowsMoveAlongSpacesAndStrings) {
    Key(Qt::Key_Right);
    Key(Qt::Key_Right);
    Key(Qt::Key_Left);
    Key(Qt::Key_Up);
    EXPECT_EQ(Cursor().Space, 1);
    EXPECT_EQ(Cursor().String, 1);
    for (int i = 0; i < 8; ++i) Key(Qt::Key_Up);
    EXPECT_EQ(Cursor().String, 5);  // no top text line: the top string stays
    Key(Qt::Key_Home);              // plain Home is not in the map
    EXPECT_EQ(Cursor().Space, 1);
}

TEST_F(EditorTest, TextLinesAreReachedOnlyWhenTheTrackHasThem) {
    doc.Track(0).TopTextLine = true;
    doc.Track(0).BottomTextLine = true;
    view->LayOutVertically();
    Key(Qt::Key_Down);
    EXPECT_EQ(Cursor().String, -2);
    Key(Qt::Key_Up);
    EXPECT_EQ(Cursor().String, 0);
    view->SetCursorString(5);
    Key(Qt::Key_Up);
    EXPECT_EQ(Cursor().String, -1);
    Key(Qt::Key_Down);
    EXPECT_EQ(Cursor().String, 5);
}

TEST_F(EditorTest, TypingOnATextLineMovesRightAndBackspaceErases) {
    doc.Track(0).TopTextLine = true;
    view->LayOutVertically();
    view->SetCursorString(-1);
    Type("Am");
    EXPECT_EQ(doc.Track(0).Space(0).TopText, 'A');
    EXPECT_EQ(doc.Track(0).Space(1).TopText, 'm');
    EXPECT_EQ(Cursor().Space, 2);
    EXPECT_FALSE(view->HasSelection());  // the Shift of "A" did not select
    Key(Qt::Key_Backspace);
    EXPECT_EQ(Cursor().Space, 1);
    EXPECT_EQ(doc.Track(0).Space(1).TopText, 0);
}

TEST_F(EditorTest, CtrlArrowsJumpBarsAndCtrlEndFindsTheLastNote) {
    Key(Qt::Key_Right, Qt::ControlModifier);
    EXPECT_EQ(Cursor().Space, 16);
    Key(Qt::Key_Right);
    Key(Qt::Key_Left, Qt::ControlModifier);
    EXPECT_EQ(Cursor().Space, 16);
    Key(Qt::Key_Left, Qt::ControlModifier);
    EXPECT_EQ(Cursor().Space, 0);
    Note(0, 40, 2) = NoteFretBase + 1;
    Key(Qt::Key_End, Qt::ControlModifier);
    EXPECT_EQ(Cursor().Space, 40);
    Key(Qt::Key_Home, Qt::ControlModifier);
    EXPECT_EQ(Cursor().Space, 0);
}

TEST_F(EditorTest, CtrlAltArrowsJumpStaffRows) {
    doc.Bar(3).StaffBreak = true;
    Key(Qt::Key_Right, Qt::ControlModifier | Qt::AltModifier);
    EXPECT_EQ(Cursor().Space, 48);
    Key(Qt::Key_Right, Qt::ControlModifier | Qt::AltModifier);
    EXPECT_EQ(Cursor().Space, 48);  // no later staff break
    Key(Qt::Key_Right);
    Key(Qt::Key_Left, Qt::ControlModifier | Qt::AltModifier);
    EXPECT_EQ(Cursor().Space, 48);
    Key(Qt::Key_Left, Qt::ControlModifier | Qt::AltModifier);
    EXPECT_EQ(Cursor().Space, 0);
}

TEST_F(EditorTest, CursorStaysInSightAndScrollsBarWiseWhenAsked) {
    for (int i = 0; i < 12; ++i) Key(Qt::Key_Right, Qt::ControlModifier);
    const int x = view->SpaceX(0, Cursor().Space);
    EXPECT_GT(view->ScrollOffset(), 0);
    EXPECT_GE(x, view->VisibleLeftEdge());
    EXPECT_LT(x, view->width());
    TEditorOptions o = view->EditorOptions();
    o.ScrollABar = true;
    view->SetEditorOptions(o);
    const int scrolled = view->ScrollOffset();
    while (view->ScrollOffset() == scrolled && Cursor().Space < 1000) Key(Qt::Key_Right, Qt::ControlModifier);
    EXPECT_EQ(view->BarX(doc.BarOfSpace(0, Cursor().Space)), view->VisibleLeftEdge());
}

TEST_F(EditorTest, PageDownKeepsTheTimeOnATrackWhoseSpacesDiffer) {
    doc.Track(1).SetRatio(0, 3, 2, 3);  // a triplet: spaces at 0, 170, 341, then 512
    view->SetCursorSpace(1, 0);         // time 256
    Key(Qt::Key_PageDown);
    EXPECT_EQ(Cursor().Track, 1);
    EXPECT_EQ(Cursor().Space, 2);  // the first space starting after 256
    Key(Qt::Key_PageDown);
    EXPECT_EQ(Cursor().Track, 1);  // no third track
    Key(Qt::Key_PageUp);
    EXPECT_EQ(Cursor().Track, 0);
}

TEST_F(EditorTest, ShiftRightSelectsFromTheOldSpaceAndAPlainMoveCollapses) {
    std::vector<bool> changes;
    QObject::connect(view, &TTabEditorView::SelectionChanged, [&](bool on) { changes.push_back(on); });
    view->SetCursorSpace(2, 0);
    Key(Qt::Key_Right, Qt::ShiftModifier);
    Key(Qt::Key_Right, Qt::ShiftModifier);
    TSelection s = view->Selection();
    EXPECT_TRUE(s.Active);
    EXPECT_EQ(s.Low(), 2 * UnitsPerSpace);
    EXPECT_EQ(s.High(), 4 * UnitsPerSpace);
    Key(Qt::Key_PageDown, Qt::ShiftModifier);
    EXPECT_TRUE(view->Selection().AllTracks);
    Key(Qt::Key_Left, Qt::ShiftModifier);
    Key(Qt::Key_Left, Qt::ShiftModifier);
    EXPECT_FALSE(view->HasSelection());  // back at the anchor
    Key(Qt::Key_Right, Qt::ShiftModifier);
    Key(Qt::Key_Right);
    EXPECT_FALSE(view->HasSelection());
    EXPECT_EQ(changes, (std::vector<bool>{true, false, true, false}));
}

TEST_F(EditorTest, ShiftCtrlRightSelectsToTheTrackEndPastTheLastSpace) {
    const int last = doc.Track(0).SpaceCount() - 1;
    view->SetCursorSpace(last - 1, 0);
    Key(Qt::Key_Right, Qt::ShiftModifier | Qt::ControlModifier);
    EXPECT_EQ(Cursor().Space, last);
    EXPECT_EQ(view->Selection().High(), doc.Track(0).TotalTime());
}

// The key map: each command key reaches its edit (the edits' own rules are checked without a
// window in tests/edit). A row types `text` on string 0 of space `space`, then presses `keys`.
struct TCommandKey {
    const char* name;
    int space;
    const char* text;
    std::vector<std::pair<Qt::Key, Qt::KeyboardModifiers>> keys;
    std::function<bool(TTabDocument&, const TRecordingEditorView&)> done;
    const char* answer = "3";  // to the repeat count prompt
};

void PrintTo(const TCommandKey& k, std::ostream* os) { *os << k.name; }

class EditorCommandKeys : public EditorTest, public testing::WithParamInterface<TCommandKey> {};

TEST_P(EditorCommandKeys, ReachTheirEdit) {
    view->answer = GetParam().answer;
    view->SetCursorSpace(GetParam().space, 0);
    Type(GetParam().text);
    for (auto [key, mods] : GetParam().keys) Key(key, mods);
    EXPECT_TRUE(GetParam().done(doc, *view));
}

constexpr Qt::KeyboardModifiers Ctrl = Qt::ControlModifier;
const TSpace& Space0(TTabDocument& d) { return d.Track(0).Space(0); }

INSTANTIATE_TEST_SUITE_P(
    Keys, EditorCommandKeys,
    testing::Values(
        TCommandKey{"EffectLetterIsStoredLowerCase", 0, "5h", {},
                    [](TTabDocument& d, auto&) { return Space0(d).Effects[0] == 'h'; }},
        TCommandKey{"SpaceTakesTheEffectFirst", 0, "5/ ", {},
                    [](TTabDocument& d, auto&) {
                        return Space0(d).Effects[0] == 0 && Space0(d).Notes[0] == NoteFretBase + 5;
                    }},
        TCommandKey{"BarLineKeySplitsTheBar", 4, "|", {},
                    [](TTabDocument& d, auto&) { return d.BarCount() == 129; }},
        TCommandKey{"BarLineAtTheSongStartDoesNothing", 0, "|", {},
                    [](TTabDocument& d, auto& v) { return d.BarCount() == 128 && v.messages.empty(); }},
        TCommandKey{"CtrlRAsksForTheRepeatCount", 0, "", {{Qt::Key_R, Ctrl}},
                    [](TTabDocument& d, auto& v) {
                        return v.prompts == std::vector<std::string>{"Number of times to repeat:"} &&
                               d.Bar(0).RepeatEnd && d.Bar(0).RepeatCount == 3;
                    }},
        TCommandKey{"CtrlRRefusesACountAbove255", 0, "", {{Qt::Key_R, Ctrl}},
                    [](TTabDocument& d, auto& v) {
                        return v.messages == std::vector<std::string>{
                                                 "Number of times to repeat must be between 1 and 255."} &&
                               !d.Bar(0).RepeatEnd;
                    },
                    "300"},
        TCommandKey{"CtrlDAndCtrlUSetTheStroke", 0, "", {{Qt::Key_D, Ctrl}, {Qt::Key_U, Ctrl}},
                    [](TTabDocument& d, auto&) {
                        return !FindProp(Space0(d), pkStrokeDown) && FindProp(Space0(d), pkStrokeUp);
                    }},
        TCommandKey{"CtrlBackspaceClearsTheTrackEffects", 0, "", {{Qt::Key_D, Ctrl}, {Qt::Key_Backspace, Ctrl}},
                    [](TTabDocument& d, auto&) { return Space0(d).Props == nullptr; }},
        TCommandKey{"CtrlKAndCtrlEMarkTheBar", 20, "", {{Qt::Key_K, Ctrl}, {Qt::Key_E, Ctrl}},
                    [](TTabDocument& d, auto&) { return d.Bar(1).StaffBreak && d.Bar(1).RepeatStart; }},
        TCommandKey{"CtrlUpMovesTheNoteToTheNextString", 0, "5", {{Qt::Key_Up, Ctrl}},
                    [](TTabDocument& d, auto&) {
                        return Space0(d).Notes[1] == NoteFretBase && Space0(d).Notes[0] == NoteEmpty;
                    }},
        TCommandKey{"CtrlUpThatCannotMoveBeeps", 0, "5", {{Qt::Key_Up, Ctrl}, {Qt::Key_Down, {}}, {Qt::Key_3, {}}, {Qt::Key_Up, Ctrl}},
                    [](TTabDocument&, auto& v) { return v.beeps == 1; }},
        TCommandKey{"InsertShiftsTheCursorTrack", 0, "7", {{Qt::Key_Insert, {}}},
                    [](TTabDocument& d, auto&) { return d.Track(0).Space(1).Notes[0] == NoteFretBase + 7; }},
        TCommandKey{"DeleteShiftsItBack", 0, "7", {{Qt::Key_Insert, {}}, {Qt::Key_Delete, {}}},
                    [](TTabDocument& d, auto&) { return Space0(d).Notes[0] == NoteFretBase + 7; }}),
    PrintedName());

TEST_F(EditorTest, TrackEffectsKeyCallsTheHookOnStringsOnly) {
    std::vector<bool> calls;
    view->OnTrackEffects = [&](bool repeatPrevious) { calls.push_back(repeatPrevious); };
    view->SetCursorSpace(3, 0);
    Key(Qt::Key_F);
    Key(Qt::Key_F, Qt::ShiftModifier);
    Key(Qt::Key_F, Qt::ControlModifier);
    Key(Qt::Key_F, Qt::AltModifier);
    EXPECT_EQ(calls, (std::vector<bool>{false, true}));
}

TEST_F(EditorTest, StatusBarShowsTrackBarRatioNoteAndTitle) {
    doc.Title = "Song";
    doc.Transcriber = "Me";
    doc.Track(1).SetRatio(16, 3, 2, 3);
    view->SetCursorTrack(1);
    view->SetCursorSpace(17, csTrackChanged);
    Type("8");  // E string + 8 = key 48
    const TStatusTexts s = view->StatusTexts();
    EXPECT_EQ(s[0], " Track: 2");
    EXPECT_EQ(s[1], " Bar: 2");
    EXPECT_EQ(s[2], "3 : 2");
    EXPECT_EQ(s[3], "C");
    EXPECT_EQ(s[5], "4");
    EXPECT_EQ(s[6], " Song / Me");
    Type("6");  // 86 is above 24: fret 6, key 46
    EXPECT_EQ(view->StatusTexts()[3], "Bb");
    EXPECT_EQ(view->StatusTexts()[4], "A#");
    Type("-");
    EXPECT_EQ(view->StatusTexts()[3], "");
}

TEST_F(EditorTest, UndoCaptionFollowsTheJournal) {
    std::vector<std::string> captions;
    doc.OnUndoChanged = [&](const TUndoCaption& c) { captions.push_back(c.Text); };
    Type("1");
    Type("2");  // the same space: one step
    EXPECT_EQ(doc.UndoCaptionNow().Text, "&Undo Changes to Space");
    view->Undo();
    EXPECT_EQ(Note(0, 0, 0), NoteEmpty);
    EXPECT_FALSE(doc.Modified);
    EXPECT_EQ(doc.UndoCaptionNow().Text, "Can't &Undo");
    ASSERT_FALSE(captions.empty());
    EXPECT_EQ(captions.back(), "Can't &Undo");
}

}  // namespace

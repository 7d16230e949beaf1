// The Song and Edit menus on the real window: adding tracks up to the limit, deleting and moving
// tracks with the cursor following its track, Tempo, Go to Bar, the bar commands with the
// dialogs and questions in front of them, and Title & Comments, which keeps the song's texts as
// the file holds them: 8-bit texts of older files and their CR LF line ends survive OK, edited
// texts are stored as UTF-8, and a text the file could not hold is refused in the dialog.
#include <QComboBox>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QStatusBar>

#include "ParamName.h"
#include "shell/MoveTracksDialog.h"
#include "shell/OddTimeDialog.h"
#include "shell/RemoveOddTimeDialog.h"
#include "shell/ShellTestSupport.h"
#include "shell/TitleDialog.h"
#include "shell/TrackPropertiesDialog.h"

namespace fretlo::test {
namespace {

class TrackCommands : public MainFormTest {
protected:
    // Three tracks, each marked by its own fret in space 0 so it can be recognised after a move.
    void SetUp() override {
        MainFormTest::SetUp();
        AddTrack();
        AddTrack();
        ASSERT_EQ(Doc().TrackCount(), 3);
        for (int t = 0; t < 3; ++t) Doc().Track(t).Space(0).Notes[0] = NoteFretBase + t + 1;
    }
    // Add Track with its dialog accepted as it opens.
    void AddTrack() {
        AcceptDialog<TTrackPropertiesForm>();
        Form().SAddTrackClick();
    }
    int Mark(int track) const { return form_->Document().Track(track).Space(0).Notes[0] - NoteFretBase; }
    QString Refusal(void (TMainForm::*command)()) {
        QString text;
        AnswerMessage(QMessageBox::Ok, &text);
        (Form().*command)();
        return text;
    }
};

TEST_F(TrackCommands, AddTrackStopsAtFifteenWithoutChangingTheSong) {
    while (Doc().TrackCount() < MaxTracks) AddTrack();
    EXPECT_EQ(Doc().Track(14).SpaceCount(), Doc().SongLength() / UnitsPerSpace);
    EXPECT_EQ(Refusal(&TMainForm::SAddTrackClick), "You cannot have more than 15 tracks.");
    EXPECT_EQ(Doc().TrackCount(), MaxTracks);
}

// The cursor stays at its time on the track that takes its place.
TEST_F(TrackCommands, DeleteTrackAsksAndTheCursorKeepsItsTime) {
    Doc().Track(1).SetRatio(0, 3, 2, 3);  // track 1's spaces no longer line up with track 2's
    MoveCursor(2, 5);
    QString question;
    AnswerMessage(QMessageBox::No, &question);
    Form().SDeleteTrackClick();
    EXPECT_EQ(question, "Are you sure you want to delete track 3?");
    EXPECT_EQ(Doc().TrackCount(), 3);

    AnswerMessage(QMessageBox::Yes);
    Form().SDeleteTrackClick();
    ASSERT_EQ(Doc().TrackCount(), 2);
    EXPECT_EQ(Mark(1), 2);
    EXPECT_EQ(View().Cursor().Track, 1);
    EXPECT_EQ(View().Cursor().Space, 6);  // the space of track 1 at time 5 * UnitsPerSpace
    EXPECT_TRUE(Doc().Modified);

    AnswerMessage(QMessageBox::Yes);
    Form().SDeleteTrackClick();
    EXPECT_EQ(Refusal(&TMainForm::SDeleteTrackClick), "Cannot delete the only remaining track.");
    EXPECT_EQ(Refusal(&TMainForm::SMoveTracksClick), "You need at least two tracks in order to move tracks.");
}

TEST_F(TrackCommands, MoveTracksStartsOnTheCursorTrackAndTheCursorFollowsItsTrack) {
    MoveCursor(2, 7);
    AcceptDialog<TMoveTracksForm>([](TMoveTracksForm& d) {
        for (int i = 0; i < 3; ++i) d.MoveSelected(-1);  // the third: already first
        EXPECT_FALSE(Captioned<QPushButton>(&d, "Move &Up")->isEnabled());
        EXPECT_TRUE(Captioned<QPushButton>(&d, "Move &Down")->isEnabled());
    });
    Form().SMoveTracksClick();
    EXPECT_EQ(std::tuple(Mark(0), Mark(1), Mark(2)), std::tuple(3, 1, 2));
    EXPECT_EQ(View().Cursor().Track, 0);
    EXPECT_EQ(View().Cursor().Space, 7);
}

using SongCommands = MainFormTest;

TEST_F(SongCommands, TempoRefusesOutOfRangeValuesAndStoresAValidOne) {
    QString refusal;
    OnNextModal([&](QWidget* modal) {
        auto* edit = modal->findChild<QLineEdit*>();
        EXPECT_EQ(edit->text(), "120");
        edit->setText("29");
        refusal = RefusedOk(*modal);
        edit->setText("96");
        ClickOk(*modal);
    });
    Form().STempoClick();
    EXPECT_EQ(refusal, "Tempo must be between 30 and 500.");
    EXPECT_EQ(Doc().Tempo, 96);
}

struct TGoToCase {
    const char* Text;
    int Bar;  // 0-based bar the cursor lands in, -1 for the refusal
};

void PrintTo(const TGoToCase& c, std::ostream* os) { *os << "'" << c.Text << "'"; }

class GoToBar : public MainFormTest, public testing::WithParamInterface<TGoToCase> {};

TEST_P(GoToBar, MovesToTheBarOrRefusesNumbersBelowOne) {
    MoveCursor(0, 40);
    QString refusal;
    OnNextModal([&](QWidget* modal) {
        auto& input = *qobject_cast<QInputDialog*>(modal);
        EXPECT_EQ(input.textValue(), "3");  // the cursor's bar
        if (GetParam().Bar < 0) AnswerMessage(QMessageBox::Ok, &refusal);
        input.setTextValue(GetParam().Text);
        input.accept();
    });
    Form().EGotoClick();
    EXPECT_EQ(refusal, GetParam().Bar < 0 ? "Bar number must be at least 1." : "");
    EXPECT_EQ(View().Cursor().Space, GetParam().Bar < 0 ? 40 : GetParam().Bar * 16);
}

INSTANTIATE_TEST_SUITE_P(Numbers, GoToBar,
                         // The number rules themselves are checked in MainFormRulesTest.
                         testing::Values(TGoToCase{" 5 ", 4}, TGoToCase{"999", 127}, TGoToCase{"0", -1}),
                         PrintedName());

// --- The bar commands ---------------------------------------------------------------------

using BarCommands = MainFormTest;

// Runs `answer` on the next message box, passing over the dialog that is still closing.
void OnNextMessageBox(std::function<void(QMessageBox&)> answer) {
    OnNextModal([answer = std::move(answer)](QWidget* modal) {
        if (auto* box = qobject_cast<QMessageBox*>(modal)) return answer(*box);
        OnNextMessageBox(answer);
    });
}

// The bar-line dialog, its speed warning and the question in front of the command; No keeps
// the song, Yes makes one bar from the cursor's bar to the end.
TEST_F(BarCommands, RecreateBarLinesWithNoneAsksAndMakesOneBarFromTheCursorsBar) {
    MoveCursor(0, 2 * 16 + 5);
    for (const auto answer : {QMessageBox::No, QMessageBox::Yes}) {
        QString slowerQuestion, question;
        bool noIsDefault = false;
        OnNextModal([&, answer](QWidget* dialog) {
            dialog->findChildren<QRadioButton*>().at(0)->setChecked(true);  // "&None"
            OnNextMessageBox([&, answer](QMessageBox& slower) {
                slowerQuestion = slower.text();
                slower.button(QMessageBox::Yes)->click();
                OnNextMessageBox([&, answer](QMessageBox& box) {
                    question = box.text();
                    noIsDefault = box.defaultButton() == box.button(QMessageBox::No);
                    box.button(answer)->click();
                });
            });
            ClickOk(*dialog);
        });
        Action("&Recreate Bar Lines...")->trigger();
        EXPECT_EQ(slowerQuestion,
                  "Not having bar lines may result in decreased performance. Continue anyway?");
        EXPECT_EQ(question,
                  "Are you sure you want to recreate the bar lines, starting at the cursor position?");
        EXPECT_TRUE(noIsDefault);
        EXPECT_EQ(Doc().BarCount(), answer == QMessageBox::No ? 128 : 3);
        EXPECT_EQ(Doc().Modified, answer == QMessageBox::Yes);
    }
    EXPECT_EQ(Doc().Bar(2).Start, 2 * 16 * UnitsPerSpace);
}

// Each refusal keeps the dialog open with the count focused; the space rule is checked
// against the song before the dialog closes.
TEST_F(BarCommands, AddBarsRefusesItsFieldsAndTheSpaceLimitThenAddsAtTheEnd) {
    QStringList refusals;
    bool stayedOpen = true, focused = true;
    OnNextModal([&](QWidget* dialog) {
        const auto edits = dialog->findChildren<QLineEdit*>();
        QLineEdit* count = edits.at(0);
        for (const char* bars : {"0", "10001", "10000"}) {  // the last: 10000 bars of 64 spaces
            count->setText(bars);
            edits.at(1)->setText("16");
            bool open = false;
            refusals << RefusedOk(*dialog, &open);
            stayedOpen &= open;
            focused &= dialog->focusWidget() == count;
        }
        count->setText(" 2 ");
        edits.at(1)->setText("4");
        dialog->findChild<QComboBox*>()->setCurrentText("1/2");
        ClickOk(*dialog);
    });
    const int32_t oldEnd = Doc().SongLength();
    Action("Add &Bars...")->trigger();
    const QString range = "Number of bars must be between 1 and 10000.";
    ASSERT_EQ(refusals.size(), 3);
    EXPECT_EQ(refusals[0], range);
    EXPECT_EQ(refusals[1], range);
    EXPECT_TRUE(refusals[2].startsWith("The figures entered would cause")) << refusals[2].toStdString();
    EXPECT_TRUE(stayedOpen);
    EXPECT_TRUE(focused);
    EXPECT_EQ(Doc().BarCount(), 130);
    EXPECT_EQ(Doc().SongLength(), oldEnd + 2 * 18 * UnitsPerSpace);
}

TEST_F(BarCommands, RemoveUnusedBarsAsksBeforeCutting) {
    MoveCursor(0, 5 * 16 + 2);
    QString text;
    AnswerMessage(QMessageBox::Yes, &text);
    Action("Remo&ve Unused Bars")->trigger();
    EXPECT_TRUE(text.startsWith("This command will eliminate")) << text.toStdString();
    EXPECT_EQ(Doc().BarCount(), 6);
}

// Two spaces selected: 6 : 4 on the custom edits is reduced to a triplet of three spaces the
// status bar names; removing it shows what goes first.
TEST_F(BarCommands, AlternateTimeRegionIsCreatedAndRemovedThroughItsDialogs) {
    MoveCursor(0, 4);
    View().SelectTimes(4 * UnitsPerSpace, 6 * UnitsPerSpace);
    QString selectionText, question;
    bool editsDisabledAtFirst = false;
    AcceptDialog<TOddTimeForm>([&](TOddTimeForm& dialog) {
        for (auto* label : dialog.findChildren<QLabel*>())
            if (label->text().contains("selected")) selectionText = label->text();
        const auto edits = dialog.findChildren<QLineEdit*>();
        editsDisabledAtFirst = !edits.at(0)->isEnabled();
        dialog.findChildren<QRadioButton*>().at(2)->click();  // "&Custom ratio:"
        edits.at(0)->setText("6");
        edits.at(1)->setText("4");
        AnswerMessage(QMessageBox::Ok, &question);
    });
    Action("&Alternate-Time Region...")->trigger();
    EXPECT_EQ(selectionText, "2 spaces are selected.");
    EXPECT_TRUE(editsDisabledAtFirst);
    EXPECT_EQ(question, "The ratio you entered will be reduced to 3 : 2.");
    EXPECT_EQ(Doc().Track(0).Space(6).RatioDen, 3);
    EXPECT_EQ(View().StatusTexts()[2], "3 : 2");

    TSelection preview;
    AcceptDialog<TRemoveOddTimeForm>([&](TRemoveOddTimeForm&) { preview = View().Selection(); });
    MoveCursor(0, 5);
    Action("&Alternate-Time Region...")->trigger();
    EXPECT_EQ(preview.Low(), 4 * UnitsPerSpace);
    EXPECT_EQ(preview.High(), 6 * UnitsPerSpace);
    EXPECT_EQ(Doc().Track(0).Space(4).RatioDen, 1);
}

// --- Title & Comments ---------------------------------------------------------------------

// Windows-1252: e acute, the euro sign, curly quotes and a no-break space (0xA0); not UTF-8.
const std::string Cafe1252 = "Caf\xE9";
const std::string Quote1252 = "\x93\x80 5\x94";

struct TTitleCase {
    const char* name;
    TSongTexts stored;
    std::function<void(TTitleForm&)> edit;
    TSongTexts expected;
};
FRETLO_PRINT_AS_NAME(TTitleCase)

QList<QLineEdit*> Lines(QWidget& d) { return d.findChildren<QLineEdit*>(); }
QPlainTextEdit& Comments(QWidget& d) { return *d.findChild<QPlainTextEdit*>(); }

// The five texts in a form that compares and prints.
std::vector<std::string> Fields(const TSongTexts& t) {
    return {t.Title, t.Artist, t.Album, t.Transcriber, t.Comments};
}

class TitleDialog : public MainFormTest, public testing::WithParamInterface<TTitleCase> {
protected:
    void SetTexts(const TSongTexts& t) {
        std::tie(Doc().Title, Doc().Artist, Doc().Album, Doc().Transcriber, Doc().Comments) =
            std::tie(t.Title, t.Artist, t.Album, t.Transcriber, t.Comments);
    }
    std::vector<std::string> Stored() {
        return {Doc().Title, Doc().Artist, Doc().Album, Doc().Transcriber, Doc().Comments};
    }
};

TEST_P(TitleDialog, OkStoresExactlyTheEditedTexts) {
    SetTexts(GetParam().stored);
    AcceptDialog<TTitleForm>(GetParam().edit);
    Form().actSongTitleExecute();
    EXPECT_EQ(Stored(), Fields(GetParam().expected));
}

const TTitleCase TitleCases[] = {
    {"UneditedWindows1252",
     {Cafe1252, Quote1252, "\xC0 la carte", "Ren\xE9",
      "line\xA0"
      "1\r\nd\xE9j\xE0 vu\r\n"},
     {},
     {Cafe1252, Quote1252, "\xC0 la carte", "Ren\xE9",
      "line\xA0"
      "1\r\nd\xE9j\xE0 vu\r\n"}},
    {"UneditedUtf8WithLoneCarriageReturn",
     {"Café", "Beyoncé", "€", "", "one\rtwo\r\nthree\n"},
     {},
     {"Café", "Beyoncé", "€", "", "one\rtwo\r\nthree\n"}},
    {"EditedFieldBecomesUtf8OthersKeepTheirBytes",
     {Cafe1252, Quote1252, "", "", "a\r\nb"},
     [](TTitleForm& d) { Lines(d).at(1)->setText(Lines(d).at(1)->text() + "!"); },
     {Cafe1252, "“€ 5”!", "", "", "a\r\nb"}},
    {"EditedCommentsKeepCrLf",
     {"", "", "", "", "d\xE9j\xE0\r\nvu"},
     [](TTitleForm& d) { Comments(d).appendPlainText("encore"); },
     {"", "", "", "", "déjà\r\nvu\r\nencore"}},
    {"EditedCommentsKeepLineFeeds",
     {"", "", "", "", "a\nb"},
     [](TTitleForm& d) { Comments(d).appendPlainText("c"); },
     {"", "", "", "", "a\nb\nc"}},
    {"NewCommentsGetCrLf",
     {"", "", "", "", ""},
     [](TTitleForm& d) { Comments(d).setPlainText("first\nsecond"); },
     {"", "", "", "", "first\r\nsecond"}},
};

INSTANTIATE_TEST_SUITE_P(Texts, TitleDialog, testing::ValuesIn(TitleCases), PrintedName());

TEST_F(TitleDialog, ShowsWindows1252AsItsCharactersInTheDialogAndTheStatusBar) {
    SetTexts({Cafe1252, Quote1252, "", "Ren\xE9", "d\xE9j\xE0\r\nvu\rencore"});
    QString title, comments;
    AcceptDialog<TTitleForm>([&](TTitleForm& d) {
        title = Lines(d).at(0)->text();
        comments = Comments(d).toPlainText();
        Lines(d).at(1)->setText(Lines(d).at(1)->text() + "!");
    });
    Form().actSongTitleExecute();
    EXPECT_EQ(title, "Café");
    EXPECT_EQ(comments, "déjà\nvu\nencore");  // a lone CR ends a line too
    const auto panels = Form().statusBar()->findChildren<QLabel*>();
    ASSERT_EQ(panels.size(), 8);
    EXPECT_EQ(panels[6]->text(), " Café / “€ 5”! / René");  // brought up to date by OK
}

struct TLimitCase {
    const char* name;
    int field;  // 0..3 a line, 4 the comments
    QString text;
    bool refused;
};
FRETLO_PRINT_AS_NAME(TLimitCase)

class TitleDialogLimit : public MainFormTest, public testing::WithParamInterface<TLimitCase> {};

TEST_P(TitleDialogLimit, CountsTheBytesTheFileHolds) {
    const TLimitCase& c = GetParam();
    QStringList refusals;
    bool stillOpen = false;
    OnNextModal([&](QWidget* modal) {
        if (c.field < 4)
            Lines(*modal).at(c.field)->setText(c.text);
        else
            Comments(*modal).setPlainText(c.text);
        const TMessages messages;
        ClickOk(*modal);
        refusals = messages.Texts;
        stillOpen = modal->isVisible();
        if (stillOpen) qobject_cast<QDialog*>(modal)->reject();
    });
    Form().actSongTitleExecute();
    EXPECT_EQ(stillOpen, c.refused);
    EXPECT_EQ(Doc().Modified, !c.refused);
    ASSERT_EQ(refusals.size(), c.refused ? 1 : 0) << refusals.join("|").toStdString();
    if (c.refused) {
        EXPECT_TRUE(refusals[0].contains("too long")) << refusals[0].toStdString();
        // The song stays one that can be saved.
        EXPECT_NO_THROW(Doc().SaveToFile(Path("song.frl").toStdString()));
    }
}

const TLimitCase LimitCases[] = {
    {"AsciiTitleAtTheLimit", 0, QString(255, 'a'), false},
    {"AccentedTitleOverTheLimit", 0, QString(128, u'é'), true},
    {"CommentsWhoseLineEndsPassTheLimit", 4, QString("ab\n").repeated(10923), true},
    {"AsciiCommentsAtTheLimit", 4, QString(32767, 'a'), false},
};

INSTANTIATE_TEST_SUITE_P(Limits, TitleDialogLimit, testing::ValuesIn(LimitCases), PrintedName());

}  // namespace
}  // namespace fretlo::test

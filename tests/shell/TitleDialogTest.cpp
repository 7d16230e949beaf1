// Title & Comments keeps the song's texts as the file holds them: 8-bit texts of older files
// and their CR LF line ends survive OK, edited texts are stored as UTF-8, and a text the file
// could not hold is refused in the dialog instead of at every later save.
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QStatusBar>

#include "shell/MainFormFixture.h"
#include "shell/TitleDialog.h"

namespace fretlo::test {
namespace {

// Windows-1252: e acute, the euro sign, curly quotes and a no-break space (0xA0); not UTF-8.
const std::string Cafe1252 = "Caf\xE9";
const std::string Quote1252 = "\x93\x80 5\x94";

struct TTitleCase {
    const char* name;
    TSongTexts stored;
    std::function<void(TTitleForm&)> edit;
    TSongTexts expected;
};

void PrintTo(const TTitleCase& c, std::ostream* os) { *os << c.name; }

QList<QLineEdit*> Lines(TTitleForm& d) { return d.findChildren<QLineEdit*>(); }
QPlainTextEdit& Comments(TTitleForm& d) { return *d.findChild<QPlainTextEdit*>(); }

class TitleDialog : public MainFormTest, public testing::WithParamInterface<TTitleCase> {
protected:
    void SetTexts(const TSongTexts& t) {
        Doc().Title = t.Title;
        Doc().Artist = t.Artist;
        Doc().Album = t.Album;
        Doc().Transcriber = t.Transcriber;
        Doc().Comments = t.Comments;
    }
    TSongTexts Texts() {
        return {Doc().Title, Doc().Artist, Doc().Album, Doc().Transcriber, Doc().Comments};
    }
};

// The five texts in a form that compares and prints.
std::vector<std::string> Fields(const TSongTexts& t) { return {t.Title, t.Artist, t.Album, t.Transcriber, t.Comments}; }

TEST_P(TitleDialog, OkStoresExactlyTheEditedTexts) {
    SetTexts(GetParam().stored);
    AcceptDialog<TTitleForm>(GetParam().edit);
    Form().actSongTitleExecute();
    EXPECT_EQ(Fields(Texts()), Fields(GetParam().expected));
}

const TTitleCase TitleCases[] = {
    {"UneditedWindows1252",
     {Cafe1252, Quote1252, "\xC0 la carte", "Ren\xE9", "line\xA0" "1\r\nd\xE9j\xE0 vu\r\n"},
     {},
     {Cafe1252, Quote1252, "\xC0 la carte", "Ren\xE9", "line\xA0" "1\r\nd\xE9j\xE0 vu\r\n"}},
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

INSTANTIATE_TEST_SUITE_P(Texts, TitleDialog, testing::ValuesIn(TitleCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(TitleDialog, ShowsWindows1252AsItsCharactersInTheDialogAndTheStatusBar) {
    SetTexts({Cafe1252, Quote1252, "", "Ren\xE9", "d\xE9j\xE0\r\nvu"});
    View().UpdateStatusBar();
    const auto panels = Form().statusBar()->findChildren<QLabel*>();
    ASSERT_GE(panels.size(), 7);
    EXPECT_EQ(panels[6]->text(), " Café / “€ 5” / René");
    QString comments;
    OnNextModal([&](QWidget* modal) {
        auto& d = *qobject_cast<TTitleForm*>(modal);
        EXPECT_EQ(Lines(d).at(0)->text(), "Café");
        comments = Comments(d).toPlainText();
        d.reject();
    });
    Form().actSongTitleExecute();
    EXPECT_EQ(comments, "déjà\nvu");
}

struct TLimitCase {
    const char* name;
    int field;  // 0..3 a line, 4 the comments
    QString text;
    bool refused;
};

void PrintTo(const TLimitCase& c, std::ostream* os) { *os << c.name; }

class TitleDialogLimit : public MainFormTest, public testing::WithParamInterface<TLimitCase> {};

TEST_P(TitleDialogLimit, CountsTheBytesTheFileHolds) {
    const TLimitCase& c = GetParam();
    QString refusal;
    bool stillOpen = false;
    OnNextModal([&](QWidget* modal) {
        auto& d = *qobject_cast<TTitleForm*>(modal);
        if (c.field < 4)
            Lines(d).at(c.field)->setText(c.text);
        else
            Comments(d).setPlainText(c.text);
        if (c.refused) AnswerMessage(QMessageBox::Ok, &refusal);
        d.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
        stillOpen = d.isVisible();
        if (stillOpen) d.reject();
    });
    Form().actSongTitleExecute();
    EXPECT_EQ(stillOpen, c.refused);
    EXPECT_EQ(Doc().Modified, !c.refused);
    if (c.refused) {
        EXPECT_TRUE(refusal.contains("too long")) << refusal.toStdString();
        EXPECT_FALSE(Doc().Modified);
        // The song stays one that can be saved.
        EXPECT_NO_THROW(Doc().SaveToFile(Path("song.frl").toStdString()));
    }
}

const TLimitCase LimitCases[] = {
    {"AsciiTitleAtTheLimit", 0, QString(255, 'a'), false},
    {"AccentedTitleOverTheLimit", 0, QString(128, u'é'), true},
    {"AccentedAlbumAtTheLimit", 2, QString(127, u'é') + "a", false},
    {"AccentedCommentsOverTheLimit", 4, QString(20000, u'é'), true},
    {"CommentsWhoseLineEndsPassTheLimit", 4, QString("ab\n").repeated(10923), true},
    {"AsciiCommentsAtTheLimit", 4, QString(32767, 'a'), false},
};

INSTANTIATE_TEST_SUITE_P(Limits, TitleDialogLimit, testing::ValuesIn(LimitCases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace fretlo::test

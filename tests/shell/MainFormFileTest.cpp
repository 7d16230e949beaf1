// The File menu on the real window: New with its bar-line dialog, typing and saving, reopening,
// the save-changes question (also when the save it starts fails), the temporary-folder refusal,
// the recent files, the exports, and Print, Print Preview and Page Setup printing to a PDF.
#include <sys/mount.h>
#include <sys/resource.h>

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPrintDialog>
#include <QPrinter>
#include <QRadioButton>
#include <QRegularExpression>
#include <QScrollArea>
#include <QScrollBar>
#include <QtTest/QTest>
#include <csignal>
#include <fstream>

#include "ParamName.h"
#include "shell/NewSongDialog.h"
#include "shell/PrintDialog.h"
#include "shell/PrintPreview.h"
#include "shell/ShellTestSupport.h"
#include "shell/TrackCheckList.h"

namespace fretlo::test {
namespace {

using FileCommands = MainFormTest;

void TypeNotes(TTabEditorView& view) {
    QTest::keyClicks(&view, "7");
    QTest::keyClick(&view, Qt::Key_Right);
    QTest::keyClick(&view, Qt::Key_Up);
    QTest::keyClicks(&view, "12");
}

QByteArray FileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

TEST_F(FileCommands, NewRefusesBeatsOutsideOneToSixteenThenMakesBarsOfTheBeatsAndFraction) {
    QString refusal;
    bool stayedOpen = false;
    OnNextModal([&](QWidget* modal) {
        modal->findChild<QLineEdit*>()->setText("17");
        refusal = RefusedOk(*modal, &stayedOpen);
        modal->findChild<QLineEdit*>()->setText(" 4 ");
        modal->findChild<QComboBox*>()->setCurrentText("3/4");
        ClickOk(*modal);
    });
    Form().actFileNewExecute();
    EXPECT_EQ(refusal, "Value must be between 1 and 16.");
    EXPECT_TRUE(stayedOpen);
    EXPECT_EQ(Doc().Bar(0).End - Doc().Bar(0).Start, 19 * UnitsPerSpace);
}

TEST_F(FileCommands, TypedNotesSurviveSaveAsAndReopening) {
    TypeNotes(View());
    ASSERT_TRUE(Doc().Modified);
    const QString file = Path("songs/My Song.frl");
    QDir().mkpath(Path("songs"));
    ChooseFile(file);
    Form().actFileSaveAsExecute();
    EXPECT_FALSE(Doc().Modified);
    EXPECT_EQ(Form().windowTitle(), "My Song.frl - Fretlo");

    AcceptDialog<TBarLinesForm>();  // unmodified now: New asks nothing else
    Form().actFileNewExecute();
    EXPECT_EQ(Doc().Track(0).Space(0).Notes[0], 0);

    Form().FMRUClick(0);
    EXPECT_EQ(QString::fromStdString(Doc().FileName), QFileInfo(file).absoluteFilePath());
    EXPECT_EQ(Doc().Track(0).Space(0).Notes[0], NoteFretBase + 7);
    EXPECT_EQ(Doc().Track(0).Space(1).Notes[1], NoteFretBase + 12);
}

TEST_F(FileCommands, SaveChangesPromptNamesTheSongAndCancelOrACancelledSaveAsKeepIt) {
    TypeNotes(View());
    QString prompt;
    AnswerMessage(QMessageBox::Cancel, &prompt);
    Form().actFileNewExecute();  // no New dialog follows a cancelled prompt
    EXPECT_EQ(prompt, "Untitled has changed.\n\nDo you want to save the changes?");
    EXPECT_TRUE(Doc().Modified);

    // Yes for an untitled song runs Save As, whose Cancel cancels New.
    OnNextModal([](QWidget* modal) {
        OnNextModal([](QWidget* fileDialog) { qobject_cast<QDialog*>(fileDialog)->reject(); });
        qobject_cast<QMessageBox*>(modal)->button(QMessageBox::Yes)->click();
    });
    Form().actFileNewExecute();
    EXPECT_TRUE(Doc().Modified);
    EXPECT_EQ(Doc().Track(0).Space(0).Notes[0], NoteFretBase + 7);
}

// The folder rules are in MainFormRulesTest.
TEST_F(FileCommands, SaveRefusesTheTemporaryFolderUntilSaveAsMovesTheSong) {
    const QString temp = Path("tmp");
    QDir().mkpath(temp);
    qputenv("TMP", temp.toUtf8());
    Doc().FileName = Path("tmp/scratch.frl").toStdString();
    TypeNotes(View());
    QString refusal;
    AnswerMessage(QMessageBox::Ok, &refusal);
    Form().actFileSaveExecute();
    EXPECT_EQ(refusal, "Cannot save the file in its current location (" + QDir::cleanPath(temp) +
                           "). Please select File | Save As and save to a different folder.");
    EXPECT_FALSE(QFile::exists(Path("tmp/scratch.frl")));

    ChooseFile(Path("kept.frl"));
    Form().actFileSaveAsExecute();
    TypeNotes(View());
    Form().actFileSaveExecute();
    EXPECT_FALSE(Doc().Modified);
    qunsetenv("TMP");
}

// The list's own rules are in SettingsTableTest; the menu doubles ampersands, numbers the tenth
// 0, and shows no separator of its own while the list is empty.
TEST_F(FileCommands, RecentFilesShowTheTenNewestWithDoubledAmpersandsAndHideWhileEmpty) {
    QMenu& file = *Form().findChild<QMenu*>("FMenu");
    const auto shown = [&file] {
        file.popup(QPoint(0, 0));
        QStringList items;
        int separators = 0;
        for (QAction* item : file.actions()) {
            const QString text = item->text();
            if (text == "E&xit") break;
            if (!item->isVisible()) continue;
            separators += item->isSeparator();
            if (text.size() > 1 && text[0] == '&' && text[1].isDigit()) items << text;
        }
        file.hide();
        return std::pair(items, separators);
    };
    EXPECT_EQ(shown(), std::pair(QStringList(), 3));  // after Save As, Page Setup and Export MIDI
    for (int i = 1; i <= 11; ++i) {
        Doc().FileName = Path(i == 11 ? "Rock & Roll.frl" : QString("song%1.frl").arg(i)).toStdString();
        Form().RememberFile();
    }
    const QStringList items = shown().first;
    ASSERT_EQ(items.size(), 10);
    EXPECT_EQ(items.front(), "&1 Rock && Roll.frl");
    EXPECT_EQ(items.back(), "&0 song2.frl");  // song1 dropped
}

// The recent file that was clicked is the one opened, whatever saving first reorders.
TEST_F(FileCommands, TheClickedRecentEntryOpensEvenWhenSavingFirstReordersTheList) {
    const QString first = Path("first.frl");
    const QString second = Path("second.frl");
    QTest::keyClicks(&View(), "1");
    Doc().SaveToFile(first.toStdString());
    QTest::keyClick(&View(), Qt::Key_Right);
    QTest::keyClicks(&View(), "2");
    Doc().SaveToFile(second.toStdString());
    Form().OpenFile(second);
    Form().OpenFile(first);  // the list: first, second
    AcceptDialog<TBarLinesForm>();
    Form().actFileNewExecute();
    QTest::keyClicks(&View(), "7");

    OnNextModal([&](QWidget* modal) {
        ChooseFile(Path("third.frl"));
        qobject_cast<QMessageBox*>(modal)->button(QMessageBox::Yes)->click();
    });
    Form().FMRUClick(1);
    EXPECT_EQ(Doc().FileName, second.toStdString());
    EXPECT_EQ(Doc().Track(0).Space(1).Notes[0], NoteFretBase + 2);
}

TEST_F(FileCommands, DamagedFileOnTheCommandLineIsShownAndLeavesANewSong) {
    QFile bad(Path("bad.frl"));
    ASSERT_TRUE(bad.open(QIODevice::WriteOnly));
    bad.write("not a song");
    bad.close();
    QString error;
    OnNextModal([&](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        error = box->windowTitle() + ": " + box->text();
        box->button(QMessageBox::Ok)->click();
    });
    Open(Path("bad.frl"));
    EXPECT_TRUE(error.startsWith("Fretlo: ")) << error.toStdString();
    EXPECT_EQ(Form().windowTitle(), "Untitled - Fretlo");
}

TEST_F(FileCommands, ExportsWriteTheMidiFileAndTheTablature) {
    TypeNotes(View());
    AcceptDialog<QDialog>();
    ChooseFile(Path("tune.mid"));
    Form().FExportMidiClick();
    EXPECT_TRUE(FileBytes(Path("tune.mid")).startsWith("MThd"));

    AcceptDialog<QDialog>([](QDialog& d) { d.findChild<QLineEdit*>()->setText("40"); });
    ChooseFile(Path("tune.txt"));
    Form().FExportTextClick();
    const QByteArray content = FileBytes(Path("tune.txt"));
    EXPECT_TRUE(content.startsWith("tune.txt\r\n\r\n")) << content.left(40).toStdString();
    EXPECT_TRUE(content.contains("E  :7")) << content.toStdString();
}

struct TTrackChoice {
    const char* name;
    void (TMainForm::*command)();
    const char* caption;
};
FRETLO_PRINT_AS_NAME(TTrackChoice)

class EmptyTrackChoice : public MainFormTest, public testing::WithParamInterface<TTrackChoice> {};

TEST_P(EmptyTrackChoice, IsRefusedAndTheDialogStaysOpen) {
    QString caption, refusal;
    bool stayedOpen = false;
    OnNextModal([&](QWidget* modal) {
        caption = modal->windowTitle();
        modal->findChild<TTrackCheckList*>()->item(0)->setCheckState(Qt::Unchecked);
        refusal = RefusedOk(*modal, &stayedOpen);
        qobject_cast<QDialog*>(modal)->reject();
    });
    (Form().*GetParam().command)();
    EXPECT_EQ(caption, GetParam().caption);
    EXPECT_EQ(refusal, "At least one track must be checked.");
    EXPECT_TRUE(stayedOpen);
}

INSTANTIATE_TEST_SUITE_P(
    Dialogs, EmptyTrackChoice,
    testing::Values(TTrackChoice{"Export Text", &TMainForm::FExportTextClick, "Export Text File"},
                    TTrackChoice{"Export MIDI", &TMainForm::FExportMidiClick, "Export MIDI File"},
                    TTrackChoice{"Print", &TMainForm::actFilePrintExecute, "Print"}),
    PrintedName());

// --- The save question when the save that "Yes" starts fails ------------------------------
// Every command that asks it is abandoned, the window and the changed song stay, and the old
// file keeps its bytes. The failure comes from a file-size limit (any file system) and from a
// real full file system.

// Writes fail past a few bytes while it lives (EFBIG instead of the signal).
class FileSizeLimit {
public:
    FileSizeLimit() {
        getrlimit(RLIMIT_FSIZE, &old_);
        oldHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit small = old_;
        small.rlim_cur = 16;
        setrlimit(RLIMIT_FSIZE, &small);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &old_);
        std::signal(SIGXFSZ, oldHandler_);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit old_{};
    void (*oldHandler_)(int) = nullptr;
};

// A small tmpfs at `folder`, filled to the last byte once `Fill` is called.
class FullFileSystem {
public:
    explicit FullFileSystem(const QString& folder) : folder_(folder.toStdString()) {
        mounted_ = mount("tmpfs", folder_.c_str(), "tmpfs", 0, "size=256k") == 0;
    }
    ~FullFileSystem() {
        if (mounted_) umount2(folder_.c_str(), MNT_DETACH);
    }
    FullFileSystem(const FullFileSystem&) = delete;
    FullFileSystem& operator=(const FullFileSystem&) = delete;
    bool Mounted() const { return mounted_; }
    void Fill() const {
        std::ofstream filler(folder_ + "/filler", std::ios::binary);
        const std::string block(4096, 'x');
        while (filler.write(block.data(), static_cast<std::streamsize>(block.size())) && filler.flush()) {}
        filler.clear();
        for (int i = 0; i < 4096 && filler.put('x') && filler.flush(); ++i) {}
    }

private:
    std::string folder_;
    bool mounted_ = false;
};

enum class Failure { SizeLimit, FullDisk };

struct Question {
    const char* name;
    // Runs the command that asks the question; false when it reports the window closed.
    std::function<bool(TMainForm&)> run;
};

class SaveQuestion : public MainFormTest,
                     public testing::WithParamInterface<std::tuple<Failure, Question>> {};

TEST_P(SaveQuestion, FailedSaveAbandonsTheCommandAndKeepsEverything) {
    const auto& [failure, question] = GetParam();
    QDir().mkpath(Path("disk"));
    FullFileSystem disk(Path("disk"));
    if (failure == Failure::FullDisk && !disk.Mounted()) GTEST_SKIP() << "no tmpfs can be mounted here";
    const QString song = Path("disk/song.frl");
    Form().show();
    QTest::keyClicks(&View(), "3");
    Doc().SaveToFile(Path("other.frl").toStdString());
    Doc().SaveToFile(song.toStdString());
    Form().RememberFile();
    const QByteArray oldBytes = FileBytes(song);
    QTest::keyClick(&View(), Qt::Key_Right);
    QTest::keyClicks(&View(), "5");
    ASSERT_TRUE(Doc().Modified);

    std::unique_ptr<FileSizeLimit> limit;
    if (failure == Failure::SizeLimit)
        limit = std::make_unique<FileSizeLimit>();
    else
        disk.Fill();
    QString error;
    OnNextModal([&](QWidget* modal) {
        AnswerMessage(QMessageBox::Ok, &error);
        qobject_cast<QMessageBox*>(modal)->button(QMessageBox::Yes)->click();
    });
    const bool open = question.run(Form());
    limit.reset();

    EXPECT_TRUE(open);
    EXPECT_TRUE(Form().isVisible());
    EXPECT_TRUE(error.startsWith("Cannot write")) << error.toStdString();
    if (failure == Failure::FullDisk) {
        EXPECT_TRUE(error.contains("No space left on device")) << error.toStdString();
    }
    EXPECT_TRUE(Doc().Modified);
    EXPECT_EQ(Doc().FileName, song.toStdString());
    EXPECT_EQ(Doc().Track(0).Space(1).Notes[0], NoteFretBase + 5);
    EXPECT_EQ(FileBytes(song), oldBytes);
    // Nothing the command would have asked next comes up.
    QString wentOn;
    const TModalAnswerer watch([&wentOn](QWidget* modal) {
        wentOn = modal->metaObject()->className();
        if (auto* dialog = qobject_cast<QDialog*>(modal)) dialog->reject();
    });
    QTest::qWait(30);
    EXPECT_EQ(wentOn, "");
}

const Question Questions[] = {
    {"Close", [](TMainForm& f) { return !f.close() || f.isVisible(); }},
    {"Exit", [](TMainForm& f) { return FindAction(f, "E&xit")->trigger(), f.isVisible(); }},
    {"New", [](TMainForm& f) { return FindAction(f, "&New...")->trigger(), true; }},
    {"Open", [](TMainForm& f) { return FindAction(f, "&Open...")->trigger(), true; }},
    {"Recent", [](TMainForm& f) { return f.FMRUClick(0), true; }},
};

INSTANTIATE_TEST_SUITE_P(EveryQuestion, SaveQuestion,
                         testing::Combine(testing::Values(Failure::SizeLimit, Failure::FullDisk),
                                          testing::ValuesIn(Questions)),
                         [](const auto& info) {
                             const bool size = std::get<0>(info.param) == Failure::SizeLimit;
                             return std::string(size ? "SizeLimit" : "FullDisk") +
                                    std::get<1>(info.param).name;
                         });

// --- Print, Print Preview and Page Setup --------------------------------------------------

class PrintCommands : public MainFormTest {
protected:
    void SetUp() override {
        MainFormTest::SetUp();
        // The last of the 128 bars holds a note, so that the song fills several pages.
        Doc().Track(0).Space(Doc().Track(0).SpaceCount() - 1).Notes[0] = NoteFretBase + 3;
    }
    // Reads the PDF's page count from its page tree (Qt writes one /Count for all pages).
    static int PdfPageCount(const QString& path) {
        const QByteArray pdf = FileBytes(path);
        const qsizetype at = pdf.indexOf("/Count ");
        return at < 0 ? 0 : pdf.mid(at + 7, 8).split('\n').first().trimmed().split(' ').first().toInt();
    }
    void PrintToPdf() {
        Form().Printer().setOutputFormat(QPrinter::PdfFormat);
        Form().Printer().setOutputFileName(Path("song.pdf"));
        AcceptDialog<TPrintForm>();
    }
};

// Also: a page taller than a wide window scrolls up and down only, the vertical scroll bar's
// width must not make the workspace wider than the view.
TEST_F(PrintCommands, PreviewButtonsActOnlyWhereTheyCanAndAPageThatFitsNeverScrollsSideways) {
    AcceptDialog<TPrintForm>();
    OnNextModal([](QWidget* modal) {
        auto& preview = *qobject_cast<TPrintPreviewForm*>(modal);
        const auto button = [&preview](const char* caption) {
            return Captioned<QPushButton>(&preview, caption);
        };
        QPushButton* next = button("&Next Page >");
        EXPECT_FALSE(button("< Pre&v. Page")->isEnabled());
        int pages = 1;
        for (; next->isEnabled(); ++pages) next->click();
        EXPECT_GE(pages, 3);
        EXPECT_EQ(preview.CurrentPage(), pages - 1);
        EXPECT_TRUE(button("< Pre&v. Page")->isEnabled());

        preview.resize(1000, 600);
        QApplication::processEvents();
        const QSize unzoomed = preview.PageRect().size();
        button("Zoom &In")->click();
        QApplication::processEvents();
        const QScrollArea& area = *preview.findChild<QScrollArea*>();
        EXPECT_GT(area.verticalScrollBar()->maximum(), 0);
        EXPECT_EQ(area.horizontalScrollBar()->maximum(), 0);
        EXPECT_LT(preview.PageRect().width(), area.viewport()->width());

        for (int i = 0; i < 10 && button("Zoom &In")->isEnabled(); ++i) button("Zoom &In")->click();
        EXPECT_EQ(preview.Zoom(), TPrintPreviewForm::MaxZoom);
        EXPECT_FALSE(button("Zoom &In")->isEnabled());
        EXPECT_TRUE(button("Zoom &Out")->isEnabled());
        EXPECT_NEAR(preview.PageRect().width(), unzoomed.width() * 7 / 2, 2);
        button("Close")->click();
    });
    Form().actFilePrintPreviewExecute();
}

TEST_F(PrintCommands, PrintWritesEveryPageToThePdfChosenInThePrintDialog) {
    PrintToPdf();
    int pages = 0;
    OnNextModal([&pages](QWidget* modal) {
        auto* dialog = qobject_cast<QPrintDialog*>(modal);
        ASSERT_NE(dialog, nullptr) << modal->metaObject()->className();
        pages = dialog->maxPage();
        EXPECT_EQ(dialog->minPage(), 1);
        dialog->accept();
    });
    Form().actFilePrintExecute();
    EXPECT_GE(pages, 3);
    EXPECT_EQ(PdfPageCount(Path("song.pdf")), pages);
    EXPECT_EQ(Form().Printer().docName(), Form().windowTitle());
}

TEST_F(PrintCommands, CancelInTheStatusWindowEndsTheJobWithoutAMessage) {
    PrintToPdf();
    QStringList status;
    int pages = 0;
    OnNextModal([&](QWidget* print) {
        pages = qobject_cast<QPrintDialog*>(print)->maxPage();
        qobject_cast<QDialog*>(print)->accept();
        // The status window comes up next, and Cancel is pressed while the pages go out.
        OnNextModal([&status](QWidget* window) {
            for (QLabel* label : window->findChildren<QLabel*>()) status << label->text();
            qobject_cast<QDialog*>(window)->reject();
        });
    });
    Form().actFilePrintExecute();
    EXPECT_TRUE(status.contains("Printing:")) << status.join("|").toStdString();
    EXPECT_EQ(status.filter(QRegularExpression("^Page \\d+$")).size(), 1) << status.join("|").toStdString();
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    EXPECT_LT(PdfPageCount(Path("song.pdf")), pages);
}

TEST_F(PrintCommands, PageSetupKeepsTheMarginsInThousandthsOfAnInch) {
    OnNextModal([](QWidget* modal) {
        // The paper's width and height are the disabled ones, for a named paper size.
        int margins = 0;
        for (QDoubleSpinBox* box : modal->findChildren<QDoubleSpinBox*>()) {
            if (!box->isEnabled()) continue;
            box->setValue(0.75);
            ++margins;
        }
        EXPECT_EQ(margins, 4);
        qobject_cast<QDialog*>(modal)->accept();
    });
    Form().actFilePageSetupExecute();
    const TPrintMargins& m = Form().Settings().Print;
    EXPECT_EQ((std::array{m.LeftMarginNew, m.TopMarginNew, m.RightMarginNew, m.BottomMarginNew}),
              (std::array{750, 750, 750, 750}));
}

}  // namespace
}  // namespace fretlo::test

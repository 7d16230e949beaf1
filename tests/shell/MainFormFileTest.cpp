// The File menu on the real window: New with its bar-line dialog, typing and saving, reopening,
// the save-changes prompt, the temporary-folder refusal, the recent files and the exports.
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QRadioButton>
#include <QtTest/QTest>

#include "shell/ExportMidiDialog.h"
#include "shell/ExportTextDialog.h"
#include "shell/MainFormFixture.h"
#include "shell/NewSongDialog.h"
#include "shell/TrackCheckList.h"

namespace fretlo::test {
namespace {

using FileCommands = MainFormTest;

int32_t BarLength(const TCustomTabDoc& doc, int bar) { return doc.Bar(bar).End - doc.Bar(bar).Start; }

void TypeNotes(TTabEditorView& view) {
    QTest::keyClicks(&view, "7");
    QTest::keyClick(&view, Qt::Key_Right);
    QTest::keyClick(&view, Qt::Key_Up);
    QTest::keyClicks(&view, "12");
}

TEST_F(FileCommands, NewMakesBarsOfTheBeatsAndFractionChosen) {
    AcceptDialog<TBarLinesForm>([](TBarLinesForm& d) {
        d.findChild<QLineEdit*>()->setText(" 4 ");
        d.findChild<QComboBox*>()->setCurrentText("3/4");
    });
    Form().actFileNewExecute();
    EXPECT_EQ(BarLength(Doc(), 0), 19 * UnitsPerSpace);
    EXPECT_EQ(Doc().BarCount(), 128);
    EXPECT_EQ(Form().windowTitle(), "Untitled - Fretlo");
}

TEST_F(FileCommands, NewRefusesBeatsOutsideOneToSixteenAndStaysOpen) {
    QString refusal;
    OnNextModal([&](QWidget* modal) {
        auto& dialog = *qobject_cast<TBarLinesForm*>(modal);
        dialog.findChild<QLineEdit*>()->setText("17");
        AnswerMessage(QMessageBox::Ok, &refusal);
        dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
        EXPECT_TRUE(dialog.isVisible());
        dialog.findChild<QLineEdit*>()->setText("2");
        dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
    });
    Form().actFileNewExecute();
    EXPECT_EQ(refusal, "Value must be between 1 and 16.");
    EXPECT_EQ(BarLength(Doc(), 0), 8 * UnitsPerSpace);
}

TEST_F(FileCommands, NewWithoutBarLinesAsksFirst) {
    QString question;
    AcceptDialog<TBarLinesForm>([&](TBarLinesForm& d) {
        d.findChildren<QRadioButton*>().at(0)->setChecked(true);  // "&None"
        AnswerMessage(QMessageBox::Yes, &question);
    });
    Form().actFileNewExecute();
    EXPECT_EQ(question, "Not having bar lines may result in decreased performance. Continue anyway?");
    EXPECT_EQ(Doc().BarCount(), 1);
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

TEST_F(FileCommands, SaveChangesPromptNamesTheSongAndCancelKeepsIt) {
    TypeNotes(View());
    QString prompt;
    AnswerMessage(QMessageBox::Cancel, &prompt);
    Form().actFileNewExecute();  // no New dialog follows a cancelled prompt
    EXPECT_EQ(prompt, "Untitled has changed.\n\nDo you want to save the changes?");
    EXPECT_TRUE(Doc().Modified);
    EXPECT_EQ(Doc().Track(0).Space(0).Notes[0], NoteFretBase + 7);
}

TEST_F(FileCommands, YesToThePromptOfAnUntitledSongRunsSaveAsAndItsCancelCancelsNew) {
    TypeNotes(View());
    OnNextModal([](QWidget* modal) {
        OnNextModal([](QWidget* fileDialog) { qobject_cast<QDialog*>(fileDialog)->reject(); });
        qobject_cast<QMessageBox*>(modal)->button(QMessageBox::Yes)->click();
    });
    Form().actFileNewExecute();
    EXPECT_TRUE(Doc().Modified);
    EXPECT_EQ(Doc().Track(0).Space(0).Notes[0], NoteFretBase + 7);
}

TEST_F(FileCommands, SaveRefusesTheTemporaryFolderUntilSaveAsMovesTheSong) {
    const QString temp = Path("tmp");
    QDir().mkpath(temp);
    qputenv("TMP", temp.toUtf8());
    Doc().SaveToFile(Path("tmp/scratch.frl").toStdString());
    QFile::remove(Path("tmp/scratch.frl"));
    TypeNotes(View());

    QString refusal;
    AnswerMessage(QMessageBox::Ok, &refusal);
    Form().actFileSaveExecute();
    EXPECT_EQ(refusal, "Cannot save the file in its current location (" + QDir::cleanPath(temp) +
                           "). Please select File | Save As and save to a different folder.");
    EXPECT_FALSE(QFile::exists(Path("tmp/scratch.frl")));
    EXPECT_TRUE(Doc().Modified);

    ChooseFile(Path("kept.frl"));
    Form().actFileSaveAsExecute();
    TypeNotes(View());
    Form().actFileSaveExecute();
    EXPECT_FALSE(Doc().Modified);
    qunsetenv("TMP");
}

QStringList ShownRecentItems(QMenu& menu) {
    menu.popup(QPoint(0, 0));  // opening the menu reloads the list from the store
    QStringList shown;
    for (QAction* item : menu.actions()) {
        if (item->isVisible() && !item->isSeparator() && item->text().size() > 1 && item->text()[0] == '&' &&
            item->text()[1].isDigit())
            shown << item->text();
    }
    menu.hide();
    return shown;
}

TEST_F(FileCommands, RecentFilesKeepTheTenNewestWithDoubledAmpersands) {
    for (int i = 1; i <= 11; ++i) {
        Doc().FileName = Path(i == 11 ? "Rock & Roll.frl" : QString("song%1.frl").arg(i)).toStdString();
        Form().RememberFile();
    }
    QMenu& file = *Form().findChild<QMenu*>("FMenu");
    QStringList shown = ShownRecentItems(file);
    ASSERT_EQ(shown.size(), 10);
    EXPECT_EQ(shown.front(), "&1 Rock && Roll.frl");
    EXPECT_EQ(shown.back(), "&0 song2.frl");  // song1 dropped, the tenth has the digit 0
}

TEST_F(FileCommands, RecentFilesAreHiddenWithTheirSeparatorWhileTheListIsEmpty) {
    QMenu& file = *Form().findChild<QMenu*>("FMenu");
    EXPECT_TRUE(ShownRecentItems(file).isEmpty());
    int visibleSeparatorsBeforeExit = 0;
    for (QAction* item : file.actions()) {
        if (item->text() == "E&xit") break;
        visibleSeparatorsBeforeExit += item->isSeparator() && item->isVisible();
    }
    EXPECT_EQ(visibleSeparatorsBeforeExit, 3);  // after Save As, Page Setup and Export MIDI only
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
    EXPECT_TRUE(error.endsWith('.')) << error.toStdString();
    EXPECT_EQ(Form().windowTitle(), "Untitled - Fretlo");
    EXPECT_GE(Doc().TrackCount(), 1);
}

TEST_F(FileCommands, ExportMidiWritesTheCheckedTracksBesideTheSong) {
    Doc().SaveToFile(Path("tune.frl").toStdString());
    AcceptDialog<TExportMidiForm>();
    ChooseFile(Path("tune.mid"));
    Form().FExportMidiClick();
    QFile midi(Path("tune.mid"));
    ASSERT_TRUE(midi.open(QIODevice::ReadOnly));
    EXPECT_TRUE(midi.readAll().startsWith("MThd"));
}

TEST_F(FileCommands, ExportDialogsRefuseAnEmptyTrackChoice) {
    QString refusal;
    OnNextModal([&](QWidget* modal) {
        auto& dialog = *qobject_cast<TExportTextForm*>(modal);
        dialog.findChild<TTrackCheckList*>()->item(0)->setCheckState(Qt::Unchecked);
        AnswerMessage(QMessageBox::Ok, &refusal);
        dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
        EXPECT_TRUE(dialog.isVisible());
        dialog.reject();
    });
    Form().FExportTextClick();
    EXPECT_EQ(refusal, "At least one track must be checked.");
}

TEST_F(FileCommands, ExportTextWritesTheTablature) {
    TypeNotes(View());
    AcceptDialog<TExportTextForm>([](TExportTextForm& d) { d.findChild<QLineEdit*>()->setText("40"); });
    ChooseFile(Path("tune.txt"));
    Form().FExportTextClick();
    QFile text(Path("tune.txt"));
    ASSERT_TRUE(text.open(QIODevice::ReadOnly));
    const QByteArray content = text.readAll();
    EXPECT_TRUE(content.startsWith("tune.txt\r\n\r\n")) << content.left(40).toStdString();
    EXPECT_TRUE(content.contains("E  :7")) << content.toStdString();
}

}  // namespace
}  // namespace fretlo::test

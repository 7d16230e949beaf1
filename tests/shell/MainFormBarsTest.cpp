// The Song menu's bar commands on the real window: the dialogs and questions in front of
// each operation, and the song, cursor and Undo item afterwards.
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

#include "shell/AddBarsDialog.h"
#include "shell/MainFormFixture.h"
#include "shell/NewSongDialog.h"
#include "shell/OddTimeDialog.h"
#include "shell/RemoveOddTimeDialog.h"

namespace fretlo::test {
namespace {

using BarCommands = MainFormTest;

// Runs `answer` on the next message box, passing over the dialog that is still closing.
void OnNextMessageBox(std::function<void(QMessageBox&)> answer) {
    OnNextModal([answer = std::move(answer)](QWidget* modal) {
        if (auto* box = qobject_cast<QMessageBox*>(modal)) return answer(*box);
        OnNextMessageBox(answer);
    });
}

// Answers the Recreate Bar Lines dialog with "None" and its question with `answer`.
struct TRecreateAnswers {
    QString caption, question;
    bool noIsDefault = false;
};
void RecreateWithoutBarLines(QMessageBox::StandardButton answer, TRecreateAnswers& seen) {
    OnNextModal([answer, &seen](QWidget* modal) {
        auto* dialog = qobject_cast<TBarLinesForm*>(modal);
        ASSERT_NE(dialog, nullptr);
        seen.caption = dialog->windowTitle();
        dialog->findChildren<QRadioButton*>().at(0)->setChecked(true);  // "&None"
        OnNextMessageBox([answer, &seen](QMessageBox& slower) {
            slower.button(QMessageBox::Yes)->click();  // fewer bar lines play slower
            OnNextMessageBox([answer, &seen](QMessageBox& box) {
                seen.question = box.text();
                seen.noIsDefault = box.defaultButton() == box.button(QMessageBox::No);
                box.button(answer)->click();
            });
        });
        dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
    });
}

TEST_F(BarCommands, RecreateBarLinesWithNoneMakesOneBarFromTheCursorsBarToTheEnd) {
    MoveCursor(0, 2 * 16 + 5);
    const int32_t end = Doc().SongLength();
    TRecreateAnswers seen;
    RecreateWithoutBarLines(QMessageBox::Yes, seen);
    Action("&Recreate Bar Lines...")->trigger();
    EXPECT_EQ(seen.caption, "Recreate Bar Lines");
    EXPECT_EQ(seen.question,
              "Are you sure you want to recreate the bar lines, starting at the cursor position?");
    EXPECT_TRUE(seen.noIsDefault);
    ASSERT_EQ(Doc().BarCount(), 3);
    EXPECT_EQ(Doc().Bar(2).Start, 2 * 16 * UnitsPerSpace);
    EXPECT_EQ(Doc().Bar(2).End, end);
    EXPECT_EQ(View().Cursor().Space, 2 * 16);
    EXPECT_EQ(Action("&Undo Recreate Bar Lines")->isEnabled(), true);
    Action("&Undo Recreate Bar Lines")->trigger();
    EXPECT_EQ(Doc().BarCount(), 128);
}

TEST_F(BarCommands, RecreateBarLinesAnsweredNoKeepsTheBars) {
    MoveCursor(0, 3 * 16 + 1);
    TRecreateAnswers seen;
    RecreateWithoutBarLines(QMessageBox::No, seen);
    Form().SRecreateBarLinesClick();
    EXPECT_EQ(Doc().BarCount(), 128);
    EXPECT_TRUE(Doc().Journal().Empty());
    EXPECT_FALSE(Doc().Modified);
}

// Each refusal keeps the dialog open with the offending field focused; the space rule is
// checked against the song before the dialog closes.
TEST_F(BarCommands, AddBarsRefusesItsFieldsAndTheSpaceLimitThenAddsAtTheEnd) {
    QStringList refusals;
    bool stayedOpen = true, countFocused = true;
    OnNextModal([&](QWidget* modal) {
        auto* dialog = qobject_cast<TAddBarsForm*>(modal);
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->windowTitle(), "Add Bars");
        const auto edits = dialog->findChildren<QLineEdit*>();
        QLineEdit* count = edits.at(0);
        QLineEdit* beats = edits.at(1);
        EXPECT_EQ(count->accessibleName(), "Number of bars to add");
        EXPECT_EQ(beats->accessibleName(), "Create bar lines every");
        const auto refuse = [&](const char* bars, const char* every, QLineEdit* focused) {
            count->setText(bars);
            beats->setText(every);
            QString text;
            AnswerMessage(QMessageBox::Ok, &text);
            dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
            refusals << text;
            stayedOpen &= dialog->isVisible();
            countFocused &= dialog->focusWidget() == focused;
        };
        refuse("0", "4", count);
        refuse("10001", "4", count);
        refuse("3", "17", beats);
        refuse("10000", "16", count);  // 64 spaces a bar
        count->setText(" 2 ");
        beats->setText("4");
        dialog->findChild<QComboBox*>()->setCurrentText("1/2");
        dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
    });
    const int32_t oldEnd = Doc().SongLength();
    Action("Add &Bars...")->trigger();
    EXPECT_EQ(refusals,
              QStringList({"Number of bars must be between 1 and 10000.",
                           "Number of bars must be between 1 and 10000.", "Value must be between 1 and 16.",
                           "The figures entered would cause the total number of spaces to exceed 32000, "
                           "the maximum Fretlo can handle. Try something smaller."}));
    EXPECT_TRUE(stayedOpen);
    EXPECT_TRUE(countFocused);
    ASSERT_EQ(Doc().BarCount(), 130);
    EXPECT_EQ(Doc().SongLength(), oldEnd + 2 * 18 * UnitsPerSpace);
    EXPECT_EQ(Doc().Track(0).TotalTime(), Doc().SongLength());
    Action("&Undo Add Bars")->trigger();
    EXPECT_EQ(Doc().SongLength(), oldEnd);
}

TEST_F(BarCommands, RemoveUnusedBarsRefusesInTheLastBarAndAsksBeforeCutting) {
    MoveCursor(0, Doc().Track(0).SpaceCount() - 1);
    QString text;
    AnswerMessage(QMessageBox::Ok, &text);
    Action("Remo&ve Unused Bars")->trigger();
    EXPECT_EQ(text, "There are no unused bars to remove.");

    MoveCursor(0, 5 * 16 + 2);
    AnswerMessage(QMessageBox::Yes, &text);
    Action("Remo&ve Unused Bars")->trigger();
    EXPECT_EQ(text,
              "This command will eliminate all of the unused bars after the cursor position. Continue?");
    EXPECT_EQ(Doc().BarCount(), 6);
    EXPECT_EQ(Doc().Track(0).SpaceCount(), 6 * 16);
    Action("&Undo Remove Unused Bars")->trigger();
    EXPECT_EQ(Doc().BarCount(), 128);
}

// Two spaces selected: 3 : 2 refused on the custom edits until reduced from 6 : 4, then a
// triplet of three spaces the status bar names; removing it shows what goes first.
TEST_F(BarCommands, AlternateTimeRegionIsCreatedAndRemovedThroughItsDialogs) {
    MoveCursor(0, 4);
    View().SelectTimes(4 * UnitsPerSpace, 6 * UnitsPerSpace);
    QString selectionText, question;
    bool editsDisabledAtFirst = false;
    OnNextModal([&](QWidget* modal) {
        auto* dialog = qobject_cast<TOddTimeForm*>(modal);
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->windowTitle(), "Create Alternate-Time Region");
        for (auto* label : dialog->findChildren<QLabel*>())
            if (label->text().contains("selected")) selectionText = label->text();
        const auto edits = dialog->findChildren<QLineEdit*>();
        editsDisabledAtFirst = !edits.at(0)->isEnabled();
        dialog->findChildren<QRadioButton*>().at(2)->click();  // "&Custom ratio:"
        edits.at(0)->setText("6");
        edits.at(1)->setText("4");
        AnswerMessage(QMessageBox::Ok, &question);
        dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
    });
    Action("&Alternate-Time Region...")->trigger();
    EXPECT_EQ(selectionText, "2 spaces are selected.");
    EXPECT_TRUE(editsDisabledAtFirst);
    EXPECT_EQ(question, "The ratio you entered will be reduced to 3 : 2.");
    EXPECT_EQ(Doc().Track(0).Space(4).RatioDen, 3);
    EXPECT_EQ(Doc().Track(0).Space(6).RatioDen, 3);
    EXPECT_EQ(Doc().Track(0).SpaceTime(7), 6 * UnitsPerSpace);
    EXPECT_EQ(View().StatusTexts()[2], "3 : 2");

    TSelection preview;
    OnNextModal([&](QWidget* modal) {
        auto* dialog = qobject_cast<TRemoveOddTimeForm*>(modal);
        ASSERT_NE(dialog, nullptr);
        preview = View().Selection();
        dialog->reject();
    });
    MoveCursor(0, 5);
    Action("&Alternate-Time Region...")->trigger();
    EXPECT_EQ(preview.Low(), 4 * UnitsPerSpace);
    EXPECT_EQ(preview.High(), 6 * UnitsPerSpace);
    EXPECT_FALSE(View().HasSelection());
    EXPECT_EQ(Doc().Track(0).Space(4).RatioDen, 3);

    AcceptDialog<TRemoveOddTimeForm>();
    Action("&Alternate-Time Region...")->trigger();
    EXPECT_EQ(Doc().Track(0).Space(4).RatioDen, 1);
    EXPECT_EQ(Doc().Track(0).SpaceCount(), 128 * 16);
}

}  // namespace
}  // namespace fretlo::test

// The Song menu's bar commands on the real window: the dialogs and questions in front of
// each operation, and the song, cursor and Undo item afterwards.
#include <QRadioButton>

#include "shell/MainFormFixture.h"
#include "shell/NewSongDialog.h"

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
    EXPECT_EQ(seen.question, "Are you sure you want to recreate the bar lines, starting at the cursor position?");
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

}  // namespace
}  // namespace fretlo::test

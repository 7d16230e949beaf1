// The tap dialog on a clock the test moves: letters tap, other keys do not, and OK and Cancel
// take the focus as the measurement comes and goes.
#include <gtest/gtest.h>

#include <QDialogButtonBox>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>

#include "shell/TempoTapDialog.h"

namespace fretlo::test {
namespace {

class TapTempoDialog : public testing::Test {
protected:
    uint32_t now_ = 5000;
    TTempoTapForm form_{nullptr, [this] { return now_; }};
    QPushButton* ok_ = form_.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok);
    QPushButton* cancel_ = form_.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Cancel);

    void SetUp() override {
        form_.show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&form_));
    }
    void Press(Qt::Key key, uint32_t after = 500, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        now_ += after;
        QTest::keyClick(QApplication::focusWidget(), key, modifiers);
    }
    QString Average() const { return form_.findChild<QLineEdit*>()->text(); }
};

TEST_F(TapTempoDialog, ThreeLetterTapsGiveATempoAndTheFocusMovesToOk) {
    EXPECT_EQ(form_.windowTitle(), "Tap Tempo");
    EXPECT_EQ(Average(), "-");
    EXPECT_FALSE(ok_->isEnabled());
    EXPECT_EQ(QApplication::focusWidget(), cancel_);
    Press(Qt::Key_A);
    Press(Qt::Key_1);  // not a letter
    Press(Qt::Key_Z, 0, Qt::ShiftModifier);
    EXPECT_EQ(Average(), "-");
    Press(Qt::Key_M);
    EXPECT_EQ(Average(), "120.00");
    EXPECT_EQ(form_.findChild<QProgressBar*>()->value(), 2);
    EXPECT_TRUE(ok_->isEnabled());
    EXPECT_EQ(QApplication::focusWidget(), ok_);

    Press(Qt::Key_A, 3000);  // a new series: OK goes and Cancel takes the focus again
    EXPECT_EQ(Average(), "-");
    EXPECT_FALSE(ok_->isEnabled());
    EXPECT_EQ(QApplication::focusWidget(), cancel_);
    Press(Qt::Key_A);
    Press(Qt::Key_A);
    ok_->click();
    EXPECT_EQ(form_.result(), QDialog::Accepted);
    EXPECT_EQ(form_.Tempo(), 120);
}

}  // namespace
}  // namespace fretlo::test

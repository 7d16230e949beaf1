// The window's side of a failed note preview: its reason in the status bar, no modal box,
// and the keys typed after it still edit (and Ctrl+S still saves) the song.
#include <QStatusBar>
#include <QtTest/QTest>

#include "playback/MidiRecorder.h"
#include "shell/MainFormFixture.h"

namespace fretlo::test {
namespace {

using PreviewNotice = MainFormTest;

TEST_F(PreviewNotice, IsShownInTheStatusBarAndCtrlSStillSaves) {
    TMidiRecorder refusing;
    refusing.OpenError = "Connection refused";
    View().SetMidiDevices(&refusing);
    View().SetPreviewMode(TPreviewMode::CurrentTrack);
    Form().show();
    QApplication::setActiveWindow(&Form());
    ASSERT_TRUE(QTest::qWaitForWindowActive(&Form()));
    Doc().SaveToFile(Path("song.frl").toStdString());
    QTest::keyClicks(&View(), "1");
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    EXPECT_EQ(Form().statusBar()->currentMessage(), "Could not open the MIDI output. Connection refused");
    QTest::keyClick(&View(), Qt::Key_Right);
    QTest::keyClicks(&View(), "2");
    QTest::keyClick(&View(), Qt::Key_S, Qt::ControlModifier);
    EXPECT_FALSE(Doc().Modified);
    View().CloseDevice();
}

}  // namespace
}  // namespace fretlo::test

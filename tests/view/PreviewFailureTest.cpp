// A note preview whose device will not open: no message box, one notice for the status bar,
// and every typed key still reaches the editor. Play still shows its box.
#include <QSignalSpy>

#include "playback/MidiRecorder.h"
#include "view/EditorFixture.h"

using namespace fretlo;
using namespace fretlo::test;

namespace {

class PreviewFailure : public EditorTest {
protected:
    void SetUp() override {
        EditorTest::SetUp();
        recorder.OpenError = "Connection refused";
        view->SetMidiDevices(&recorder);
        view->SetPreviewMode(TPreviewMode::AllTracks);
    }
    void TearDown() override {
        view->CloseDevice();
        EditorTest::TearDown();
    }
    TMidiRecorder recorder;
};

TEST_F(PreviewFailure, IsNoticedOnceWithoutABoxAndTheKeysGoOn) {
    QSignalSpy notices(view, &TTabEditorView::PreviewNotice);
    Type("3");
    Key(Qt::Key_Right);
    Type("5");
    EXPECT_TRUE(view->messages.empty());
    ASSERT_EQ(notices.size(), 1);
    EXPECT_EQ(notices[0][0].toString(), "Could not open the MIDI output.\n\nConnection refused");
    EXPECT_EQ(Note(0, 0, 0), NoteFretBase + 3);
    EXPECT_EQ(Note(0, 1, 0), NoteFretBase + 5);

    // Play on purpose tries again and says so in its box; a preview after CloseDevice notices again.
    EXPECT_FALSE(view->Play(false, false));
    EXPECT_EQ(view->messages, std::vector<std::string>{"Could not open the MIDI output.\n\nConnection refused"});
    view->CloseDevice();
    Type("7");
    EXPECT_EQ(notices.size(), 2);
    EXPECT_EQ(view->messages.size(), 1u);
}

}  // namespace

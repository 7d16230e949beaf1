// The editor's bridge to the player, on a recording MIDI device and the real timer
// thread: note preview while typing, Play and Stop with Rewind After Stop, the cursor
// following the play position, song end, failures and another instance's release request.
// A preview whose device will not open puts up no box but one notice for the status bar.
#include "view/EditorFixture.h"

#include <QSignalSpy>
#include <thread>
#include <unistd.h>

#include "base/Errors.h"
#include "platform/UnixReleaseChannel.h"
#include "playback/MidiRecorder.h"
#include "playback/NoteRules.h"

using namespace fretlo;
using namespace fretlo::test;

namespace {

struct NoDevices : TMidiRecorder {
    std::vector<TMidiDeviceInfo> List() override { return {}; }
};

// A device whose cable is pulled at the first note: sending it fails on the timer thread.
struct PulledCable : TMidiRecorder {
    std::unique_ptr<MidiOut> Create(int) override { return std::make_unique<TOut>(); }
    struct TOut : MidiOut {
        bool Open() override { return true; }
        void ShortMsg(uint32_t message) override {
            if ((message & 0xF0) == MidiNoteOn && (message >> 16) != 0) throw EFretloError("cable pulled");
        }
        void Close() override {}
        std::string ErrorText() const override { return {}; }
    };
};

class EditorPlayer : public EditorTest {
protected:
    void SetUp() override {
        EditorTest::SetUp();
        view->SetMidiDevices(&recorder);
        QObject::connect(view, &TTabEditorView::PlayingChanged, [this](bool on) { playing.push_back(on); });
    }
    void TearDown() override {
        view->CloseDevice();  // before the recorder goes
        EditorTest::TearDown();
    }
    int NoteOns(int key) const {
        int n = 0;
        for (const TMidiEvent& e : recorder.Events)
            n += (e.Status & 0xF0) == MidiNoteOn && e.Data1 == key && e.Data2;
        return n;
    }

    TMidiRecorder recorder;
    std::vector<bool> playing;
};

TEST_F(EditorPlayer, TypedFretsArePreviewedOnlyWhenTheModeIsOn) {
    Type("5");
    EXPECT_FALSE(view->HasPlayer());
    view->SetPreviewMode(TPreviewMode::CurrentTrack);
    Type("7");
    EXPECT_EQ(NoteOns(40 + 7), 1);
    Type("7");  // the same fret again: sounds again
    EXPECT_EQ(NoteOns(40 + 7), 2);
    EXPECT_FALSE(view->IsPlaying());
    EXPECT_TRUE(playing.empty());  // a preview is no playback for the menus
}

// A second Play while playing is ignored; only the played track carries the marks.
TEST_F(EditorPlayer, PlayFollowsWithTheCursorAndStopRewinds) {
    doc.Tempo = 480;  // a sixteenth every 31 ms
    for (int s = 0; s < 64; ++s) Note(0, s, 0) = NoteFretBase + 1;
    TViewOptions o = view->Options();
    o.MovingBar = o.HighlightNotes = true;
    view->SetOptions(o);
    view->SetRewindAfterStop(true);
    view->SetCursorSpace(3, 0);
    ASSERT_TRUE(view->Play(false, false));
    EXPECT_TRUE(view->IsPlaying());
    EXPECT_FALSE(view->Play(false, false));
    QTRY_VERIFY(Cursor().Space >= 6 && view->MovingBarSpace(0) >= 6 && view->HighlightedSpace(0) >= 6);
    EXPECT_EQ(view->MovingBarSpace(1), -1);
    view->StopPlaying();
    EXPECT_EQ(view->MovingBarSpace(0), -1);
    EXPECT_EQ(view->HighlightedSpace(0), -1);
    EXPECT_EQ(Cursor().Space, 3);
    EXPECT_EQ(playing, (std::vector<bool>{true, false}));
}

TEST_F(EditorPlayer, TheSongEndStopsPlayback) {
    while (doc.BarCount() > 1) doc.DeleteBar(doc.BarCount() - 1, false);
    doc.Tempo = 960;
    ASSERT_TRUE(view->Play(false, false));
    QTRY_VERIFY(!view->IsPlaying());
    EXPECT_EQ(playing, (std::vector<bool>{true, false}));
}

TEST_F(EditorPlayer, WithoutDevicesPlayComplainsAndPreviewStaysSilent) {
    NoDevices none;
    view->SetMidiDevices(&none);
    view->SetPreviewMode(TPreviewMode::AllTracks);
    Type("3");
    EXPECT_TRUE(view->messages.empty());
    EXPECT_FALSE(view->Play(false, false));
    EXPECT_EQ(view->messages, std::vector<std::string>{
                                  "Can't play because there are no MIDI devices installed on the system"});
    view->SetMidiDevices(&recorder);
}

// Play on purpose tries again and says so in its box; a preview after Close Device notices again.
TEST_F(EditorPlayer, APreviewThatCannotOpenIsNoticedOnceWithoutABox) {
    const std::string refused = "Could not open the MIDI output.\n\nConnection refused";
    recorder.OpenError = "Connection refused";
    view->SetPreviewMode(TPreviewMode::AllTracks);
    QSignalSpy notices(view, &TTabEditorView::PreviewNotice);
    Type("35");
    EXPECT_TRUE(view->messages.empty());
    ASSERT_EQ(notices.size(), 1);
    EXPECT_EQ(notices[0][0].toString().toStdString(), refused);
    EXPECT_FALSE(view->Play(false, false));
    EXPECT_EQ(view->messages, std::vector<std::string>{refused});
    EXPECT_FALSE(view->HasPlayer());
    view->CloseDevice();
    Type("7");
    EXPECT_EQ(notices.size(), 2);
    EXPECT_EQ(view->messages.size(), 1u);
}

TEST_F(EditorPlayer, AnErrorDuringPlaybackStopsAndIsShown) {
    PulledCable pulled;
    view->SetMidiDevices(&pulled);
    doc.Tempo = 480;
    Note(0, 2, 0) = NoteFretBase + 3;
    ASSERT_TRUE(view->Play(false, false));
    QTRY_VERIFY(!view->IsPlaying());
    EXPECT_EQ(view->messages, std::vector<std::string>{"Error during playback:\n\ncable pulled"});
    EXPECT_EQ(playing, (std::vector<bool>{true, false}));
    view->CloseDevice();
    view->SetMidiDevices(&recorder);
}

// The first bridge of a process answers for it; a second one plays all the same.
TEST_F(EditorPlayer, AnotherInstancesReleaseRequestClosesTheDevice) {
    ASSERT_TRUE(view->Play(false, false));
    TMidiRecorder secondRecorder;
    TRecordingEditorView second;
    second.SetTabDocument(&doc);
    second.SetMidiDevices(&secondRecorder);
    ASSERT_TRUE(second.Play(true, false));
    bool answered = false;
    std::thread other([&answered] { answered = TUnixReleaseRequest().RequestRelease(getpid(), 5000); });
    QTRY_VERIFY(!view->HasPlayer());
    other.join();
    EXPECT_TRUE(answered);
    EXPECT_FALSE(view->IsPlaying());
    EXPECT_TRUE(second.IsPlaying());
    EXPECT_TRUE(second.messages.empty());
    second.CloseDevice();
}

}  // namespace

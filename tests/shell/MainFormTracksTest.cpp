// The Song and Edit menus on the real window: adding tracks up to the limit, deleting and
// moving tracks with the cursor following its track, Tempo, Title & Comments and Go to Bar.
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QStatusBar>

#include "ParamName.h"
#include "shell/MainFormFixture.h"
#include "shell/MoveTracksDialog.h"
#include "shell/TempoDialog.h"
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
};

TEST_F(TrackCommands, AddTrackStopsAtFifteenWithoutChangingTheSong) {
    while (Doc().TrackCount() < MaxTracks) AddTrack();
    EXPECT_EQ(Doc().Track(14).SpaceCount(), Doc().SongLength() / UnitsPerSpace);
    QString refusal;
    AnswerMessage(QMessageBox::Ok, &refusal);
    Form().SAddTrackClick();
    EXPECT_EQ(refusal, "You cannot have more than 15 tracks.");
    EXPECT_EQ(Doc().TrackCount(), MaxTracks);
}

TEST_F(TrackCommands, DeletingTheLastTrackPutsTheCursorOnTheNewLastAtTheSameTime) {
    Doc().Track(1).SetRatio(0, 3, 2, 3);  // track 1's spaces no longer line up with track 2's
    MoveCursor(2, 5);
    QString question;
    AnswerMessage(QMessageBox::Yes, &question);
    Form().SDeleteTrackClick();
    EXPECT_EQ(question, "Are you sure you want to delete track 3?");
    ASSERT_EQ(Doc().TrackCount(), 2);
    EXPECT_EQ(View().Cursor().Track, 1);
    EXPECT_EQ(Doc().Track(1).SpaceTime(View().Cursor().Space), 5 * UnitsPerSpace);
    EXPECT_EQ(View().Cursor().Space, 6);
    EXPECT_TRUE(Doc().Modified);
}

TEST_F(TrackCommands, DeleteTrackAsksAndNoKeepsEverything) {
    MoveCursor(1, 0);
    AnswerMessage(QMessageBox::No);
    Form().SDeleteTrackClick();
    EXPECT_EQ(Doc().TrackCount(), 3);

    AnswerMessage(QMessageBox::Yes);
    Form().SDeleteTrackClick();
    EXPECT_EQ(Doc().TrackCount(), 2);
    EXPECT_EQ(Mark(1), 3);
    EXPECT_EQ(View().Cursor().Track, 1);
}

TEST_F(TrackCommands, TheOnlyTrackCannotBeDeletedNorMoved) {
    for (int i = 0; i < 2; ++i) {
        AnswerMessage(QMessageBox::Yes);
        Form().SDeleteTrackClick();
    }
    QString refusal;
    AnswerMessage(QMessageBox::Ok, &refusal);
    Form().SDeleteTrackClick();
    EXPECT_EQ(refusal, "Cannot delete the only remaining track.");
    AnswerMessage(QMessageBox::Ok, &refusal);
    Form().SMoveTracksClick();
    EXPECT_EQ(refusal, "You need at least two tracks in order to move tracks.");
    EXPECT_EQ(Doc().TrackCount(), 1);
}

TEST_F(TrackCommands, MovedTracksKeepTheCursorOnItsTrackAndSpace) {
    MoveCursor(2, 7);
    AcceptDialog<TMoveTracksForm>([](TMoveTracksForm& d) {
        d.MoveSelected(-1);
        d.MoveSelected(-1);
        d.MoveSelected(-1);  // already first: nothing happens
    });
    Form().SMoveTracksClick();
    EXPECT_EQ(Mark(0), 3);
    EXPECT_EQ(Mark(1), 1);
    EXPECT_EQ(Mark(2), 2);
    EXPECT_EQ(View().Cursor().Track, 0);
    EXPECT_EQ(View().Cursor().Space, 7);
    EXPECT_TRUE(Doc().Modified);
}

TEST_F(TrackCommands, MoveTracksListStartsOnTheCursorTrackWithItsButtonsEnabledByPlace) {
    MoveCursor(0, 0);
    OnNextModal([](QWidget* modal) {
        auto& dialog = *qobject_cast<TMoveTracksForm*>(modal);
        const auto button = [&](const char* caption) {
            for (auto* b : dialog.findChildren<QPushButton*>())
                if (b->text() == caption) return b->isEnabled();
            return false;
        };
        EXPECT_FALSE(button("Move &Up"));
        EXPECT_TRUE(button("Move &Down"));
        dialog.MoveSelected(+1);
        dialog.MoveSelected(+1);
        EXPECT_TRUE(button("Move &Up"));
        EXPECT_FALSE(button("Move &Down"));
        EXPECT_EQ(dialog.Order(), (std::vector<int>{1, 2, 0}));
        dialog.reject();
    });
    Form().SMoveTracksClick();
    EXPECT_EQ(Mark(0), 1);  // cancelled
}

using SongCommands = MainFormTest;

TEST_F(SongCommands, TempoRefusesOutOfRangeValuesAndStoresAValidOne) {
    QString refusal;
    OnNextModal([&](QWidget* modal) {
        auto& dialog = *qobject_cast<TTempoForm*>(modal);
        auto* edit = dialog.findChild<QLineEdit*>();
        EXPECT_EQ(edit->text(), "120");
        edit->setText("29");
        AnswerMessage(QMessageBox::Ok, &refusal);
        dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
        edit->setText("96");
        dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
    });
    Form().STempoClick();
    EXPECT_EQ(refusal, "Tempo must be between 30 and 500.");
    EXPECT_EQ(Doc().Tempo, 96);
    EXPECT_TRUE(Doc().Modified);
}

TEST_F(SongCommands, TitleAndCommentsReachTheSongAndTheStatusBar) {
    AcceptDialog<TTitleForm>([](TTitleForm& d) {
        const auto edits = d.findChildren<QLineEdit*>();
        edits.at(0)->setText("Blues in A");
        edits.at(1)->setText("Someone");
        edits.at(3)->setText("Me");
    });
    Form().actSongTitleExecute();
    EXPECT_EQ(Doc().Title, "Blues in A");
    EXPECT_EQ(Doc().Transcriber, "Me");
    EXPECT_TRUE(Doc().Modified);
    EXPECT_FALSE(Doc().Journal().CleanAtBase);
    const auto panels = Form().statusBar()->findChildren<QLabel*>();
    ASSERT_EQ(panels.size(), 8);
    EXPECT_EQ(panels[6]->text(), " Blues in A / Someone / Me");
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
    if (GetParam().Bar < 0) {
        EXPECT_EQ(refusal, "Bar number must be at least 1.");
        EXPECT_EQ(View().Cursor().Space, 40);
    } else {
        EXPECT_EQ(View().Cursor().Space, GetParam().Bar * 16);
    }
}

INSTANTIATE_TEST_SUITE_P(Numbers, GoToBar,
                         // The number rules themselves are checked in MainFormRulesTest.
                         testing::Values(TGoToCase{" 5 ", 4}, TGoToCase{"999", 127}, TGoToCase{"0", -1},
                                         TGoToCase{"abc", -1}),
                         PrintedName());

}  // namespace
}  // namespace fretlo::test

// Test support for the editor widget: a view whose message boxes are recorded, whose prompts
// get a set answer and whose beeps are silent, inside the container with its ruler and scroller, on a song of
// two tracks.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QKeySequence>
#include <QTest>
#include <array>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "view/TabDocument.h"
#include "view/TabEditorView.h"

namespace fretlo::test {

class TRecordingEditorView : public TTabEditorView {
public:
    std::vector<std::string> messages;
    std::optional<std::string> answer;  // what a prompt replies

    TMsgAnswer ShowMessage(const std::string& text, const std::string&, TMsgIcon, TMsgButtons) override {
        messages.push_back(text);
        return TMsgAnswer::Ok;
    }
    std::optional<std::string> AskText(const std::string&, const std::string&, const std::string&) override {
        return answer;
    }
    void Beep() override {}
};

// Bars of 16 spaces, two tracks of six strings, the view shown and focused.
class EditorTest : public testing::Test {
protected:
    void SetUp() override {
        doc.New(16);
        doc.AddTrack(std::make_unique<TTrackData>(false, doc.Track(0).SpaceCount()));
        doc.Modified = false;
        view = new TRecordingEditorView;
        container = std::make_unique<TTabContainer>(view);
        view->SetTabDocument(&doc);
        container->resize(900, 420);
        container->show();
        QApplication::setActiveWindow(container.get());
        view->setFocus();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(container.get()));
        QApplication::processEvents();
    }
    void TearDown() override {
        container.reset();  // the view goes with it, before the document
    }

    void Type(const char* text) { QTest::keyClicks(view, text); }
    // Presses keys written as QKeySequence reads them, apart by spaces: "Ctrl+Right PgDown".
    void Press(const QString& keys, int times = 1) {
        while (times-- > 0)
            for (const QString& k : keys.split(' ', Qt::SkipEmptyParts)) {
                const QKeyCombination c = QKeySequence(k)[0];
                QTest::keyClick(view, c.key(), c.keyboardModifiers());
            }
    }
    uint8_t& Note(int track, int space, int string) { return doc.Track(track).Space(space).Notes[string]; }
    TEditCursor Cursor() const { return view->Cursor(); }
    // The cursor as {track, space, string}.
    std::array<int, 3> At() const { return {Cursor().Track, Cursor().Space, Cursor().String}; }
    // The selected time as the spaces of a plain bar, {first, past the last}.
    std::pair<int, int> Selected() const {
        return {view->Selection().Low() / UnitsPerSpace, view->Selection().High() / UnitsPerSpace};
    }
    // The centre of a cell of the view: string s of space i of a track.
    QPoint CellCentre(int track, int space, int string) {
        const TTrackBand& band = view->Layout().Band(track);
        const int y = StringCellTop(band, view->Metrics(), string) + view->Metrics().LineHeight / 2;
        return {view->SpaceX(track, space) + view->Layout().Space(track, space).Width / 2, y};
    }

    TTabDocument doc;
    TRecordingEditorView* view = nullptr;  // owned by the container
    std::unique_ptr<TTabContainer> container;
};

}  // namespace fretlo::test

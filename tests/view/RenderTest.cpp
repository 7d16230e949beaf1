// Drawing a small song off screen and checking the pixels that matter.
#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <memory>

#include "document/TabDoc.h"
#include "platform/qt/HeadlessPlatform.h"
#include "view/TabView.h"

using namespace fretlo;

namespace {

// Colours that appear nowhere else, so each pixel tells which role drew it.
constexpr TTabColorTable TestColors = {
    0xFFFFFF,  // background
    0x00FF00,  // string lines: green
    0x000080,  // bar lines: dark red
    0x000000,  // numbers
    0xFF0000,  // effects: blue
    0x808000,  // track effects
    0x800000,  // text lines
    0x0000FF,  // tuning: red
    0x00FFFF,  // highlight: yellow
};

QRgb Rgb(TColorRef c) { return qRgb(RedOf(c), GreenOf(c), BlueOf(c)); }

class Render : public testing::Test {
protected:
    void SetUp() override {
        doc.New(16);
        Note(0, 2, 0, 1);
        view = std::make_unique<TTabView>();
        view->SetColors(TestColors);
        view->SetDocument(&doc);
        view->resize(700, view->Layout().Height());
    }
    void TearDown() override { view.reset(); }

    void Note(int track, int space, int string, int fret) {
        doc.Track(track).Space(space).Notes[string] = static_cast<uint8_t>(NoteFretBase + fret);
    }
    void SetOptions(bool transparent, bool pinned) {
        TViewOptions o = view->Options();
        o.DrawNumbersTransparently = transparent;
        o.TuningAlwaysVisible = pinned;
        view->SetOptions(o);
    }
    QImage Picture(qreal dpr = 1) {
        QImage image(view->size() * dpr, QImage::Format_RGB32);
        image.setDevicePixelRatio(dpr);
        image.fill(Qt::magenta);
        view->render(&image);
        return image;
    }
    int LineY(int string) { return StringLineY(view->Layout().Band(0), view->Metrics(), string); }
    // Pixels of glyphs: neither background nor string line, whatever their antialiasing.
    static int Inked(const QImage& image, const QRect& r, bool (*tint)(QRgb) = nullptr) {
        int n = 0;
        for (int y = r.top(); y <= r.bottom(); ++y)
            for (int x = r.left(); x <= r.right(); ++x) {
                const QRgb c = image.pixel(x, y);
                if (c != Rgb(TestColors[tcBkg]) && c != Rgb(TestColors[tcTabLine]) && (!tint || tint(c))) ++n;
            }
        return n;
    }
    // Pixels of colour `c` along row y from x to x + width - 1.
    static int Count(const QImage& image, int y, int x, int width, TColorRef c) {
        int n = 0;
        for (int i = x; i < x + width; ++i) n += image.pixel(i, y) == Rgb(c);
        return n;
    }

    TCustomTabDoc doc;
    std::unique_ptr<TTabView> view;
};

}  // namespace

TEST_F(Render, NumberBlanksTheStringLineUnlessTransparent) {
    const TSpaceLayout& space = view->Layout().Space(0, 2);
    const int centre = view->SpaceX(0, 2) + space.PreWidth + space.ContentWidth / 2;
    const QRect cell(centre - 3, StringCellTop(view->Layout().Band(0), view->Metrics(), 0), 7,
                     view->Metrics().LineHeight);
    for (const bool transparent : {false, true}) {
        SetOptions(transparent, true);
        const QImage image = Picture();
        EXPECT_EQ(image.pixel(centre - 8, LineY(0)), Rgb(TestColors[tcTabLine]));  // before the number
        const int lineUnderNumber = Count(image, LineY(0), cell.left(), cell.width(), TestColors[tcTabLine]);
        if (transparent)
            EXPECT_GT(lineUnderNumber, 0);
        else
            EXPECT_EQ(lineUnderNumber, 0);
        EXPECT_GT(Inked(image, cell), 3);  // the number itself
    }
}

TEST_F(Render, TuningColumnStaysWhenPinnedWhileScrolled) {
    const int column = view->Metrics().TuningColumnWidth;
    for (const bool pinned : {true, false}) {
        SetOptions(false, pinned);
        view->ScrollTo(400);
        ASSERT_EQ(view->ScrollOffset(), 400);
        const QImage image = Picture();
        int tuning = 0;
        int notes = 0;
        for (int s = 0; s < 6; ++s) {
            const int top = StringCellTop(view->Layout().Band(0), view->Metrics(), s);
            for (int y = top; y < top + view->Metrics().LineHeight; ++y) {
                tuning += Count(image, y, 0, column, TestColors[tcTextTuning]);
                notes += Count(image, y, 0, column, TestColors[tcTabLine]);
            }
        }
        if (pinned) {
            EXPECT_GT(tuning, 0);
            EXPECT_EQ(notes, 0);  // no string line runs over the pinned column
        } else {
            EXPECT_EQ(tuning, 0);
            EXPECT_GT(notes, 0);
        }
        view->ScrollTo(0);
    }
}

TEST_F(Render, BarLinesRepeatsAndFinalDoubleBar) {
    doc.Bar(1).RepeatStart = 1;
    doc.Bar(1).RepeatEnd = 1;
    doc.Bar(1).RepeatCount = 100;
    doc.Bar(2).StaffBreak = 1;
    view->Layout().InvalidateAll();
    const QImage image = Picture();
    const int y = LineY(3);
    const QRgb ink = Rgb(TestColors[tcBarLine]);
    // A plain bar line ends bar 0.
    const TBarLayout& first = view->Layout().EnsureLaidOut(0);
    EXPECT_EQ(image.pixel(view->BarX(0) + first.Width - 1, y), ink);
    // The repeat-open sign: a 3-pixel bar and a thin line.
    const int open = view->BarX(1);
    for (const int dx : {-1, 0, 1, 4}) EXPECT_EQ(image.pixel(open + dx, y), ink) << dx;
    EXPECT_NE(image.pixel(open + 2, y), ink);
    // The repeat close with count 100 is 21 wide here and ends in a 3-pixel bar;
    // the staff break after it doubles the line.
    const TBarLayout& closing = view->Layout().Bar(1);
    EXPECT_EQ(closing.BreakExtra, 3);
    const int end = view->BarX(1) + closing.Width - closing.BreakExtra - 1;
    for (const int dx : {0, -1, -2, -5}) EXPECT_EQ(image.pixel(end + dx, y), ink) << dx;
    EXPECT_EQ(image.pixel(view->BarX(1) + closing.Width - 1, y), ink);
    const QRect countArea(end - closing.BarLineWidth, LineY(5) - view->Metrics().SmallFontHeight,
                          closing.BarLineWidth, view->Metrics().SmallFontHeight);
    EXPECT_GT(Inked(image, countArea), 10);  // "100" above the top string
}

TEST_F(Render, FinalDoubleBarOfTheLastBar) {
    doc.New(0);  // one bar of 2048 spaces
    doc.Track(0).SetSpaceCount(8);
    view->Layout().InvalidateAll();
    const TBarLayout& last = view->Layout().EnsureLaidOut(0);
    ASSERT_EQ(last.BarLineWidth, 6);
    const QImage image = Picture();
    const int lineX = view->BarX(0) + last.Width - 6;
    const QRgb ink = Rgb(TestColors[tcBarLine]);
    for (const int dx : {0, 3, 4, 5}) EXPECT_EQ(image.pixel(lineX + dx, LineY(2)), ink) << dx;
    for (const int dx : {1, 2}) EXPECT_NE(image.pixel(lineX + dx, LineY(2)), ink) << dx;
}

TEST_F(Render, CrispAtTwiceTheDevicePixelRatio) {
    const QImage image = Picture(2);
    const int x = 2 * (view->BarX(0) + view->Layout().EnsureLaidOut(0).Width - 1);
    const int y = 2 * LineY(2) + 4;  // between two string lines... on the bar line
    const QRgb ink = Rgb(TestColors[tcBarLine]);
    EXPECT_EQ(image.pixel(x, y), ink);
    EXPECT_EQ(image.pixel(x + 1, y), ink);
    EXPECT_EQ(image.pixel(x - 1, y), Rgb(TestColors[tcBkg]));
    EXPECT_EQ(image.pixel(x + 2, y), Rgb(TestColors[tcBkg]));
    // A string line is exactly two device rows of one colour.
    const int lineX = 2 * (view->BarX(0) + 3 * view->Metrics().SpaceWidth + 1);
    EXPECT_EQ(image.pixel(lineX, 2 * LineY(2)), Rgb(TestColors[tcTabLine]));
    EXPECT_EQ(image.pixel(lineX, 2 * LineY(2) + 1), Rgb(TestColors[tcTabLine]));
    EXPECT_EQ(image.pixel(lineX, 2 * LineY(2) - 1), Rgb(TestColors[tcBkg]));
    EXPECT_EQ(image.pixel(lineX, 2 * LineY(2) + 2), Rgb(TestColors[tcBkg]));
}

TEST_F(Render, PlaybackDisplayBoxAndHighlight) {
    TViewOptions o = view->Options();
    o.MovingBar = true;
    o.HighlightNotes = true;
    view->SetOptions(o);
    const TTrackBand& band = view->Layout().Band(0);
    const int x = view->SpaceX(0, 5);
    view->SetMovingBar(0, 5);
    QImage image = Picture();
    EXPECT_EQ(image.pixel(x + 2, band.StringTop - 1), qRgb(0, 0, 0));  // white inverted
    EXPECT_EQ(image.pixel(x - 1, band.StringTop + 3), qRgb(0, 0, 0));
    view->SetMovingBar(0, -1);
    image = Picture();
    EXPECT_EQ(image.pixel(x + 2, band.StringTop - 1), qRgb(255, 255, 255));

    const TSpaceLayout& space = view->Layout().Space(0, 2);
    const QRect cell(view->SpaceX(0, 2) + space.PreWidth, StringCellTop(band, view->Metrics(), 0),
                     space.ContentWidth, view->Metrics().LineHeight);
    auto yellow = [](QRgb c) { return qBlue(c) < 100 && qRed(c) > 150 && qGreen(c) > 150; };
    EXPECT_EQ(Inked(Picture(), cell, yellow), 0);
    view->SetHighlight(0, 2);
    EXPECT_GT(Inked(Picture(), cell, yellow), 3);
    view->ClearPlaybackDisplay();
    EXPECT_EQ(Inked(Picture(), cell, yellow), 0);
}

TEST_F(Render, RulerTicksAndOverfullBar) {
    EXPECT_EQ(TTabRuler::TickLength(0), 17);
    EXPECT_EQ(TTabRuler::TickLength(2048), 14);
    EXPECT_EQ(TTabRuler::TickLength(512), 9);
    EXPECT_EQ(TTabRuler::TickLength(256 + 1024), 4);
    EXPECT_EQ(TTabRuler::TickLength(768), 4);
    EXPECT_EQ(TTabRuler::TickLength(170), 2);

    auto* tabView = new TTabView;
    TTabContainer container(tabView);
    tabView->SetDocument(&doc);
    container.resize(600, 300);
    container.show();
    QApplication::processEvents();
    // Spaces past the song's end stand in an overfull last bar.
    doc.Track(0).SetSpaceCount(doc.Track(0).SpaceCount() + 4);
    tabView->Layout().InvalidateAll();
    tabView->ScrollTo(tabView->TotalWidth());
    TTabRuler* ruler = container.RulerParent()->Ruler();
    QImage image(ruler->size(), QImage::Format_RGB32);
    ruler->render(&image);
    int red = 0;
    for (int x = 0; x < image.width(); ++x) red += image.pixel(x, 1) == qRgb(255, 0, 0);
    EXPECT_GE(red, 2 * 4);
    tabView->SetDocument(nullptr);
}

TEST_F(Render, EditsAreLaidOutByOneDeferredRepaint) {
    auto* tabView = new TTabView;
    TTabContainer container(tabView);
    tabView->SetColors(TestColors);
    tabView->SetDocument(&doc);
    container.resize(800, 300);
    container.show();
    QApplication::processEvents();
    const int before = tabView->BarX(3);
    // Two edits in the window: both bars wait for the one posted repaint.
    Note(0, 17, 1, 12);
    tabView->InvalidateSpace(0, 17);
    Note(0, 33, 4, 99);
    tabView->InvalidateSpace(0, 33);
    EXPECT_TRUE(tabView->Layout().Dirty());
    EXPECT_FALSE(tabView->Layout().Bar(1).Valid);
    QApplication::processEvents();
    EXPECT_FALSE(tabView->Layout().Dirty());
    EXPECT_TRUE(tabView->Layout().Bar(1).Valid);
    EXPECT_TRUE(tabView->Layout().Bar(2).Valid);
    const int grown = 2 * (tabView->Metrics().WideSpaceWidth - tabView->Metrics().SpaceWidth);
    EXPECT_EQ(tabView->BarX(3), before + grown);
    tabView->SetDocument(nullptr);
}

// The application lives on main's stack: Qt's own globals must outlive it.
int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    SelectHeadlessPlatform();
    QApplication app(argc, argv);
    return RUN_ALL_TESTS();
}

// Drawing a small song off screen, and the print surface's pages (rows, their ends, the title
// block, page numbers), checking the pixels that matter.
#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <memory>
#include <vector>

#include "ParamName.h"
#include "document/TabDoc.h"
#include "platform/qt/HeadlessPlatform.h"
#include "view/PrintSurface.h"
#include "view/TabView.h"

using namespace fretlo;

namespace {

// Colours that appear nowhere else, so each pixel tells which role drew it. In role order
// (blue in the high byte): white background, green string lines, dark red bar lines, black
// numbers, blue effects, teal track effects, dark blue text lines, red tuning, yellow highlight.
constexpr TTabColorTable TestColors = {0xFFFFFF, 0x00FF00, 0x000080, 0x000000, 0xFF0000,
                                       0x808000, 0x800000, 0x0000FF, 0x00FFFF};

QRgb Rgb(TColorRef c) { return qRgb(RedOf(c), GreenOf(c), BlueOf(c)); }
const QRgb Bkg = Rgb(TestColors[tcBkg]);
const QRgb Line = Rgb(TestColors[tcTabLine]);
const QRgb Ink = Rgb(TestColors[tcBarLine]);

// The pixels inside r that `match`.
template <class Match> int Matching(const QImage& image, const QRect& r, Match match) {
    int n = 0;
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x) n += match(image.pixel(x, y));
    return n;
}

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
    void Note(int track, int space, int string, int fret) {
        doc.Track(track).Space(space).Notes[string] = static_cast<uint8_t>(NoteFretBase + fret);
    }
    void SetOption(bool TViewOptions::*option, bool on) {
        TViewOptions o = view->Options();
        o.*option = on;
        view->SetOptions(o);
    }
    // The song in a second view, inside a shown container with its ruler.
    std::unique_ptr<TTabContainer> Shown(QSize size) {
        auto* other = new TTabView;
        auto container = std::make_unique<TTabContainer>(other);
        other->SetColors(TestColors);
        other->SetDocument(&doc);
        container->resize(size);
        container->show();
        QApplication::processEvents();
        return container;
    }
    QImage Picture(qreal dpr = 1) {
        QImage image(view->size() * dpr, QImage::Format_RGB32);
        image.setDevicePixelRatio(dpr);
        image.fill(Qt::magenta);
        view->render(&image);
        return image;
    }
    int LineY(int string) { return StringLineY(view->Layout().Band(0), view->Metrics(), string); }
    // Pixels of glyphs (neither background nor string line, whatever their antialiasing) that
    // are of `tint`.
    static int Inked(const QImage& image, const QRect& r, bool (*tint)(QRgb) = nullptr) {
        return Matching(image, r, [tint](QRgb c) { return c != Bkg && c != Line && (!tint || tint(c)); });
    }
    static int Count(const QImage& image, const QRect& r, TTabViewColors role) {
        return Matching(image, r, [role](QRgb c) { return c == Rgb(TestColors[role]); });
    }
    // n pixels from `from` on, one `step` apart.
    static std::vector<QRgb> Pixels(const QImage& image, QPoint from, QPoint step, int n) {
        std::vector<QRgb> pixels;
        for (QPoint p = from; n-- > 0; p += step) pixels.push_back(image.pixel(p));
        return pixels;
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
        SetOption(&TViewOptions::DrawNumbersTransparently, transparent);
        const QImage image = Picture();
        EXPECT_EQ(image.pixel(centre - 8, LineY(0)), Line);  // before the number
        const QRect underNumber(cell.left(), LineY(0), cell.width(), 1);
        EXPECT_EQ(Count(image, underNumber, tcTabLine) > 0, transparent);
        EXPECT_GT(Inked(image, cell), 3);  // the number itself
    }
}

// Pinned, no string line runs over the tuning column.
TEST_F(Render, TuningColumnStaysWhenPinnedWhileScrolled) {
    const TTrackBand& band = view->Layout().Band(0);
    const QRect column(0, band.StringTop, view->Metrics().TuningColumnWidth,
                       band.StringBottom - band.StringTop);
    for (const bool pinned : {true, false}) {
        SetOption(&TViewOptions::TuningAlwaysVisible, pinned);
        view->ScrollTo(400);
        ASSERT_EQ(view->ScrollOffset(), 400);
        const QImage image = Picture();
        EXPECT_EQ(Count(image, column, tcTextTuning) > 0, pinned);
        EXPECT_EQ(Count(image, column, tcTabLine) > 0, !pinned);
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
    // A plain bar line ends bar 0.
    EXPECT_EQ(image.pixel(view->BarX(0) + view->Layout().EnsureLaidOut(0).Width - 1, y), Ink);
    // The repeat-open sign: a 3-pixel bar and a thin line.
    EXPECT_EQ(Pixels(image, {view->BarX(1) - 1, y}, {1, 0}, 6),
              (std::vector{Ink, Ink, Ink, Line, Line, Ink}));
    // The repeat close with count 100 is 21 wide here and ends in a 3-pixel bar;
    // the staff break after it doubles the line.
    const TBarLayout& closing = view->Layout().Bar(1);
    const int end = view->BarX(1) + closing.Width - closing.BreakExtra - 1;
    for (const int dx : {0, -1, -2, -5}) EXPECT_EQ(image.pixel(end + dx, y), Ink) << dx;
    EXPECT_EQ(image.pixel(view->BarX(1) + closing.Width - 1, y), Ink);
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
    const QPoint lineStart(view->BarX(0) + last.Width - 6, LineY(2));
    EXPECT_EQ(Pixels(Picture(), lineStart, {1, 0}, 6), (std::vector{Ink, Line, Line, Ink, Ink, Ink}));
}

// A bar line two device pixels wide, a string line two device rows high.
TEST_F(Render, CrispAtTwiceTheDevicePixelRatio) {
    const QImage image = Picture(2);
    const int x = 2 * (view->BarX(0) + view->Layout().EnsureLaidOut(0).Width - 1);
    const int y = 2 * LineY(2) + 4;  // between two string lines
    EXPECT_EQ(Pixels(image, {x - 1, y}, {1, 0}, 4), (std::vector{Bkg, Ink, Ink, Bkg}));
    const int lineX = 2 * (view->BarX(0) + 3 * view->Metrics().SpaceWidth + 1);
    EXPECT_EQ(Pixels(image, {lineX, 2 * LineY(2) - 1}, {0, 1}, 4), (std::vector{Bkg, Line, Line, Bkg}));
}

TEST_F(Render, PlaybackDisplayBoxAndHighlight) {
    SetOption(&TViewOptions::HighlightNotes, true);
    SetOption(&TViewOptions::MovingBar, true);
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
    EXPECT_EQ(TTabRuler::TickLength(768), 4);
    EXPECT_EQ(TTabRuler::TickLength(170), 2);

    const auto container = Shown({600, 300});
    TTabView* other = container->View();
    // Spaces past the song's end stand in an overfull last bar.
    doc.Track(0).SetSpaceCount(doc.Track(0).SpaceCount() + 4);
    other->Layout().InvalidateAll();
    other->ScrollTo(other->TotalWidth());
    TTabRuler* ruler = container->RulerParent()->Ruler();
    QImage image(ruler->size(), QImage::Format_RGB32);
    ruler->render(&image);
    int red = 0;
    for (int x = 0; x < image.width(); ++x) red += image.pixel(x, 1) == qRgb(255, 0, 0);
    EXPECT_GE(red, 2 * 4);
    other->SetDocument(nullptr);
}

TEST_F(Render, EditsAreLaidOutByOneDeferredRepaint) {
    const auto container = Shown({800, 300});
    TTabView* tabView = container->View();
    const int before = tabView->BarX(3);
    // Two edits in the window: both bars wait for the one posted repaint.
    Note(0, 17, 1, 12);
    tabView->InvalidateSpace(0, 17);
    Note(0, 33, 4, 99);
    tabView->InvalidateSpace(0, 33);
    EXPECT_TRUE(tabView->Layout().Dirty());
    QApplication::processEvents();
    EXPECT_FALSE(tabView->Layout().Dirty());
    const int grown = 2 * (tabView->Metrics().WideSpaceWidth - tabView->Metrics().SpaceWidth);
    EXPECT_EQ(tabView->BarX(3), before + grown);
    tabView->SetDocument(nullptr);
}

// --- The print surface ---------------------------------------------------------------

namespace {

bool Dark(QRgb c) { return qGray(c) < 128; }

class PrintSurface : public testing::Test {
protected:
    void SetUp() override {
        doc.New(16);
        doc.Title = "Song";
        doc.Artist = "Band";
        doc.Track(0).Space(8 * 16 - 1).Notes[0] = NoteFretBase + 5;  // eight bars are printed
    }
    int Build(const TPrintOptions& options, const TPrintPage& page = Letter) {
        surface = std::make_unique<TPrintSurfaceControl>(TTabFontSettings{});
        return surface->BuildLayout(doc, options, page);
    }
    // The printable area of a page at `dpi`.
    QImage Picture(int index, int dpi) {
        const QSize size = surface->Page().Printable.size() * dpi / 96;
        QImage image(size, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter p(&image);
        surface->PrintPage(p, index, dpi);
        return image;
    }
    static int Inked(const QImage& image, const QRect& r) { return Matching(image, r, Dark); }
    // The y of string s's line of the first track, from a row's top.
    int LineY(int string) const { return StringLineY(surface->Layout().Band(0), surface->Metrics(), string); }

    static constexpr TPrintPage Letter{QSize(816, 1056), QRect(48, 48, 720, 960)};
    TCustomTabDoc doc;
    std::unique_ptr<TPrintSurfaceControl> surface;
};

TEST_F(PrintSurface, BarsSplitAcrossRowsCloseWhereTheyEndAndLinesStopAtTheRowEnd) {
    const TPrintPage narrow{QSize(300, 1056), QRect(20, 48, 150, 960)};  // narrower than a bar
    Build(TPrintOptions{false, false}, narrow);
    const QImage image = Picture(0, 96);
    int closed = 0;
    int open = 0;
    for (const TRowInfo& row : surface->Rows()) {
        if (row.Page != 0) break;
        const int end = row.EndX - row.XOffset;  // the row's last pixel
        int bar = 0;
        if (doc.FindBar(row.EndTime, bar)) {
            EXPECT_TRUE(Dark(image.pixel(end, row.Top + (LineY(0) + LineY(1)) / 2)))
                << "bar line, row at " << row.StartTime;
            ++closed;
        } else if (end + 2 < image.width()) {
            EXPECT_FALSE(Dark(image.pixel(end + 2, row.Top + LineY(0))))
                << "line past the end, row at " << row.StartTime;
            ++open;
        }
    }
    EXPECT_GT(closed, 0);
    EXPECT_GT(open, 0);
}

TEST_F(PrintSurface, StringLinesStayAtLowResolution) {
    Build(TPrintOptions{false, false});
    const int dpi = 24;  // a quarter of a unit per dot: half-unit lines would round to nothing
    const QImage image = Picture(0, dpi);
    const int x = 300 * dpi / 96;
    int lines = 0;
    bool inLine = false;
    for (int y = 0; y < surface->Rows().front().Height * dpi / 96; ++y) {
        const bool dark = Dark(image.pixel(x, y));
        lines += dark && !inLine;
        inLine = dark;
    }
    EXPECT_EQ(lines, doc.Track(0).StringCount);
}

struct TFlagsCase {
    const char* name;
    bool Title, PageNumbers;
};
FRETLO_PRINT_AS_NAME(TFlagsCase)

class PrintFlags : public PrintSurface, public testing::WithParamInterface<TFlagsCase> {};

TEST_P(PrintFlags, TitleBlockOnTheFirstPageAndPageNumbersAtTheBottom) {
    const TFlagsCase& c = GetParam();
    Build(TPrintOptions{c.Title, c.PageNumbers});
    const QImage image = Picture(0, 96);
    const int top = surface->Rows().front().Top;
    EXPECT_EQ(top > 0, c.Title);
    const int mid = image.width() / 2;
    // Above the first string line: the title's capitals reach there.
    EXPECT_EQ(Inked(image, QRect(mid - 20, 0, 40, 12)) > 0, c.Title) << "the centred title";
    EXPECT_EQ(Inked(image, QRect(2 * mid - 60, top / 2, 60, top / 2)) > 0, c.Title) << "the artist, right";
    EXPECT_EQ(Inked(image, QRect(mid - 20, image.height() - 30, 40, 30)) > 0, c.PageNumbers);
}

INSTANTIATE_TEST_SUITE_P(Options, PrintFlags,
                         testing::Values(TFlagsCase{"title only", true, false},
                                         TFlagsCase{"page numbers only", false, true}),
                         fretlo::test::PrintedName());

TEST_F(PrintSurface, ALongTitleIsWrappedAndPushesTheRowsDown) {
    Build(TPrintOptions{});
    const int oneLine = surface->Rows().front().Top;
    doc.Title = std::string(20, 'W') + " " + std::string(20, 'W');
    Build(TPrintOptions{});
    EXPECT_GT(surface->Rows().front().Top, oneLine + oneLine / 3);
}

}  // namespace

// The application lives on main's stack: Qt's own globals must outlive it.
int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    SelectHeadlessPlatform();
    QApplication app(argc, argv);
    return RUN_ALL_TESTS();
}

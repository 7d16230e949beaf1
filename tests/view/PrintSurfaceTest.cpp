// The print surface painting pages off screen: rows, their ends, the title block, page numbers.
#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <memory>

#include "ParamName.h"
#include "document/TabDoc.h"
#include "view/PrintSurface.h"

using namespace fretlo;

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
    void TearDown() override { surface.reset(); }

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
    static int Inked(const QImage& image, const QRect& r) {
        int n = 0;
        for (int y = r.top(); y <= r.bottom(); ++y)
            for (int x = r.left(); x <= r.right(); ++x) n += Dark(image.pixel(x, y));
        return n;
    }
    // The y of string s's line of the first track, from a row's top.
    int LineY(int string) const {
        return StringLineY(surface->Layout().Band(0), surface->Metrics(), string);
    }

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
                         testing::Values(TFlagsCase{"both", true, true},
                                         TFlagsCase{"title only", true, false},
                                         TFlagsCase{"page numbers only", false, true},
                                         TFlagsCase{"neither", false, false}),
                         fretlo::test::PrintedName());

TEST_F(PrintSurface, ALongTitleIsWrappedAndPushesTheRowsDown) {
    Build(TPrintOptions{});
    const int oneLine = surface->Rows().front().Top;
    doc.Title = std::string(20, 'W') + " " + std::string(20, 'W');
    Build(TPrintOptions{});
    EXPECT_GT(surface->Rows().front().Top, oneLine + oneLine / 3);
}

}  // namespace

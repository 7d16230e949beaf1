// File > Print, Print Preview and Page Setup through their dialogs, printing to a PDF file.
#include <QDoubleSpinBox>
#include <QFile>
#include <QLabel>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollArea>
#include <QScrollBar>

#include "ParamName.h"
#include "shell/MainFormFixture.h"
#include "shell/PrintDialog.h"
#include "shell/PrintPreview.h"
#include "shell/TrackCheckList.h"

namespace fretlo::test {
namespace {

class PrintCommands : public MainFormTest {
protected:
    void SetUp() override {
        MainFormTest::SetUp();
        // The last of the 128 bars holds a note, so that the song fills several pages.
        Doc().Track(0).Space(Doc().Track(0).SpaceCount() - 1).Notes[0] = NoteFretBase + 3;
    }
    static QPushButton* Button(QWidget& dialog, const QString& caption) {
        for (auto* button : dialog.findChildren<QPushButton*>())
            if (button->text() == caption) return button;
        ADD_FAILURE() << "no button " << caption.toStdString();
        return nullptr;
    }
    // Reads the PDF's page count from its page tree (Qt writes one /Count for all pages).
    static int PdfPageCount(const QString& path) {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly)) return -1;
        const QByteArray pdf = file.readAll();
        const qsizetype at = pdf.indexOf("/Count ");
        return at < 0 ? 0 : pdf.mid(at + 7, 8).split('\n').first().trimmed().split(' ').first().toInt();
    }
};

TEST_F(PrintCommands, AnEmptyTrackChoiceIsRefused) {
    QString refusal;
    QString caption;
    OnNextModal([&](QWidget* modal) {
        auto& dialog = *qobject_cast<TPrintForm*>(modal);
        caption = dialog.windowTitle();
        dialog.findChild<TTrackCheckList*>()->item(0)->setCheckState(Qt::Unchecked);
        AnswerMessage(QMessageBox::Ok, &refusal);
        dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
        EXPECT_TRUE(dialog.isVisible());
        dialog.reject();
    });
    Form().actFilePrintPreviewExecute();
    EXPECT_EQ(caption, "Print Preview");
    EXPECT_EQ(refusal, "At least one track must be checked.");
}

TEST_F(PrintCommands, PreviewButtonsActOnlyWhereTheyCan) {
    AcceptDialog<TPrintForm>();
    OnNextModal([this](QWidget* modal) {
        auto& preview = *qobject_cast<TPrintPreviewForm*>(modal);
        EXPECT_EQ(preview.windowTitle(), "Print Preview");
        QPushButton* next = Button(preview, "&Next Page >");
        QPushButton* previous = Button(preview, "< Pre&v. Page");
        EXPECT_FALSE(previous->isEnabled());
        int pages = 1;
        while (next->isEnabled()) {
            next->click();
            ++pages;
        }
        EXPECT_GE(pages, 3);
        EXPECT_EQ(preview.CurrentPage(), pages - 1);
        EXPECT_TRUE(previous->isEnabled());
        const QSize unzoomed = preview.PageRect().size();
        QPushButton* zoomIn = Button(preview, "Zoom &In");
        for (int i = 0; i < 10 && zoomIn->isEnabled(); ++i) zoomIn->click();
        EXPECT_EQ(preview.Zoom(), TPrintPreviewForm::MaxZoom);
        EXPECT_FALSE(zoomIn->isEnabled());
        EXPECT_TRUE(Button(preview, "Zoom &Out")->isEnabled());
        EXPECT_NEAR(preview.PageRect().width(), unzoomed.width() * 7 / 2, 2);
        Button(preview, "Close")->click();
    });
    Form().actFilePrintPreviewExecute();
}

// A page taller than a wide window scrolls up and down only: the vertical scroll bar's width
// must not make the workspace wider than the view.
TEST_F(PrintCommands, APageThatFitsAcrossNeverScrollsSideways) {
    AcceptDialog<TPrintForm>();
    OnNextModal([](QWidget* modal) {
        auto& preview = *qobject_cast<TPrintPreviewForm*>(modal);
        preview.resize(1000, 600);
        Button(preview, "Zoom &In")->click();
        QApplication::processEvents();
        const QScrollArea& area = *preview.findChild<QScrollArea*>();
        EXPECT_GT(area.verticalScrollBar()->maximum(), 0);
        EXPECT_EQ(area.horizontalScrollBar()->maximum(), 0);
        EXPECT_LT(preview.PageRect().width(), area.viewport()->width());
        preview.reject();
    });
    Form().actFilePrintPreviewExecute();
}

TEST_F(PrintCommands, PrintWritesEveryPageToThePdfChosenInThePrintDialog) {
    const QString pdf = Path("song.pdf");
    Form().Printer().setOutputFormat(QPrinter::PdfFormat);
    Form().Printer().setOutputFileName(pdf);
    AcceptDialog<TPrintForm>();
    int pages = 0;
    OnNextModal([&pages](QWidget* modal) {
        auto* dialog = qobject_cast<QPrintDialog*>(modal);
        ASSERT_NE(dialog, nullptr) << modal->metaObject()->className();
        pages = dialog->maxPage();
        EXPECT_EQ(dialog->minPage(), 1);
        dialog->accept();
    });
    Form().actFilePrintExecute();
    EXPECT_GE(pages, 3);
    EXPECT_EQ(PdfPageCount(pdf), pages);
    EXPECT_EQ(Form().Printer().docName(), Form().windowTitle());
}

TEST_F(PrintCommands, CancelInTheStatusWindowEndsTheJobWithoutAMessage) {
    Form().Printer().setOutputFormat(QPrinter::PdfFormat);
    Form().Printer().setOutputFileName(Path("song.pdf"));
    AcceptDialog<TPrintForm>();
    QStringList status;
    int pages = 0;
    OnNextModal([&](QWidget* print) {
        pages = qobject_cast<QPrintDialog*>(print)->maxPage();
        qobject_cast<QDialog*>(print)->accept();
        // The status window comes up next, and Cancel is pressed while the pages go out.
        OnNextModal([&status](QWidget* window) {
            for (QLabel* label : window->findChildren<QLabel*>()) status << label->text();
            qobject_cast<QDialog*>(window)->reject();
        });
    });
    Form().actFilePrintExecute();
    EXPECT_TRUE(status.contains("Printing:")) << status.join("|").toStdString();
    EXPECT_EQ(status.filter(QRegularExpression("^Page \\d+$")).size(), 1) << status.join("|").toStdString();
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    EXPECT_LT(PdfPageCount(Path("song.pdf")), pages);
}

TEST_F(PrintCommands, PageSetupKeepsTheMarginsInThousandthsOfAnInch) {
    OnNextModal([](QWidget* modal) {
        auto* dialog = qobject_cast<QDialog*>(modal);
        ASSERT_NE(dialog, nullptr);
        // The paper's width and height are the disabled ones, for a named paper size.
        int margins = 0;
        for (QDoubleSpinBox* box : dialog->findChildren<QDoubleSpinBox*>()) {
            if (!box->isEnabled()) continue;
            box->setValue(0.75);
            ++margins;
        }
        EXPECT_EQ(margins, 4);
        dialog->accept();
    });
    Form().actFilePageSetupExecute();
    const TPrintMargins& m = Form().Settings().Print;
    EXPECT_EQ((std::array{m.LeftMarginNew, m.TopMarginNew, m.RightMarginNew, m.BottomMarginNew}),
              (std::array{750, 750, 750, 750}));
    Close();
    Open();
    EXPECT_EQ(Form().Settings().Print.TopMarginNew, 750);
}

struct TZoomCase {
    const char* name;
    QSize Area;
    int Zoom;
    QSize Page;
};
FRETLO_PRINT_AS_NAME(TZoomCase)

class PreviewZoom : public testing::TestWithParam<TZoomCase> {};

// Letter paper, 816 x 1056 units.
TEST_P(PreviewZoom, PageFitsTheAreaThenGrows) {
    EXPECT_EQ(PreviewPageSize(GetParam().Area, QSize(816, 1056), GetParam().Zoom), GetParam().Page);
}

INSTANTIATE_TEST_SUITE_P(Sizes, PreviewZoom,
                         testing::Values(TZoomCase{"tall area fits the width", QSize(416, 1000), 0, QSize(400, 517)},
                                         TZoomCase{"wide area fits the height", QSize(1000, 544), 0, QSize(408, 528)},
                                         TZoomCase{"one and a half", QSize(416, 1000), 1, QSize(600, 776)},
                                         TZoomCase{"three and a half", QSize(416, 1000), 5, QSize(1400, 1810)}),
                         PrintedName());

}  // namespace
}  // namespace fretlo::test

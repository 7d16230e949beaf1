// The File menu's printing: Print, Print Preview and Page Setup. The pages are laid out and
// painted by the print surface; the printer, its paper and the margins stay for the whole run.
#include <QApplication>
#include <QPageSetupDialog>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>

#include "base/Errors.h"
#include "shell/Main.h"
#include "shell/PrintDialog.h"
#include "shell/PrintPreview.h"
#include "shell/PrintStatus.h"
#include "view/TabEditorView.h"

namespace fretlo {

namespace {

// The hourglass while the pages are laid out.
class TBusyCursor {
public:
    TBusyCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~TBusyCursor() { QApplication::restoreOverrideCursor(); }
    TBusyCursor(const TBusyCursor&) = delete;
    TBusyCursor& operator=(const TBusyCursor&) = delete;
};

QMarginsF MarginsInInches(const TPrintMargins& m) {
    return QMarginsF(m.LeftMarginNew, m.TopMarginNew, m.RightMarginNew, m.BottomMarginNew) / 1000;
}

TPrintMargins Thousandths(const QMarginsF& inches) {
    return TPrintMargins{qRound(inches.left() * 1000), qRound(inches.right() * 1000), qRound(inches.top() * 1000),
                         qRound(inches.bottom() * 1000)};
}

// A surface laid out for the printer as it is set now.
std::unique_ptr<TPrintSurfaceControl> LayOut(TCustomTabDoc& doc, const TTabFontSettings& fonts,
                                             const TPrintOptions& options, QPrinter& printer) {
    const TBusyCursor busy;
    auto surface = std::make_unique<TPrintSurfaceControl>(fonts);
    surface->BuildLayout(doc, options, LogicalPage(printer.pageLayout(), printer.resolution()));
    return surface;
}

// The pages the print dialog chose, with the copies the program sends itself, so that the
// order of pages and copies is the same on every printer.
TPrintJob ChosenJob(QPrinter& printer, int pageCount) {
    TPrintJob job{1, pageCount, std::max(printer.copyCount(), 1), printer.collateCopies()};
    if (printer.printRange() == QPrinter::PageRange && printer.fromPage() > 0) {
        job.FromPage = std::clamp(printer.fromPage(), 1, pageCount);
        job.ToPage = std::clamp(printer.toPage(), job.FromPage, pageCount);
    }
    printer.setCopyCount(1);
    return job;
}

// Sends the pages with the status window up; cancelling it or a failure aborts the job.
void SendJob(QPrinter& printer, TPrintSurfaceControl& surface, const TPrintJob& job, QWidget* parent) {
    TPrintStatusForm status(parent);
    QPainter painter;
    if (!painter.begin(&printer)) throw EFretloError("The print job could not be started");
    TStatusPrintTarget target(surface, printer, painter, printer.resolution(), status);
    bool done = false;
    try {
        done = RunPrintJob(job, target);
    } catch (const std::exception&) {
        done = false;
    }
    if (!done) printer.abort();
    painter.end();
}

}  // namespace

QPrinter& TMainForm::Printer() {
    if (!printer_) printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer_->setPageMargins(MarginsInInches(settings_.Print), QPageLayout::Inch);
    return *printer_;
}

void TMainForm::actFilePrintExecute() {
    View_->StopPlaying();
    TPrintForm dialog(this, Document_.TrackCount(), false, HelpRequest());
    if (dialog.exec() == QDialog::Accepted) PrintWithDialog(dialog.Options());
}

void TMainForm::PrintWithDialog(const TPrintOptions& options) {
    QPrinter& printer = Printer();
    const int pages = LayOut(Document_, settings_.Fonts, options, printer)->PageCount();
    QPrintDialog dialog(&printer, this);
    dialog.setOptions(QAbstractPrintDialog::PrintToFile | QAbstractPrintDialog::PrintPageRange |
                      QAbstractPrintDialog::PrintCollateCopies | QAbstractPrintDialog::PrintShowPageSize);
    dialog.setMinMax(1, pages);
    printer.setPrintRange(QPrinter::AllPages);
    printer.setFromTo(1, pages);
    if (dialog.exec() != QDialog::Accepted) return;
    // The dialog may have chosen another printer or paper.
    const auto surface = LayOut(Document_, settings_.Fonts, options, printer);
    printer.setDocName(windowTitle());
    SendJob(printer, *surface, ChosenJob(printer, surface->PageCount()), this);
}

void TMainForm::actFilePrintPreviewExecute() {
    View_->StopPlaying();
    TPrintForm dialog(this, Document_.TrackCount(), true, HelpRequest());
    if (dialog.exec() != QDialog::Accepted) return;
    const TPrintOptions options = dialog.Options();
    bool print = false;
    {
        const auto surface = LayOut(Document_, settings_.Fonts, options, Printer());
        TPrintPreviewForm preview(this, *surface);
        print = preview.exec() == QDialog::Accepted;
    }
    if (print) PrintWithDialog(options);
}

void TMainForm::actFilePageSetupExecute() {
    QPrinter& printer = Printer();
    QPageSetupDialog dialog(&printer, this);
    if (dialog.exec() == QDialog::Accepted) settings_.Print = Thousandths(printer.pageLayout().margins(QPageLayout::Inch));
}

}  // namespace fretlo

// The status window of a running print job: "Printing:" with the page being sent, and Cancel.
#pragma once

#include <QDialog>

#include "view/PrintSurface.h"

class QLabel;

namespace fretlo {

class TPrintStatusForm : public QDialog {
    Q_OBJECT
public:
    // Shown at once and modal for the whole application, so nothing else can be used meanwhile.
    explicit TPrintStatusForm(QWidget* parent);

    void SetStatus(const QString& text);
    // Cancel was pressed or the window closed.
    bool Cancelled() const { return cancelled_; }

    void reject() override;

private:
    QLabel* page_;
    bool cancelled_ = false;
};

// A printer's pages with the status window shown before each; cancelling stops the job.
class TStatusPrintTarget : public TPagedTarget {
public:
    TStatusPrintTarget(TPrintSurfaceControl& surface, QPagedPaintDevice& device, QPainter& painter, int dpi,
                       TPrintStatusForm& status)
        : TPagedTarget(surface, device, painter, dpi), status_(status) {}

    bool BeforePage(const std::string& status) override;

private:
    TPrintStatusForm& status_;
};

}  // namespace fretlo

// The order in which a print job sends its pages and copies, apart from any printer.
#pragma once

#include <string>

namespace fretlo {

// Pages are 1-based, as the print dialog shows them.
struct TPrintJob {
    int FromPage = 1;
    int ToPage = 1;
    int Copies = 1;
    bool Collated = true;  // whole sets one after the other, else each page's copies together
};

// Where a job's pages go: a printer with its status dialog, or a recording in tests.
class TPrintTarget {
public:
    virtual ~TPrintTarget() = default;
    // Shows the status line before a page and lets the user act; false once cancelled.
    virtual bool BeforePage(const std::string& status) = 0;
    // Starts a new sheet, before every page but the first.
    virtual void NewPage() = 0;
    virtual void PaintPage(int page) = 0;  // 1-based
};

// "Page %d" for a single copy, else "Page %d, Copy %d".
std::string PrintStatusText(int page, int copy, int copies);

// Sends the job's pages; false when the target cancelled it.
bool RunPrintJob(const TPrintJob& job, TPrintTarget& target);

}  // namespace fretlo

#include "view/layout/PrintJob.h"

#include "base/Errors.h"

namespace fretlo {

std::string PrintStatusText(int page, int copy, int copies) {
    return copies == 1 ? Format("Page %d", page) : Format("Page %d, Copy %d", page, copy);
}

bool RunPrintJob(const TPrintJob& job, TPrintTarget& target) {
    const int pages = job.ToPage - job.FromPage + 1;
    const int steps = pages * job.Copies;
    for (int i = 0; i < steps; ++i) {
        const int page = job.FromPage + (job.Collated ? i % pages : i / job.Copies);
        const int copy = 1 + (job.Collated ? i / pages : i % job.Copies);
        if (!target.BeforePage(PrintStatusText(page, copy, job.Copies))) return false;
        if (i > 0) target.NewPage();
        target.PaintPage(page);
    }
    return true;
}

}  // namespace fretlo

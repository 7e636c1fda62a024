#include "report/printed_report.h"

#include <climits>

#include "report/report_lines.h"

namespace romwise {

std::vector<PrintedLine> printedReportLines(const DetectionResults& results, int pitch) {
    std::vector<PrintedLine> printed;
    long long baseline = 0;
    for (std::string& text : reportLines(results, ReportKind::Printed)) {
        baseline += pitch;
        // A nonsensical pitch must not overflow; such lines are off the page anyway.
        const long long clamped =
            baseline > INT_MAX ? INT_MAX : (baseline < INT_MIN ? INT_MIN : baseline);
        printed.push_back({static_cast<int>(clamped), std::move(text)});
    }
    return printed;
}

}  // namespace romwise

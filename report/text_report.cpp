#include "report/text_report.h"

#include "report/report_lines.h"

namespace romwise {

std::string writeTextReport(const DetectionResults& results) {
    std::string out;
    for (const std::string& line : reportLines(results, ReportKind::Text)) {
        out.append(line);
        out.append("\r\n");
    }
    return out;
}

}  // namespace romwise

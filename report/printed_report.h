// The printed report: its lines and where each one sits on the page.
#pragma once

#include <string>
#include <vector>

#include "model/detection_results.h"

namespace romwise {

struct PrintedLine {
    int baseline;      // device pixels from the top of the printable area
    std::string text;  // the record's 8-bit bytes as they are
};

// The lines the printing code draws, top to bottom; `pitch` is the line
// height in device pixels and each baseline is a whole multiple of it.
std::vector<PrintedLine> printedReportLines(const DetectionResults& results, int pitch);

}  // namespace romwise

// The lines shared by the text report and the printed report.
#pragma once

#include <string>
#include <vector>

#include "model/detection_results.h"

namespace romwise {

enum class ReportKind {
    Text,     // the saved file: short OS name, an empty spacer line
    Printed,  // the printed page: full OS name, a spacer holding one space
};

// Every line of the report, in order, without line ends; texts are the
// record's 8-bit bytes as they are.
std::vector<std::string> reportLines(const DetectionResults& results, ReportKind kind);

}  // namespace romwise

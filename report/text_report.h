// The text report: a fixed sequence of labelled lines.
#pragma once

#include <string>

#include "model/detection_results.h"

namespace romwise {

// Lines 1 to 18 of the report, each ending in CR LF (the report's format on
// every platform), bytes kept as they are.
std::string writeTextReport(const DetectionResults& results);

}  // namespace romwise

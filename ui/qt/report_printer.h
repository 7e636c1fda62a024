// The printed report on one page of a chosen printer.
#pragma once

#include <QPrinter>

#include "model/detection_results.h"

namespace romwise::ui {

// Draws the report's lines at x = 0, each on its baseline, one line pitch
// (character height plus external leading of the printer's default font)
// apart. False when the printer could not start the page.
bool printReport(QPrinter& printer, const DetectionResults& results);

}  // namespace romwise::ui

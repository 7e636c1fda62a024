// The printed report as a print job on the printer the user picks.
#pragma once

#include <QPrinter>
#include <QWidget>

#include "model/detection_results.h"

namespace romwise::ui {

// The standard print dialog for `printer`, with the page range preset to
// pages 1 to 1; false when the user cancelled.
bool choosePrinter(QPrinter& printer, QWidget* parent);

// Draws the report's lines at x = 0, each on its baseline, one line pitch
// (character height plus external leading of the printer's default font)
// apart. False when the printer could not start the page.
bool printReport(QPrinter& printer, const DetectionResults& results);

}  // namespace romwise::ui

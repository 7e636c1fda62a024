// Saving the text report: the save dialog's proposal and its OK button.
#pragma once

#include <string>

#include "model/detection_results.h"
#include "model/main_view.h"
#include "report/report_files.h"

namespace romwise {

// The file name the save dialog proposes: "c:\bios.txt" on Windows, bios.txt
// in the user's home directory elsewhere.
std::string defaultReportPath(ReportFiles& files);

// Writes the text report to `path`, taken whole as typed. The target is
// replaced only when every byte was written and the file closed cleanly;
// otherwise it stays as it was. True when the report is in place.
bool saveTextReport(const DetectionResults& results, const std::string& path, ReportFiles& files);

// The save dialog's OK: saves, and on failure shows "File error saving
// results!" with the caption "ERROR!" on `messages`.
bool acceptSaveReport(const DetectionResults& results, const std::string& path, ReportFiles& files,
                      MainView& messages);

}  // namespace romwise

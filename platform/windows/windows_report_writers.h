// The three ways a report reaches its target on Windows.
#pragma once

#include <memory>

#include "platform/windows/windows_report_target.h"
#include "report/report_files.h"

namespace romwise {

// Writes into NUL, CON, a serial port or a pipe as writing the file would;
// nothing is created or renamed. Takes the target.
std::unique_ptr<TemporaryReportFile> openDirectReportFile(ReportTarget target);

// A hidden-named ".romwise-save-PID-N.tmp" in the target's folder, with the
// target's hidden, system and not-indexed attributes. Where the system can
// (Vista and later) it is marked for deletion while it is written, so that
// nothing is left behind whatever ends the program; console events that end
// the program wait while it lives (console_event_hold.h). replaceTarget then
//  - for a new file, gives it the target's name (never over a file that
//    appeared meanwhile);
//  - for a regular file, puts it in the file's place with ReplaceFileW,
//    which keeps the file's ACL, attributes, creation time and named
//    streams; where the system refuses that (another program has the file
//    open without sharing its deletion, the ACL allows writing but not
//    deleting, the new file is busy) the report is written into the file
//    itself instead, as for openInPlaceReportFile.
// For a regular file in a folder that takes no new file, the report is
// written into the file itself; for a new file there, nothing. Takes the
// target.
std::unique_ptr<TemporaryReportFile> openStagedReportFile(ReportTarget target);

// Writes the report into the existing file itself (a file with further hard
// links, which a new file would split off, or one known by no name of its
// own): the whole report is gathered first, the disk's free space checked
// against its growth, then it is written from the start, the file cut to
// its length and flushed, so that only a failing disk stops it midway.
// Console events wait meanwhile. Takes the target.
std::unique_ptr<TemporaryReportFile> openInPlaceReportFile(ReportTarget target);

}  // namespace romwise

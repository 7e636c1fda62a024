// The two ways a report reaches its target on Linux: straight into a
// device, FIFO or terminal, or through a staging file that then takes the
// place of a regular file.
#pragma once

#include <memory>

#include "platform/linux/report_target.h"
#include "report/report_files.h"

namespace romwise {

// Writes into an open device, FIFO or terminal, as writing the file would;
// a reader that went away (SIGPIPE) is a write error, not the end of the
// program. Takes the target's descriptor.
std::unique_ptr<TemporaryReportFile> openDirectReportFile(ReportTarget target);

// A staging file in the target's directory: unnamed (O_TMPFILE) where the
// file system allows, so that nothing is left behind whatever stops the
// program, else a hidden ".romwise-save-PID-N.tmp". Signals that end the
// program are held back while it lives and delivered once it is gone;
// SIGXFSZ (the file-size limit) becomes a write error. replaceTarget then
//  - for a new file, gives the staging file the target's name (never over
//    a file that appeared meanwhile);
//  - for a regular file, renames it over the file with the file's owner,
//    group and permission bits (no set-user-id or set-group-id bit, which
//    writing would clear);
//  - for a regular file that a new file cannot stand in for, because it has
//    further hard links or an owner or group this user cannot give, writes
//    the report into the file itself, after reserving its room and checking
//    the file-size limit, so that only a failing medium can stop it midway.
// A regular file is replaced or rewritten holding its SaveLock, so that saves
// from several processes take turns; a file another save put in the
// target's place first (a new file too) becomes the target, as for a save
// started after it.
// Nothing when the directory takes no new file. Takes the target.
std::unique_ptr<TemporaryReportFile> openStagedReportFile(ReportTarget target);

}  // namespace romwise

// Report files on Windows: the save behaves as writing the file would, but
// an existing file is never left half-written and nothing is left behind.
// The target is opened for writing first, without truncating it, so that
// the system refuses what it would refuse (see windows_report_target.h).
// NUL, CON, a serial port or a named pipe (anything that is no disk file)
// is then written to directly: nothing is created or renamed, since no new
// file can stand in for a device. A new or regular file gets a file in its
// folder that takes its place once complete, keeping its ACL, attributes
// and hard links (see windows_report_writers.h). The bytes are written
// raw: the report already has its CR LF line ends.
#pragma once

#include "platform/windows/report_paths.h"
#include "report/report_files.h"

namespace romwise {

class WindowsReportFiles final : public ReportFiles {
  public:
    std::unique_ptr<TemporaryReportFile> createBeside(const std::string& target) override;
    std::unique_ptr<TemporaryReportFile> createRegularBeside(const std::string& target) override;
    // %USERPROFILE% when it is an absolute path; empty otherwise.
    std::string homeDirectory() override;
};

}  // namespace romwise

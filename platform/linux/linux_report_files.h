// Report files on Linux: the save behaves as writing the file would, but an
// existing file is never left half-written and nothing is left behind. A
// device, FIFO or terminal is written to directly; a new or regular file
// gets a staging file in its directory that then takes its place, keeping
// its owner, group, permission bits and hard links (see report_writers.h).
// Refused where opening the file for writing would be refused, where its
// directory takes no new file, and, for root, where the file or directory
// has no write permission for anyone (see report_target.h).
#pragma once

#include "report/report_files.h"

namespace romwise {

class LinuxReportFiles final : public ReportFiles {
  public:
    std::unique_ptr<TemporaryReportFile> createBeside(const std::string& target) override;
    std::unique_ptr<TemporaryReportFile> createRegularBeside(const std::string& target) override;
    // $HOME when it is absolute, else the password database's entry.
    std::string homeDirectory() override;
};

}  // namespace romwise

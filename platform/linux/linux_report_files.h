// Report files on Linux: a new file in the target's directory, flushed to
// the disk and renamed over the target.
#pragma once

#include "report/report_files.h"

namespace romwise {

class LinuxReportFiles final : public ReportFiles {
  public:
    std::unique_ptr<TemporaryReportFile> createBeside(const std::string& target) override;
    // $HOME when it is absolute, else the password database's entry.
    std::string homeDirectory() override;
};

}  // namespace romwise

// Report files on Windows: a new file in the target's folder, written as
// raw bytes (the report already has its CR LF line ends, so nothing is
// translated or doubled), flushed to the disk, and moved over the target
// with MoveFileExA only when every write, the flush and the close
// succeeded. On any failure the temporary file is removed and the target
// stays as it was.
#pragma once

#include "report/report_files.h"

namespace romwise {

// The folder part of a typed path, as a prefix a file name can follow:
// "c:\reports\" for "c:\reports\bios.txt", "c:" for "c:bios.txt" (the
// current folder of drive C), "" for "bios.txt". Either slash separates.
std::string folderPrefix(const std::string& path);

class WindowsReportFiles final : public ReportFiles {
  public:
    // Nothing for an empty name, a name with NUL, one ending in a separator,
    // an existing folder or read-only file, or a folder where no file can be
    // created.
    std::unique_ptr<TemporaryReportFile> createBeside(const std::string& target) override;
    // %USERPROFILE% when it is an absolute path; empty otherwise.
    std::string homeDirectory() override;
};

}  // namespace romwise

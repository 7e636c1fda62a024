// Where the text report is written: a new file beside the target that
// replaces the target only once it is complete.
#pragma once

#include <memory>
#include <string>
#include <string_view>

namespace romwise {

// A new, empty file beside a save target. Destroying it before replaceTarget
// succeeded removes it.
class TemporaryReportFile {
  public:
    virtual ~TemporaryReportFile() = default;
    // Writes every byte; false on any error (a full disk, a size limit, ...).
    virtual bool write(std::string_view bytes) = 0;
    // Flushes the data to the medium and closes the file; false when either fails.
    virtual bool close() = 0;
    // Puts the closed file in place of the target, replacing an existing one.
    virtual bool replaceTarget() = 0;
};

class ReportFiles {
  public:
    virtual ~ReportFiles() = default;
    // A temporary file in the directory of `target`, the path exactly as the
    // user typed it; nothing when the platform cannot take that path or
    // cannot create a file there.
    virtual std::unique_ptr<TemporaryReportFile> createBeside(const std::string& target) = 0;
    // The user's home directory as an absolute path; empty when unknown.
    virtual std::string homeDirectory() = 0;
};

}  // namespace romwise

// Where the text report is written. The save behaves as opening the file
// for writing would, minus its faults: a new or regular file gets a new
// file beside it that takes its place only once complete, as the user knows
// it (on Linux owner, group, permissions; on Windows ACL and attributes;
// hard links and the file a symbolic link names on both); a device, FIFO,
// pipe or terminal (NUL, CON on Windows) is written to as it is; nothing is
// left behind when the save fails.
#pragma once

#include <memory>
#include <string>
#include <string_view>

namespace romwise {

// Saves of one file from several processes take turns, each holding a lock
// on the file while it replaces or rewrites it. A save waits at most this
// long, in milliseconds, for another's turn to end (far longer than a save
// of a report takes): a lock some other program holds for ever delays a
// save, but does not stop it, as it would not stop writing the file.
inline constexpr int kSaveLockWaitMs = 10000;

// A new, empty file beside a save target (for a target that is no regular
// file: the target itself, open for writing). Destroying it before
// replaceTarget succeeded removes it and leaves the target as it was.
class TemporaryReportFile {
  public:
    virtual ~TemporaryReportFile() = default;
    // Writes every byte; false on any error (a full disk, a size limit, ...).
    virtual bool write(std::string_view bytes) = 0;
    // Flushes the data to the medium and closes the file; false when either fails.
    virtual bool close() = 0;
    // Puts the closed file in place of the target, replacing an existing one
    // (for a target written directly: true when every byte reached it).
    virtual bool replaceTarget() = 0;
};

class ReportFiles {
  public:
    virtual ~ReportFiles() = default;
    // A temporary file in the directory of `target`, the path exactly as the
    // user typed it; nothing when the platform cannot take that path, cannot
    // create a file there (Windows then writes an existing file in place, as
    // both do for a file with further hard links), or opening the target for
    // writing would be refused (a read-only file, a FIFO or pipe without a
    // reader, a file another Windows program has open without sharing
    // writing).
    virtual std::unique_ptr<TemporaryReportFile> createBeside(const std::string& target) = 0;
    // The same for a target that must be a new or regular file (a file of
    // several that belong together): a device, FIFO, pipe or terminal is
    // refused, never written to or waited on.
    virtual std::unique_ptr<TemporaryReportFile> createRegularBeside(const std::string& target) = 0;
    // The user's home directory as an absolute path; empty when unknown.
    virtual std::string homeDirectory() = 0;
};

}  // namespace romwise

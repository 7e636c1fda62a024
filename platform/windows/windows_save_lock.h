// One save at a time per file on Windows: saves of Romwise to the same file
// from several processes take their turns, so that each leaves one whole
// report.
#pragma once

#include <windows.h>

namespace romwise {

// An exclusive lock (LockFileEx) on the whole of the open file `file` for
// this object's lifetime; another process's save of the same file waits
// meanwhile, at most kSaveLockWaitMs (report_files.h). Where the file
// system has no locks, nothing is held.
class SaveLock {
  public:
    explicit SaveLock(HANDLE file);
    ~SaveLock();
    SaveLock(const SaveLock&) = delete;
    SaveLock& operator=(const SaveLock&) = delete;

  private:
    HANDLE file_;
    bool held_ = false;
};

}  // namespace romwise

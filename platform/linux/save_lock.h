// One save at a time per file: saves of Romwise to the same file from
// several processes take their turns, so that each leaves one whole report.
#pragma once

namespace romwise {

// An exclusive flock on the open file `descriptor` for this object's
// lifetime; another process's save of the same file waits meanwhile, at
// most kSaveLockWaitMs (report_files.h). Where the file system has no
// locks, nothing is held.
class SaveLock {
  public:
    explicit SaveLock(int descriptor);
    ~SaveLock();
    SaveLock(const SaveLock&) = delete;
    SaveLock& operator=(const SaveLock&) = delete;

  private:
    int descriptor_;
    bool held_ = false;
};

}  // namespace romwise

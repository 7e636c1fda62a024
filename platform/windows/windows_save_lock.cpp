#include "platform/windows/windows_save_lock.h"

#include "report/report_files.h"

namespace romwise {

namespace {

constexpr DWORD kPollMs = 2;
// Every byte the file could ever have: the lock covers its growth too.
constexpr DWORD kWholeFile = MAXDWORD;

}  // namespace

SaveLock::SaveLock(HANDLE file) : file_(file) {
    // Asked for without waiting and asked again, so that the wait has an end.
    for (DWORD waited = 0; waited <= static_cast<DWORD>(kSaveLockWaitMs); waited += kPollMs) {
        OVERLAPPED start{};
        if (LockFileEx(file_, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, kWholeFile,
                       kWholeFile, &start)) {
            held_ = true;
            return;
        }
        if (GetLastError() != ERROR_LOCK_VIOLATION) {
            return;  // no locks here
        }
        Sleep(kPollMs);
    }
}

SaveLock::~SaveLock() {
    if (held_) {
        OVERLAPPED start{};
        UnlockFileEx(file_, 0, kWholeFile, kWholeFile, &start);
    }
}

}  // namespace romwise

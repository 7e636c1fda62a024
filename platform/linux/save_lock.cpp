#include "platform/linux/save_lock.h"

#include <sys/file.h>
#include <time.h>

#include <cerrno>

#include "report/report_files.h"

namespace romwise {

namespace {

constexpr int kPollMs = 2;

}  // namespace

SaveLock::SaveLock(int descriptor) : descriptor_(descriptor) {
    // Asked for without blocking and asked again, so that the wait has an
    // end; signals that end the program are held back during a save.
    for (int waited = 0; waited <= kSaveLockWaitMs;) {
        if (::flock(descriptor_, LOCK_EX | LOCK_NB) == 0) {
            held_ = true;
            return;
        }
        if (errno == EINTR) {
            continue;
        }
        if (errno != EWOULDBLOCK) {
            return;  // no locks here
        }
        const timespec pause{0, kPollMs * 1000000L};
        ::nanosleep(&pause, nullptr);
        waited += kPollMs;
    }
}

SaveLock::~SaveLock() {
    if (held_) {
        ::flock(descriptor_, LOCK_UN);
    }
}

}  // namespace romwise

#include "platform/linux/linux_processor_access.h"

#include <ctime>

namespace romwise {

bool LinuxProcessorAccess::queryPerformanceCounter(std::int64_t& out) {
    timespec now = {};
    if (clock_gettime(CLOCK_MONOTONIC_RAW, &now) != 0) {
        return false;
    }
    out = static_cast<std::int64_t>(now.tv_sec) * kCounterFrequency + now.tv_nsec;
    return true;
}

bool LinuxProcessorAccess::queryPerformanceFrequency(std::int64_t& out) {
    out = kCounterFrequency;
    return true;
}

}  // namespace romwise

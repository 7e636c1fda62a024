// This computer's processor on Linux: the identification, time-stamp, SSE and
// bit-scan instructions under the signal fault guard, and the raw monotonic
// clock as the high-resolution counter.
#pragma once

#include <cstdint>

#include "platform/linux/linux_fault_guard.h"
#include "platform/x86/x86_processor_access.h"

namespace romwise {

class LinuxProcessorAccess final
    : public x86::GuardedProcessorAccess<FaultGuardHandlers, runWithFaultGuard> {
  public:
    // The counter counts nanoseconds.
    static constexpr std::int64_t kCounterFrequency = 1'000'000'000;

    bool queryPerformanceCounter(std::int64_t& out) override;
    bool queryPerformanceFrequency(std::int64_t& out) override;
};

}  // namespace romwise

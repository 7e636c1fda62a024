// This computer's processor on Windows: the identification, time-stamp, SSE
// and bit-scan instructions under the vectored-exception fault guard, and
// the system's high-resolution performance counter.
#pragma once

#include <cstdint>

#include "platform/windows/windows_fault_guard.h"
#include "platform/x86/x86_processor_access.h"

namespace romwise {

class WindowsProcessorAccess final
    : public x86::GuardedProcessorAccess<FaultGuardHandler, runWithFaultGuard> {
  public:
    // QueryPerformanceCounter and QueryPerformanceFrequency.
    bool queryPerformanceCounter(std::int64_t& out) override;
    bool queryPerformanceFrequency(std::int64_t& out) override;
};

}  // namespace romwise

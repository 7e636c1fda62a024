// This computer's processor on Linux: the identification, time-stamp, SSE and
// bit-scan instructions themselves, each under a fault guard, and the raw
// monotonic clock as the high-resolution counter.
#pragma once

#include <cstdint>

#include "cpu/processor_access.h"

namespace romwise {

// Runs `body(context)` with SIGILL, SIGSEGV, SIGBUS and SIGFPE turned into a
// return of false: a faulting instruction ends the body, and the handlers
// that were installed before are back in place afterwards, whatever happened.
// For one thread at a time; the body must not hold resources that a jump out
// of it would leak.
bool runWithFaultGuard(void (*body)(void* context), void* context);

class LinuxProcessorAccess final : public ProcessorAccess {
  public:
    // The counter counts nanoseconds.
    static constexpr std::int64_t kCounterFrequency = 1'000'000'000;
    static constexpr std::uint32_t kBitScanIterations = 10'000'000;

    bool hasCpuid() override;
    bool cpuid(std::uint32_t leaf, CpuidRegisters& out) override;
    bool readTimeStampCounter(std::uint64_t& out) override;
    bool executeSseProbe() override;
    bool runBitScanLoop() override;
    bool queryPerformanceCounter(std::int64_t& out) override;
    bool queryPerformanceFrequency(std::int64_t& out) override;
};

}  // namespace romwise

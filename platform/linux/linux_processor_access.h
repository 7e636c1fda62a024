// This computer's processor on Linux: the identification, time-stamp, SSE and
// bit-scan instructions themselves, each under a fault guard, and the raw
// monotonic clock as the high-resolution counter.
#pragma once

#include <cstdint>
#include <memory>

#include "cpu/processor_access.h"
#include "platform/x86/x86_instructions.h"

namespace romwise {

// Runs `body(context)` with SIGILL, SIGSEGV, SIGBUS and SIGFPE turned into a
// return of false: a faulting instruction ends the body, and the handlers
// that were installed before are back in place afterwards, whatever happened.
// For one thread at a time; the body must not hold resources that a jump out
// of it would leak.
bool runWithFaultGuard(void (*body)(void* context), void* context);

// While an object of this class lives, the guard's handlers stay installed
// (a fault outside a guard still goes to the handler that was there before),
// so that a guarded run makes no system call at all. That keeps a timed
// instruction free of points where the scheduler could step in between the
// time-stamp reading and the counter reading it is compared with.
class FaultGuardHandlers {
  public:
    FaultGuardHandlers();
    ~FaultGuardHandlers();
    FaultGuardHandlers(const FaultGuardHandlers&) = delete;
    FaultGuardHandlers& operator=(const FaultGuardHandlers&) = delete;
};

class LinuxProcessorAccess final : public ProcessorAccess {
  public:
    // The counter counts nanoseconds.
    static constexpr std::int64_t kCounterFrequency = 1'000'000'000;
    static constexpr std::uint32_t kBitScanIterations = x86::kBitScanIterations;

    bool hasCpuid() override;
    bool cpuid(std::uint32_t leaf, CpuidRegisters& out) override;
    bool readTimeStampCounter(std::uint64_t& out) override;
    bool executeSseProbe() override;
    bool runBitScanLoop() override;
    bool queryPerformanceCounter(std::int64_t& out) override;
    bool queryPerformanceFrequency(std::int64_t& out) override;

  private:
    // Installs the guard's handlers at the first guarded instruction and
    // keeps them until this object goes.
    void keepGuardHandlers();

    std::unique_ptr<FaultGuardHandlers> handlers_;
};

}  // namespace romwise

// This computer's processor on Windows: the identification, time-stamp, SSE
// and bit-scan instructions, each under the fault guard, and the system's
// high-resolution performance counter.
#pragma once

#include <cstdint>
#include <memory>

#include "cpu/processor_access.h"
#include "platform/windows/windows_fault_guard.h"

namespace romwise {

class WindowsProcessorAccess final : public ProcessorAccess {
  public:
    // The EFLAGS ID-bit test on a 32-bit processor; always true on x86-64.
    bool hasCpuid() override;
    bool cpuid(std::uint32_t leaf, CpuidRegisters& out) override;
    bool readTimeStampCounter(std::uint64_t& out) override;
    bool executeSseProbe() override;
    bool runBitScanLoop() override;
    // QueryPerformanceCounter and QueryPerformanceFrequency.
    bool queryPerformanceCounter(std::int64_t& out) override;
    bool queryPerformanceFrequency(std::int64_t& out) override;

  private:
    // Installs the guard's handler at the first guarded instruction and
    // keeps it until this object goes, so that a timed instruction is not
    // preceded by a system call that the scheduler could step in at.
    void keepGuardHandler();

    std::unique_ptr<FaultGuardHandler> handler_;
};

}  // namespace romwise

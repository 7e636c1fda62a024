// The processor's own identification and timing instructions, and the
// platform's high-resolution counter. Every operation reports a processor
// fault (an invalid or privileged instruction) as `false`, never as a crash.
#pragma once

#include <cstdint>

namespace romwise {

struct CpuidRegisters {
    std::uint32_t eax = 0;
    std::uint32_t ebx = 0;
    std::uint32_t ecx = 0;
    std::uint32_t edx = 0;
};

class ProcessorAccess {
  public:
    virtual ~ProcessorAccess() = default;

    // Whether the identification instruction exists (the EFLAGS ID-bit test).
    virtual bool hasCpuid() = 0;
    virtual bool cpuid(std::uint32_t leaf, CpuidRegisters& out) = 0;
    virtual bool readTimeStampCounter(std::uint64_t& out) = 0;
    // Executes one SSE instruction.
    virtual bool executeSseProbe() = 0;
    // Runs the 10,000,000-iteration bit-scan-forward loop.
    virtual bool runBitScanLoop() = 0;
    virtual bool queryPerformanceCounter(std::int64_t& out) = 0;
    virtual bool queryPerformanceFrequency(std::int64_t& out) = 0;
};

}  // namespace romwise

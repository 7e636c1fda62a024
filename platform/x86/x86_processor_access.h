// The processor access of an x86 system: the identification, time-stamp, SSE
// and bit-scan instructions, each run under the system's fault guard, so
// that a processor without the instruction answers false instead of ending
// the program. Each system supplies the guard and its performance counter.
#pragma once

#include <cstdint>
#include <memory>

#include "cpu/processor_access.h"
#include "platform/x86/x86_instructions.h"

namespace romwise::x86 {

// Runs `body(context)`; false when it faulted.
using FaultGuard = bool (*)(void (*body)(void* context), void* context);

namespace guarded_detail {

struct CpuidCall {
    std::uint32_t leaf;
    CpuidRegisters registers;
};

#if ROMWISE_X86

inline void executeCpuid(void* context) {
    auto* call = static_cast<CpuidCall*>(context);
    call->registers = cpuid(call->leaf);
}

inline void executeRdtsc(void* context) {
    *static_cast<std::uint64_t*>(context) = readTimeStampCounter();
}

inline void executeOrps(void*) {
    sseProbe();
}

inline void executeBitScanLoop(void* context) {
    *static_cast<std::uint32_t*>(context) = bitScanLoop();
}

#else

// Never run: elsewhere there is no instruction to run.
inline void executeCpuid(void*) {}
inline void executeRdtsc(void*) {}
inline void executeOrps(void*) {}
inline void executeBitScanLoop(void*) {}

#endif

}  // namespace guarded_detail

// `guard` is the system's fault guard; an object of `GuardHandlers` keeps
// the guard's handlers installed while it lives. One is made at the first
// guarded instruction and kept as long as this object, so that a timed
// instruction is not preceded by a system call that the scheduler could
// step in at. On a processor other than x86 none of the instructions exists.
template <class GuardHandlers, FaultGuard guard>
class GuardedProcessorAccess : public ProcessorAccess {
  public:
    // The EFLAGS ID-bit test on a 32-bit processor; always true on x86-64.
    bool hasCpuid() override {
#if ROMWISE_X86
        return identificationFlagToggles();
#else
        return false;
#endif
    }

    bool cpuid(std::uint32_t leaf, CpuidRegisters& out) override {
        guarded_detail::CpuidCall call{leaf, {}};
        if (!run(guarded_detail::executeCpuid, &call)) {
            return false;
        }
        out = call.registers;
        return true;
    }

    bool readTimeStampCounter(std::uint64_t& out) override {
        std::uint64_t value = 0;
        if (!run(guarded_detail::executeRdtsc, &value)) {
            return false;
        }
        out = value;
        return true;
    }

    bool executeSseProbe() override {
        return run(guarded_detail::executeOrps, nullptr);
    }

    // True when the loop ran to its end with the answer it must give.
    bool runBitScanLoop() override {
        std::uint32_t bit = 0;
        return run(guarded_detail::executeBitScanLoop, &bit) && bit == 31;
    }

  private:
    bool run([[maybe_unused]] void (*body)(void* context), [[maybe_unused]] void* context) {
#if ROMWISE_X86
        if (!handlers_) {
            handlers_ = std::make_unique<GuardHandlers>();
        }
        return guard(body, context);
#else
        return false;
#endif
    }

    std::unique_ptr<GuardHandlers> handlers_;
};

}  // namespace romwise::x86

// The identification instructions, each run under the platform's fault
// guard: a processor without the instruction faults, and the guard turns
// that into a false answer instead of the end of the program.
#pragma once

#include <cstdint>

#include "cpu/processor_access.h"
#include "platform/x86/x86_instructions.h"

#if ROMWISE_X86

namespace romwise::x86 {

// Runs `body(context)`; false when it faulted.
using FaultGuard = bool (*)(void (*body)(void* context), void* context);

namespace guarded_detail {

struct CpuidCall {
    std::uint32_t leaf;
    CpuidRegisters registers;
};

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

}  // namespace guarded_detail

inline bool guardedCpuid(FaultGuard guard, std::uint32_t leaf, CpuidRegisters& out) {
    guarded_detail::CpuidCall call{leaf, {}};
    if (!guard(guarded_detail::executeCpuid, &call)) {
        return false;
    }
    out = call.registers;
    return true;
}

inline bool guardedTimeStampCounter(FaultGuard guard, std::uint64_t& out) {
    std::uint64_t value = 0;
    if (!guard(guarded_detail::executeRdtsc, &value)) {
        return false;
    }
    out = value;
    return true;
}

inline bool guardedSseProbe(FaultGuard guard) {
    return guard(guarded_detail::executeOrps, nullptr);
}

// True when the loop ran to its end with the answer it must give.
inline bool guardedBitScanLoop(FaultGuard guard) {
    std::uint32_t bit = 0;
    return guard(guarded_detail::executeBitScanLoop, &bit) && bit == 31;
}

}  // namespace romwise::x86

#endif  // ROMWISE_X86

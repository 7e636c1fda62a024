// The processor instructions the processor identification runs, as inline
// assembly that GCC and Clang accept for i686 and x86-64, on Linux and on
// Windows (MinGW). None of them is guarded here: x86_processor_access.h runs
// each one under the system's fault guard.
#pragma once

#include <cstdint>

#include "cpu/processor_access.h"

#if defined(__i386__) || defined(__x86_64__)
#define ROMWISE_X86 1
#else
#define ROMWISE_X86 0
#endif

namespace romwise::x86 {

// How many scans the bit-scan loop runs.
inline constexpr std::uint32_t kBitScanIterations = 10'000'000;

#if ROMWISE_X86

inline CpuidRegisters cpuid(std::uint32_t leaf) {
    std::uint32_t a = 0, b = 0, c = 0, d = 0;
    asm volatile("cpuid" : "=a"(a), "=b"(b), "=c"(c), "=d"(d) : "a"(leaf), "c"(0u));
    return CpuidRegisters{a, b, c, d};
}

inline std::uint64_t readTimeStampCounter() {
    std::uint32_t low = 0, high = 0;
    asm volatile("rdtsc" : "=a"(low), "=d"(high));
    return (std::uint64_t{high} << 32) | low;
}

// One SSE instruction; OR-ing XMM0 with itself leaves it as it was. It faults
// where the processor or the system does not support SSE.
inline void sseProbe() {
    asm volatile("orps %%xmm0, %%xmm0" ::: "cc");
}

// 10,000,000 scans of 80000000h, each one executed: the loop is the
// instructions themselves, so no optimiser can hoist the constant scan out of
// it or drop it. Returns the last scan's answer (31).
inline std::uint32_t bitScanLoop() {
    std::uint32_t count = kBitScanIterations;
    std::uint32_t bit = 0;
    const std::uint32_t value = 0x80000000u;
    asm volatile(
        "1:\n\t"
        "bsf %[value], %[bit]\n\t"
        "dec %[count]\n\t"
        "jnz 1b"
        : [count] "+r"(count), [bit] "=&r"(bit)
        : [value] "r"(value)
        : "cc");
    return bit;
}

// Whether the ID flag (bit 21) of EFLAGS can be changed: the test for the
// identification instruction on 32-bit processors. Every x86-64 processor
// has the instruction.
inline bool identificationFlagToggles() {
#if defined(__i386__)
    std::uint32_t original = 0, toggled = 0;
    asm volatile(
        "pushfl\n\t"
        "popl %0\n\t"
        "movl %0, %1\n\t"
        "xorl $0x200000, %1\n\t"
        "pushl %1\n\t"
        "popfl\n\t"
        "pushfl\n\t"
        "popl %1\n\t"
        "pushl %0\n\t"
        "popfl"
        : "=&r"(original), "=&r"(toggled)
        :
        : "cc");
    return ((original ^ toggled) & 0x200000u) != 0;
#else
    return true;
#endif
}

#endif

}  // namespace romwise::x86

#include "platform/linux/linux_processor_access.h"

#include <csetjmp>
#include <csignal>
#include <iterator>
#include <ctime>

#if defined(__i386__) || defined(__x86_64__)
#include <x86intrin.h>
#define ROMWISE_X86 1
#else
#define ROMWISE_X86 0
#endif

namespace romwise {

namespace {

constexpr int kGuardedSignals[] = {SIGILL, SIGSEGV, SIGBUS, SIGFPE};

// The jump target of the guard that is running, if any.
sigjmp_buf* volatile activeGuard = nullptr;

extern "C" void jumpOutOfFault(int signal) {
    sigjmp_buf* const target = activeGuard;
    if (target == nullptr) {
        // A fault outside any guard: let the default action happen.
        std::signal(signal, SIG_DFL);
        std::raise(signal);
        return;
    }
    siglongjmp(*target, 1);
}

#if ROMWISE_X86

struct CpuidCall {
    std::uint32_t leaf;
    CpuidRegisters registers;
};

void executeCpuid(void* context) {
    auto* call = static_cast<CpuidCall*>(context);
    std::uint32_t a = 0, b = 0, c = 0, d = 0;
    asm volatile("cpuid" : "=a"(a), "=b"(b), "=c"(c), "=d"(d) : "a"(call->leaf), "c"(0u));
    call->registers = CpuidRegisters{a, b, c, d};
}

void executeRdtsc(void* context) {
    std::uint32_t low = 0, high = 0;
    asm volatile("rdtsc" : "=a"(low), "=d"(high));
    *static_cast<std::uint64_t*>(context) = (std::uint64_t{high} << 32) | low;
}

void executeOrps(void*) {
    asm volatile("orps %%xmm0, %%xmm0" ::: "xmm0");
}

// Each iteration really scans: the loop is the instructions themselves, so
// no optimiser can hoist the constant scan out of it or drop it.
void executeBitScanLoop(void* context) {
    std::uint32_t count = LinuxProcessorAccess::kBitScanIterations;
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
    *static_cast<std::uint32_t*>(context) = bit;
}

#endif

}  // namespace

bool runWithFaultGuard(void (*body)(void* context), void* context) {
    struct sigaction action = {};
    action.sa_handler = jumpOutOfFault;
    sigemptyset(&action.sa_mask);
    action.sa_flags = 0;

    struct sigaction previous[std::size(kGuardedSignals)] = {};
    for (std::size_t i = 0; i < std::size(kGuardedSignals); ++i) {
        sigaction(kGuardedSignals[i], &action, &previous[i]);
    }

    sigjmp_buf jump;
    sigjmp_buf* const outerGuard = activeGuard;
    volatile bool completed = false;
    // The signal mask is saved and restored by the jump, so the faulting
    // signal is not left blocked.
    if (sigsetjmp(jump, 1) == 0) {
        activeGuard = &jump;
        body(context);
        completed = true;
    }
    activeGuard = outerGuard;

    for (std::size_t i = 0; i < std::size(kGuardedSignals); ++i) {
        sigaction(kGuardedSignals[i], &previous[i], nullptr);
    }
    return completed;
}

#if ROMWISE_X86

bool LinuxProcessorAccess::hasCpuid() {
    // The instruction exists when the ID flag of EFLAGS can be changed.
    constexpr unsigned long long kIdFlag = 1ull << 21;
    const auto original = __readeflags();
    __writeeflags(original ^ kIdFlag);
    const auto toggled = __readeflags();
    __writeeflags(original);
    return ((toggled ^ original) & kIdFlag) != 0;
}

bool LinuxProcessorAccess::cpuid(std::uint32_t leaf, CpuidRegisters& out) {
    CpuidCall call{leaf, {}};
    if (!runWithFaultGuard(executeCpuid, &call)) {
        return false;
    }
    out = call.registers;
    return true;
}

bool LinuxProcessorAccess::readTimeStampCounter(std::uint64_t& out) {
    std::uint64_t value = 0;
    if (!runWithFaultGuard(executeRdtsc, &value)) {
        return false;
    }
    out = value;
    return true;
}

bool LinuxProcessorAccess::executeSseProbe() {
    return runWithFaultGuard(executeOrps, nullptr);
}

bool LinuxProcessorAccess::runBitScanLoop() {
    std::uint32_t bit = 0;
    return runWithFaultGuard(executeBitScanLoop, &bit) && bit == 31;
}

#else

// Not an x86 processor: none of the instructions exists.
bool LinuxProcessorAccess::hasCpuid() {
    return false;
}
bool LinuxProcessorAccess::cpuid(std::uint32_t, CpuidRegisters&) {
    return false;
}
bool LinuxProcessorAccess::readTimeStampCounter(std::uint64_t&) {
    return false;
}
bool LinuxProcessorAccess::executeSseProbe() {
    return false;
}
bool LinuxProcessorAccess::runBitScanLoop() {
    return false;
}

#endif

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

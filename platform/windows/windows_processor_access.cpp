#include "platform/windows/windows_processor_access.h"

#include <windows.h>

#include "platform/x86/guarded_instructions.h"

namespace romwise {

void WindowsProcessorAccess::keepGuardHandler() {
    if (!handler_) {
        handler_ = std::make_unique<FaultGuardHandler>();
    }
}

bool WindowsProcessorAccess::hasCpuid() {
    return x86::identificationFlagToggles();
}

bool WindowsProcessorAccess::cpuid(std::uint32_t leaf, CpuidRegisters& out) {
    keepGuardHandler();
    return x86::guardedCpuid(runWithFaultGuard, leaf, out);
}

bool WindowsProcessorAccess::readTimeStampCounter(std::uint64_t& out) {
    keepGuardHandler();
    return x86::guardedTimeStampCounter(runWithFaultGuard, out);
}

bool WindowsProcessorAccess::executeSseProbe() {
    keepGuardHandler();
    return x86::guardedSseProbe(runWithFaultGuard);
}

bool WindowsProcessorAccess::runBitScanLoop() {
    keepGuardHandler();
    return x86::guardedBitScanLoop(runWithFaultGuard);
}

bool WindowsProcessorAccess::queryPerformanceCounter(std::int64_t& out) {
    LARGE_INTEGER count{};
    if (!QueryPerformanceCounter(&count)) {
        return false;
    }
    out = count.QuadPart;
    return true;
}

bool WindowsProcessorAccess::queryPerformanceFrequency(std::int64_t& out) {
    LARGE_INTEGER frequency{};
    if (!QueryPerformanceFrequency(&frequency) || frequency.QuadPart <= 0) {
        return false;
    }
    out = frequency.QuadPart;
    return true;
}

}  // namespace romwise

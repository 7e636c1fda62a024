#include "platform/windows/windows_processor_access.h"

#include <windows.h>

#include "platform/x86/x86_instructions.h"

namespace romwise {

namespace {

struct CpuidCall {
    std::uint32_t leaf;
    CpuidRegisters registers;
};

void executeCpuid(void* context) {
    auto* call = static_cast<CpuidCall*>(context);
    call->registers = x86::cpuid(call->leaf);
}

void executeRdtsc(void* context) {
    *static_cast<std::uint64_t*>(context) = x86::readTimeStampCounter();
}

void executeOrps(void*) {
    x86::sseProbe();
}

void executeBitScanLoop(void* context) {
    *static_cast<std::uint32_t*>(context) = x86::bitScanLoop();
}

}  // namespace

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
    CpuidCall call{leaf, {}};
    if (!runWithFaultGuard(executeCpuid, &call)) {
        return false;
    }
    out = call.registers;
    return true;
}

bool WindowsProcessorAccess::readTimeStampCounter(std::uint64_t& out) {
    keepGuardHandler();
    std::uint64_t value = 0;
    if (!runWithFaultGuard(executeRdtsc, &value)) {
        return false;
    }
    out = value;
    return true;
}

bool WindowsProcessorAccess::executeSseProbe() {
    keepGuardHandler();
    return runWithFaultGuard(executeOrps, nullptr);
}

bool WindowsProcessorAccess::runBitScanLoop() {
    keepGuardHandler();
    std::uint32_t bit = 0;
    return runWithFaultGuard(executeBitScanLoop, &bit) && bit == 31;
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

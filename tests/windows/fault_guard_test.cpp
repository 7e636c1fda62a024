// The fault guard on Windows: an invalid instruction or a bad memory access
// inside a guard becomes a failed step and the program goes on, with its
// registers, its stack and any outer guard intact; a fault outside every
// guard still reaches the handlers after ours. And the processor access
// built on it answers as the system says the processor is.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "cpu/cpu_info.h"
#include "platform/windows/windows_fault_guard.h"
#include "platform/windows/windows_processor_access.h"

namespace romwise {
namespace {

void invalidInstruction(void*) {
    asm volatile("ud2");
}

void writeThroughNull(void* context) {
    *static_cast<volatile int*>(context) = 1;
}

void completes(void* context) {
    ++*static_cast<int*>(context);
}

struct Nested {
    bool innerCompleted = true;
    bool afterInner = false;
};

void faultInsideAnInnerGuard(void* context) {
    auto* nested = static_cast<Nested*>(context);
    nested->innerCompleted = runWithFaultGuard(invalidInstruction, nullptr);
    nested->afterInner = true;
}

TEST(FaultGuard, FaultsEndTheBodyAndTheProgramGoesOn) {
    EXPECT_FALSE(runWithFaultGuard(invalidInstruction, nullptr));
    EXPECT_FALSE(runWithFaultGuard(writeThroughNull, nullptr));
    int count = 0;
    EXPECT_TRUE(runWithFaultGuard(completes, &count));
    EXPECT_EQ(count, 1);
}

TEST(FaultGuard, LocalsAndTheStackSurviveManyFaults) {
    // Values live across the guard in registers or on the stack; a jump that
    // restored the wrong stack or frame would change them or crash.
    volatile std::uint64_t before[8];
    for (int i = 0; i < 8; ++i) {
        before[i] = 0x1111111111111111ull * static_cast<std::uint64_t>(i + 1);
    }
    std::uint64_t sum = 0;
    for (int i = 0; i < 10000; ++i) {
        sum += runWithFaultGuard(invalidInstruction, nullptr) ? 1000 : 1;
    }
    EXPECT_EQ(sum, 10000u);
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(before[i], 0x1111111111111111ull * static_cast<std::uint64_t>(i + 1));
    }
}

TEST(FaultGuard, InnerFaultReturnsToTheInnerGuardOnly) {
    Nested nested;
    EXPECT_TRUE(runWithFaultGuard(faultInsideAnInnerGuard, &nested));
    EXPECT_FALSE(nested.innerCompleted);
    EXPECT_TRUE(nested.afterInner);
}

int faultsSeenAfterOurs = 0;

LONG CALLBACK skipInvalidInstruction(EXCEPTION_POINTERS* exception) {
    if (exception->ExceptionRecord->ExceptionCode != EXCEPTION_ILLEGAL_INSTRUCTION) {
        return EXCEPTION_CONTINUE_SEARCH;
    }
    ++faultsSeenAfterOurs;
#if defined(_WIN64)
    exception->ContextRecord->Rip += 2;  // past ud2
#else
    exception->ContextRecord->Eip += 2;
#endif
    return EXCEPTION_CONTINUE_EXECUTION;
}

TEST(FaultGuard, FaultOutsideEveryGuardGoesToTheNextHandler) {
    WindowsProcessorAccess processor;
    CpuidRegisters leaf0;
    ASSERT_TRUE(processor.cpuid(0, leaf0)) << "installs the guard's handler and keeps it";
    void* next = AddVectoredExceptionHandler(0, skipInvalidInstruction);
    ASSERT_NE(next, nullptr);
    invalidInstruction(nullptr);
    RemoveVectoredExceptionHandler(next);
    EXPECT_EQ(faultsSeenAfterOurs, 1);
}

// What Windows says about the processor, from the registry it fills at boot.
std::string registryVendor() {
    char vendor[64] = {};
    DWORD size = sizeof vendor;
    if (RegGetValueA(HKEY_LOCAL_MACHINE, "HARDWARE\\DESCRIPTION\\System\\CentralProcessor\\0",
                     "VendorIdentifier", RRF_RT_REG_SZ, nullptr, vendor, &size) != ERROR_SUCCESS) {
        return {};
    }
    return vendor;
}

TEST(WindowsProcessor, IdentifiesTheProcessorTheSystemNames) {
    WindowsProcessorAccess processor;
    ASSERT_TRUE(processor.hasCpuid());
    CpuidRegisters leaf0;
    ASSERT_TRUE(processor.cpuid(0, leaf0));
    char vendor[13] = {};
    std::memcpy(vendor, &leaf0.ebx, 4);
    std::memcpy(vendor + 4, &leaf0.edx, 4);
    std::memcpy(vendor + 8, &leaf0.ecx, 4);
    const std::string named = registryVendor();
    if (named.empty()) {
        GTEST_SKIP() << "the system does not name the processor's vendor";
    }
    EXPECT_EQ(std::string(vendor), named);

    CpuidRegisters leaf1;
    ASSERT_TRUE(processor.cpuid(1, leaf1));
    const bool sse = (leaf1.edx >> 25) & 1;
    EXPECT_EQ(processor.executeSseProbe(),
              sse && IsProcessorFeaturePresent(PF_XMMI_INSTRUCTIONS_AVAILABLE));
}

TEST(WindowsProcessor, CountersAdvanceWithTime) {
    WindowsProcessorAccess processor;
    std::int64_t frequency = 0, start = 0, end = 0;
    std::uint64_t tscStart = 0, tscEnd = 0;
    ASSERT_TRUE(processor.queryPerformanceFrequency(frequency));
    ASSERT_TRUE(processor.queryPerformanceCounter(start));
    ASSERT_TRUE(processor.readTimeStampCounter(tscStart));
    Sleep(50);
    ASSERT_TRUE(processor.readTimeStampCounter(tscEnd));
    ASSERT_TRUE(processor.queryPerformanceCounter(end));
    EXPECT_GE(end - start, frequency * 40 / 1000) << "50 ms passed";
    EXPECT_GT(tscEnd, tscStart);
    EXPECT_TRUE(processor.runBitScanLoop());
}

TEST(WindowsProcessor, ClockMeasurementGivesAPlausibleSpeed) {
    WindowsProcessorAccess processor;
    CpuInfo info(processor);
    info.identifyProcessor();
    EXPECT_GT(info.measuredMhz(), 100) << "a processor of this century";
    EXPECT_LT(info.measuredMhz(), 10000);
    EXPECT_NE(info.displayName(), std::string());
}

}  // namespace
}  // namespace romwise

// The x86 processor access over a scripted fault guard: a fault leaves every
// answer as it was, and the guard's handlers are installed once, at the
// first instruction, and kept until the access goes. The instructions'
// answers under the real guards: tests/cpu/real_processor_test.cpp and
// tests/windows/fault_guard_test.cpp.
#include "platform/x86/x86_processor_access.h"

#include <gtest/gtest.h>

namespace romwise {
namespace {

#if ROMWISE_X86

bool g_fault = false;
int g_guardedRuns = 0;
int g_handlersMade = 0;
int g_handlersGone = 0;

// Runs the body, or when a fault is scripted, reports one without running it.
bool scriptedGuard(void (*body)(void* context), void* context) {
    ++g_guardedRuns;
    if (g_fault) {
        return false;
    }
    body(context);
    return true;
}

struct CountedHandlers {
    CountedHandlers() { ++g_handlersMade; }
    ~CountedHandlers() { ++g_handlersGone; }
};

class ScriptedProcessorAccess final
    : public x86::GuardedProcessorAccess<CountedHandlers, scriptedGuard> {
  public:
    bool queryPerformanceCounter(std::int64_t&) override { return false; }
    bool queryPerformanceFrequency(std::int64_t&) override { return false; }
};

TEST(GuardedProcessorAccess, AFaultLeavesEveryAnswerAsItWas) {
    g_fault = true;
    g_guardedRuns = 0;
    ScriptedProcessorAccess processor;
    CpuidRegisters registers{1, 2, 3, 4};
    EXPECT_FALSE(processor.cpuid(0, registers));
    EXPECT_EQ(registers.eax, 1u);
    EXPECT_EQ(registers.edx, 4u);
    std::uint64_t counter = 7;
    EXPECT_FALSE(processor.readTimeStampCounter(counter));
    EXPECT_EQ(counter, 7u);
    EXPECT_FALSE(processor.executeSseProbe());
    EXPECT_FALSE(processor.runBitScanLoop());
    EXPECT_EQ(g_guardedRuns, 4) << "every instruction runs under the guard";
    g_fault = false;
}

TEST(GuardedProcessorAccess, KeepsTheGuardsHandlersFromTheFirstInstructionOn) {
    g_fault = false;
    g_handlersMade = 0;
    g_handlersGone = 0;
    {
        ScriptedProcessorAccess processor;
        EXPECT_TRUE(processor.hasCpuid());
        EXPECT_EQ(g_handlersMade, 0) << "the ID-flag test needs no guard";
        CpuidRegisters registers;
        processor.cpuid(0, registers);
        EXPECT_EQ(g_handlersMade, 1);
        std::uint64_t counter = 0;
        processor.readTimeStampCounter(counter);
        processor.executeSseProbe();
        EXPECT_EQ(g_handlersMade, 1);
        EXPECT_EQ(g_handlersGone, 0);
    }
    EXPECT_EQ(g_handlersGone, 1);
}

#endif

}  // namespace
}  // namespace romwise

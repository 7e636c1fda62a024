// Clock measurement and estimate, on the simulated processor (whose virtual
// counters make a measurement exact) and on a scripted one for the faults.
#include "cpu/clock_measurement.h"

#include <gtest/gtest.h>

#include "cpu/cpu_info.h"
#include "platform/sim/sim_processor_access.h"
#include "tests/cpu/scripted_processor.h"

namespace romwise {
namespace {

using testing::ScriptedProcessor;

constexpr std::uint32_t kTsc = 1u << 4;

sim::ProfileCpu simulatedCpu(std::uint32_t signature, std::uint32_t edx, std::uint32_t clockMhz) {
    sim::ProfileCpu cpu;
    cpu.leaves[0] = sim::CpuidLeaf{1, 0x756E6547, 0x6C65746E, 0x49656E69};  // GenuineIntel
    cpu.leaves[1] = sim::CpuidLeaf{signature, 0, 0, edx};
    cpu.clockMhz = clockMhz;
    return cpu;
}

TEST(ClockMeasurement, MeasuresTheTimeStampCounterRate) {
    struct Case {
        std::uint32_t mhz;
        std::uint64_t counterFrequency;
    };
    for (const Case& c :
         {Case{16, 10'000'000}, Case{133, 1'000'000}, Case{500, 10'000'000}, Case{2400, 25'000'000},
          Case{3466, 10'000'000}, Case{2933, 1'000'000'000}}) {
        sim::ProfileCpu profile = simulatedCpu(0x673, kTsc, c.mhz);
        profile.counterFrequency = c.counterFrequency;
        sim::SimProcessorAccess processor(profile);
        CpuInfo cpu(processor);
        cpu.identifyProcessor();
        ASSERT_NE(cpu.clock, nullptr);
        EXPECT_EQ(cpu.measuredMhz(), static_cast<std::int32_t>(c.mhz))
            << c.mhz << " MHz, counter at " << c.counterFrequency;
        // The wait polls 50 ms of counter time.
        const double seconds =
            static_cast<double>(processor.elapsedTicks()) / static_cast<double>(c.counterFrequency);
        EXPECT_NEAR(seconds, 0.05, 0.0001);
    }
}

TEST(ClockMeasurement, WithoutATimeStampCounterThereIsNoClock) {
    sim::ProfileCpu profile = simulatedCpu(0x480, 0, 33);
    profile.bsfLoopSeconds = 1.0;
    sim::SimProcessorAccess processor(profile);
    CpuInfo cpu(processor);
    cpu.identifyProcessor();
    EXPECT_EQ(cpu.clock, nullptr);
    EXPECT_EQ(cpu.measuredMhz(), -1);
    EXPECT_EQ(cpu.estimatedMhz, 448u) << "470,000,000 / 1 s / 2^20";
}

TEST(ClockMeasurement, EstimateByFamilyDividesBy2To20) {
    struct Case {
        std::uint32_t signature;
        double loopSeconds;
        bool derived;
        std::uint32_t estimate;
    };
    for (const Case& c :
         {Case{0x340, 1.0, true, 1096}, Case{0x480, 0.5, true, 896}, Case{0x525, 0.25, true, 1640},
          Case{0x525, 4.0, true, 102}, Case{0x673, 1.0, false, 0}, Case{0xF24, 1.0, false, 0}}) {
        sim::ProfileCpu profile = simulatedCpu(c.signature, 0, 0);
        profile.bsfLoopSeconds = c.loopSeconds;
        sim::SimProcessorAccess processor(profile);
        CpuInfo cpu(processor);
        cpu.readVendorAndSignature();
        EXPECT_EQ(estimateClock(cpu), c.derived) << std::hex << c.signature;
        EXPECT_EQ(cpu.estimatedMhz, c.estimate) << std::hex << c.signature;
    }
}

TEST(ClockMeasurement, ALoopThatTakesNoTimeGivesNoEstimate) {
    // The virtual counter moves one count per reading, so the loop seems to
    // take 100 ns: far more MHz than 32 bits hold.
    sim::ProfileCpu profile = simulatedCpu(0x480, 0, 0);
    profile.bsfLoopSeconds = 0.0;
    sim::SimProcessorAccess processor(profile);
    CpuInfo cpu(processor);
    cpu.readVendorAndSignature();
    EXPECT_FALSE(estimateClock(cpu));
    EXPECT_EQ(cpu.estimatedMhz, 0u);

    ScriptedProcessor zeroFrequency;
    zeroFrequency.frequency = 0;
    CpuInfo other(zeroFrequency);
    other.family = 4;
    EXPECT_FALSE(estimateClock(other));
    EXPECT_EQ(zeroFrequency.bitScanLoops, 1);
}

TEST(ClockMeasurement, AFaultingTimeStampCounterGivesZero) {
    ScriptedProcessor processor;
    processor.timeStampFaults = true;
    CpuInfo cpu(processor);
    cpu.hasTsc = true;
    EXPECT_EQ(timeCycles(processor, waitMilliseconds, 50), -1);
    ASSERT_TRUE(measureClock(cpu));
    EXPECT_EQ(cpu.measuredMhz(), 0);
}

TEST(ClockMeasurement, AFailedFrequencyQueryReturnsAtOnce) {
    ScriptedProcessor processor;
    processor.frequencyFails = true;
    waitMilliseconds(processor, 50);
    waitOverhead(processor, 50);
    EXPECT_EQ(processor.counterReads, 0);

    CpuInfo cpu(processor);
    cpu.hasTsc = true;
    ASSERT_TRUE(measureClock(cpu));
    EXPECT_EQ(cpu.measuredMhz(), 0);
}

TEST(ClockMeasurement, WaitsReadTheCounterAsOften) {
    struct Case {
        std::int64_t frequency;
        int waitReads;      // the start and every poll
        int overheadReads;  // the start and one poll
    };
    for (const Case& c : {Case{10'000, 1 + 500, 2}, Case{999, 1 + 1, 2}, Case{1'000, 1 + 50, 2},
                          Case{1'999, 1 + 50, 2}}) {
        ScriptedProcessor wait;
        wait.frequency = c.frequency;
        waitMilliseconds(wait, 50);
        EXPECT_EQ(wait.counterReads, c.waitReads) << c.frequency;

        ScriptedProcessor overhead;
        overhead.frequency = c.frequency;
        waitOverhead(overhead, 50);
        EXPECT_EQ(overhead.counterReads, c.overheadReads) << c.frequency;
    }
}

TEST(ClockMeasurement, CyclesAreTheDifferenceOfTwoReadings) {
    ScriptedProcessor processor;
    processor.frequency = 10'000;
    processor.cyclesPerCount = 1'000;
    // The wait's 501 readings, then the closing reading's count.
    EXPECT_EQ(timeCycles(processor, waitMilliseconds, 50), 501 * 1'000);
    EXPECT_EQ(timeCycles(processor, waitOverhead, 50), 2 * 1'000);
}

}  // namespace
}  // namespace romwise

#include "cpu/clock_measurement.h"

#include <limits>
#include <new>

#include "cpu/cpu_info.h"

namespace romwise {

namespace {

// The counter count that `milliseconds` make at `frequency` counts per
// second (the division first, as whole numbers).
std::int64_t targetCount(std::int64_t frequency, std::uint32_t milliseconds) {
    return (frequency / 1000) * static_cast<std::int64_t>(milliseconds);
}

// Reads the counter and gives the count since `start`; false when it fails.
bool countSince(ProcessorAccess& processor, std::int64_t start, std::int64_t& elapsed) {
    std::int64_t now = 0;
    if (!processor.queryPerformanceCounter(now)) {
        return false;
    }
    elapsed = now - start;
    return true;
}

// Reads the counter for `milliseconds` worth of counts and spins while
// `keepWaiting(elapsed, target)` holds. A frequency or counter that does not
// answer ends the wait rather than spinning on.
template <typename KeepWaiting>
void spinOnCounter(ProcessorAccess& processor, std::uint32_t milliseconds,
                   KeepWaiting keepWaiting) {
    std::int64_t frequency = 0;
    if (!processor.queryPerformanceFrequency(frequency)) {
        return;
    }
    const std::int64_t target = targetCount(frequency, milliseconds);
    std::int64_t start = 0;
    if (!processor.queryPerformanceCounter(start)) {
        return;
    }
    std::int64_t elapsed = 0;
    do {
        if (!countSince(processor, start, elapsed)) {
            return;
        }
    } while (keepWaiting(elapsed, target));
}

}  // namespace

std::int64_t timeCycles(ProcessorAccess& processor, TimedRoutine routine, std::uint32_t argument) {
    std::uint64_t start = 0;
    if (!processor.readTimeStampCounter(start)) {
        return -1;
    }
    routine(processor, argument);
    std::uint64_t end = 0;
    if (!processor.readTimeStampCounter(end)) {
        return -1;
    }
    return static_cast<std::int64_t>(end - start);
}

void waitMilliseconds(ProcessorAccess& processor, std::uint32_t milliseconds) {
    spinOnCounter(processor, milliseconds,
                  [](std::int64_t elapsed, std::int64_t target) { return elapsed < target; });
}

// Runs the same reads as waitMilliseconds but leaves the loop at the first
// count that differs from the target, so it costs the loop's overhead only.
void waitOverhead(ProcessorAccess& processor, std::uint32_t milliseconds) {
    spinOnCounter(processor, milliseconds,
                  [](std::int64_t elapsed, std::int64_t target) { return elapsed == target; });
}

bool measureClock(CpuInfo& cpu) {
    if (!cpu.hasTsc) {
        return false;
    }
    cpu.clock.reset(new (std::nothrow) ClockMeasurement);
    if (!cpu.clock) {
        return false;
    }
    const std::int64_t waited =
        timeCycles(cpu.processor(), waitMilliseconds, kClockWaitMilliseconds);
    const std::int64_t overhead = timeCycles(cpu.processor(), waitOverhead, kClockWaitMilliseconds);
    // Cycles per millisecond, then per microsecond. The difference wraps
    // like the 64-bit counter itself instead of overflowing.
    const auto difference = static_cast<std::int64_t>(static_cast<std::uint64_t>(waited) -
                                                      static_cast<std::uint64_t>(overhead));
    const std::int64_t mhz = (difference / kClockWaitMilliseconds) / 1000;
    cpu.clock->mhz = static_cast<std::uint32_t>(mhz);
    return true;
}

bool estimateClock(CpuInfo& cpu) {
    ProcessorAccess& processor = cpu.processor();
    std::int64_t t0 = 0;
    std::int64_t t1 = 0;
    std::int64_t frequency = 0;
    if (!processor.queryPerformanceCounter(t0) || !processor.runBitScanLoop() ||
        !processor.queryPerformanceCounter(t1) || !processor.queryPerformanceFrequency(frequency)) {
        return false;
    }
    // A counter without a frequency, or one that did not move, times
    // nothing; dividing by it would give no number at all.
    if (frequency <= 0 || t1 <= t0) {
        return false;
    }
    const long double seconds =
        static_cast<long double>(t1 - t0) / static_cast<long double>(frequency);
    for (const BitScanConstant& constant : kBitScanConstants) {
        if (constant.family != cpu.family) {
            continue;
        }
        // Divided by 2^20, not by a million.
        const long double estimate = constant.cycles / seconds * 9.5367431640625e-7L;
        if (estimate >= static_cast<long double>(std::numeric_limits<std::uint32_t>::max()) + 1) {
            return false;  // a loop this fast measured nothing
        }
        cpu.estimatedMhz = static_cast<std::uint32_t>(estimate);
        return true;
    }
    return false;
}

}  // namespace romwise

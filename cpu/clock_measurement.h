// The processor clock: counted with the time-stamp counter over a wait timed
// by the high-resolution counter, or, without a time-stamp counter, estimated
// from the time a fixed bit-scan loop takes.
#pragma once

#include <cstdint>

#include "cpu/processor_access.h"

namespace romwise {

class CpuInfo;

// The length of the measured wait.
inline constexpr std::uint32_t kClockWaitMilliseconds = 50;

// A routine whose processor cycles `timeCycles` counts.
using TimedRoutine = void (*)(ProcessorAccess& processor, std::uint32_t milliseconds);

// Cycles the routine took, as two time-stamp readings apart; -1 when the
// time-stamp counter faults.
std::int64_t timeCycles(ProcessorAccess& processor, TimedRoutine routine, std::uint32_t argument);

// Polls the high-resolution counter until `milliseconds` have passed; returns
// at once when the counter's frequency cannot be read.
void waitMilliseconds(ProcessorAccess& processor, std::uint32_t milliseconds);

// The same work as `waitMilliseconds` without the wait: it reads the counter
// once more and returns, so that the difference of the two timings is the
// cycle count of the wait alone.
void waitOverhead(ProcessorAccess& processor, std::uint32_t milliseconds);

// Creates `cpu.clock` and fills it from the time-stamp counter; false (and no
// clock) for a processor without one or when the record cannot be created.
bool measureClock(CpuInfo& cpu);

// Sets `cpu.estimatedMhz` from the time of the bit-scan loop, for families 3,
// 4 and 5; false when the loop or the counter fails, for other families, or
// when the time read gives no usable estimate.
bool estimateClock(CpuInfo& cpu);

// Cycles per unit of loop time that each family's bit scan takes, so that
// (constant / seconds) / 2^20 is the clock estimate.
struct BitScanConstant {
    std::int32_t family;
    long double cycles;
};

inline constexpr BitScanConstant kBitScanConstants[] = {
    {3, 1'150'000'000.0L},
    {4, 470'000'000.0L},
    {5, 430'000'000.0L},
};

}  // namespace romwise

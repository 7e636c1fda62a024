// The processor of a machine profile: scripted identification leaves, an
// SSE answer and a virtual clock.
#pragma once

#include <cstdint>
#include <optional>

#include "cpu/processor_access.h"
#include "platform/sim/machine_profile.h"

namespace romwise::sim {

// A processor with scripted identification leaves and a virtual clock. Time
// is counted in ticks of the performance counter; every counter reading moves
// it one tick on and the bit-scan loop moves it by its profiled duration, so
// a measurement takes no real time. The time-stamp counter runs a quarter
// MHz above `clockMhz`: a measurement polls the counter and so always loses
// up to a tick of the interval it times, and the margin makes a truncating
// (or rounding) MHz computation come out at exactly `clockMhz`.
class SimProcessorAccess final : public ProcessorAccess {
  public:
    explicit SimProcessorAccess(const std::optional<ProfileCpu>& cpu);

    bool hasCpuid() override { return cpu_.has_value(); }
    bool cpuid(std::uint32_t leaf, CpuidRegisters& out) override;
    bool readTimeStampCounter(std::uint64_t& out) override;
    bool executeSseProbe() override { return cpu_ && cpu_->sse; }
    bool runBitScanLoop() override;
    bool queryPerformanceCounter(std::int64_t& out) override;
    bool queryPerformanceFrequency(std::int64_t& out) override;

    std::uint64_t elapsedTicks() const { return ticks_; }

  private:
    bool hasTimeStampCounter() const;

    std::optional<ProfileCpu> cpu_;
    std::uint64_t frequency_;
    std::uint64_t ticks_ = 0;
};

}  // namespace romwise::sim

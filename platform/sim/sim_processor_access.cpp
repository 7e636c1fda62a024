#include "platform/sim/sim_processor_access.h"

#include <limits>

namespace romwise::sim {

namespace {

constexpr std::uint64_t kDefaultCounterFrequency = 10'000'000;
// The time-stamp counter's margin over `clockMhz`, in Hz (see
// SimProcessorAccess).
constexpr std::uint64_t kTimeStampMarginHz = 250'000;
constexpr std::uint32_t kFeatureTimeStampCounter = 1u << 4;  // leaf 1, EDX

}  // namespace

SimProcessorAccess::SimProcessorAccess(const std::optional<ProfileCpu>& cpu)
    : cpu_(cpu),
      frequency_(cpu && cpu->counterFrequency > 0 ? cpu->counterFrequency
                                                  : kDefaultCounterFrequency) {}

bool SimProcessorAccess::cpuid(std::uint32_t leaf, CpuidRegisters& out) {
    if (!cpu_) {
        return false;  // the instruction faults
    }
    out = CpuidRegisters{};
    auto found = cpu_->leaves.find(leaf);
    if (found != cpu_->leaves.end()) {
        out.eax = found->second.eax;
        out.ebx = found->second.ebx;
        out.ecx = found->second.ecx;
        out.edx = found->second.edx;
    }
    return true;
}

bool SimProcessorAccess::hasTimeStampCounter() const {
    if (!cpu_ || cpu_->clockMhz == 0) {
        return false;
    }
    auto leaf1 = cpu_->leaves.find(1);
    return leaf1 != cpu_->leaves.end() && (leaf1->second.edx & kFeatureTimeStampCounter) != 0;
}

bool SimProcessorAccess::readTimeStampCounter(std::uint64_t& out) {
    if (!hasTimeStampCounter()) {
        return false;
    }
    // cycles = ticks * rate / frequency, without overflowing the product.
    const std::uint64_t rate = std::uint64_t{cpu_->clockMhz} * 1'000'000 + kTimeStampMarginHz;
    const std::uint64_t whole = ticks_ / frequency_;
    const std::uint64_t part = ticks_ % frequency_;
    std::uint64_t partCycles = 0;
    if (part <= std::numeric_limits<std::uint64_t>::max() / rate) {
        partCycles = part * rate / frequency_;
    } else {
        partCycles = static_cast<std::uint64_t>(static_cast<long double>(part) * rate / frequency_);
    }
    out = whole * rate + partCycles;
    return true;
}

bool SimProcessorAccess::runBitScanLoop() {
    const double seconds = cpu_ ? cpu_->bsfLoopSeconds : 0.0;
    // Rounded to the nearest tick; the product is never negative (the loader
    // bounds both), so adding one half and truncating does it without the
    // maths library, which this program then need not load at all.
    ticks_ += static_cast<std::uint64_t>(seconds * static_cast<double>(frequency_) + 0.5);
    return true;
}

bool SimProcessorAccess::queryPerformanceCounter(std::int64_t& out) {
    ++ticks_;
    out = static_cast<std::int64_t>(ticks_);
    return true;
}

bool SimProcessorAccess::queryPerformanceFrequency(std::int64_t& out) {
    out = static_cast<std::int64_t>(frequency_);
    return true;
}

}  // namespace romwise::sim

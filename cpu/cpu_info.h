// The processor as its identification instruction describes it.
#pragma once

#include <cstdint>

#include "app/fixed_text.h"
#include "cpu/processor_access.h"

namespace romwise {

class CpuInfo {
  public:
    explicit CpuInfo(ProcessorAccess& processor) : processor_(processor) {}

    void identifyProcessor();
    const char* displayName() const { return name_.c_str(); }
    // The measured clock in MHz, or -1 when no clock was measured.
    std::int32_t measuredMhz() const { return measuredMhz_; }

  private:
    ProcessorAccess& processor_;
    FixedText<64> name_;
    std::int32_t measuredMhz_ = -1;
};

}  // namespace romwise

// Reads the SMBIOS/DMI structure table through a physical memory window.
#pragma once

#include <memory>

#include "app/detection_results.h"
#include "dmi/dmi_summary.h"
#include "hw/physical_memory_window.h"

namespace romwise {

class DmiReader {
  public:
    explicit DmiReader(std::unique_ptr<PhysicalMemoryWindow> window) : window_(std::move(window)) {}
    PhysicalMemoryWindow* window() { return window_.get(); }

  private:
    std::unique_ptr<PhysicalMemoryWindow> window_;
};

// Returns false when no entry point is found; then nothing is written.
bool ReadDmi(DmiReader& reader, DmiSummary& summary, MemorySlotSizes& slots);

}  // namespace romwise

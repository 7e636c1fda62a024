// Names the chipset from PCI configuration space of bus 0.
#pragma once

#include "app/fixed_text.h"
#include "hw/pci_config_access.h"

namespace romwise {

class ChipsetDetector {
  public:
    explicit ChipsetDetector(PciConfigAccess& pci) : pci_(pci) {}
    // Writes "Chipset:   ..." and returns true when a chipset was named;
    // leaves the line untouched otherwise.
    bool identify(FixedText<260>& line);

  private:
    PciConfigAccess& pci_;
};

}  // namespace romwise

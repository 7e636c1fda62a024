// Names the chipset from PCI configuration space of bus 0.
#pragma once

#include "app/fixed_text.h"
#include "hw/pci_config_access.h"

namespace romwise {

class ChipsetDetector {
  public:
    explicit ChipsetDetector(PciConfigAccess& pci) : pci_(pci) {}
    virtual ~ChipsetDetector() = default;

    // Scans function 0 of devices 0-31 on bus 0; the first device of a known
    // vendor is named. Writes "Chipset:   NAME rev N" and returns true, or
    // returns false with the line untouched. Sets skipPorts2E4E() for the
    // chipsets that need it.
    bool identify(FixedText<260>& line);

  private:
    PciConfigAccess& pci_;
};

}  // namespace romwise

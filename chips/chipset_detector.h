// Names the chipset from PCI configuration space of bus 0.
#pragma once

#include "hw/pci_config_access.h"
#include "model/fixed_text.h"

namespace romwise {

class ChipsetDetector {
  public:
    explicit ChipsetDetector(PciConfigAccess& pci) : pci_(pci) {}
    virtual ~ChipsetDetector() = default;

    // Scans function 0 of devices 0-31 on bus 0; the first device of a known
    // vendor is named. Writes "Chipset:   NAME rev N" and returns true, or
    // returns false with the line untouched. Sets `skipPorts2E4E` (and never
    // clears it) when the named chipset rules out probing ports 2Eh and 4Eh.
    bool identify(FixedText<260>& line, bool& skipPorts2E4E);

  private:
    PciConfigAccess& pci_;
};

}  // namespace romwise

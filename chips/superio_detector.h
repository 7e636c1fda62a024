// Finds the Super I/O chip through its configuration ports.
#pragma once

#include "app/fixed_text.h"
#include "hw/hardware_driver.h"
#include "hw/pci_config_access.h"

namespace romwise {

class SuperIoDetector {
  public:
    // The south-bridge probe reads PCI configuration space through
    // mechanism #1 on the same driver.
    explicit SuperIoDetector(HardwareDriver& driver) : driver_(driver) {}
    // The south-bridge probe reads PCI configuration space through `pci` (the
    // platform's own access, which on Linux goes through the kernel).
    SuperIoDetector(HardwareDriver& driver, PciConfigAccess& pci) : driver_(driver), pci_(&pci) {}
    virtual ~SuperIoDetector() = default;

    // Runs the family probes in their fixed order; the first that names a
    // chip ends the chain. Writes "Superio:   NAME rev N found at port Ph" and
    // returns true, or returns false with the line untouched. Ports 2Eh and
    // 4Eh are left alone while skipPorts2E4E() is set.
    bool identify(FixedText<260>& line);

  private:
    HardwareDriver& driver_;
    PciConfigAccess* pci_ = nullptr;
};

}  // namespace romwise

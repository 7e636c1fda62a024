// Finds the Super I/O chip through its configuration ports.
#pragma once

#include "hw/hardware_driver.h"
#include "hw/pci_config_access.h"
#include "model/fixed_text.h"

namespace romwise {

class SuperIoDetector {
  public:
    // The south-bridge probe reads PCI configuration space through
    // mechanism #1 on the same driver. Ports 2Eh and 4Eh are left alone when
    // `skipPorts2E4E` is set.
    explicit SuperIoDetector(HardwareDriver& driver, bool skipPorts2E4E = false)
        : driver_(driver), skipPorts2E4E_(skipPorts2E4E) {}
    // The south-bridge probe reads PCI configuration space through `pci` (the
    // platform's own access, which on Linux goes through the kernel).
    SuperIoDetector(HardwareDriver& driver, PciConfigAccess& pci, bool skipPorts2E4E = false)
        : driver_(driver), pci_(&pci), skipPorts2E4E_(skipPorts2E4E) {}
    virtual ~SuperIoDetector() = default;

    // Runs the family probes in their fixed order; the first that names a
    // chip ends the chain. Writes "Superio:   NAME rev N found at port Ph" and
    // returns true, or returns false with the line untouched.
    bool identify(FixedText<260>& line);

  private:
    HardwareDriver& driver_;
    PciConfigAccess* pci_ = nullptr;
    bool skipPorts2E4E_ = false;
};

}  // namespace romwise

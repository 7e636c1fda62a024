// What a Super I/O probe reaches: byte ports through the hardware driver, PCI
// configuration space, and whether ports 2Eh and 4Eh are off limits.
#pragma once

#include <cstdint>
#include <initializer_list>

#include "hw/hardware_driver.h"
#include "hw/pci_config_access.h"

namespace romwise {

class ConfigPorts {
  public:
    ConfigPorts(HardwareDriver& driver, PciConfigAccess& pci, bool skipPorts2E4E)
        : driver_(driver), pci_(pci), skipPorts2E4E_(skipPorts2E4E) {}

    void write(std::uint32_t port, std::uint8_t value);
    // Writes each value to `port`, in order.
    void writeEach(std::uint32_t port, std::initializer_list<std::uint8_t> values);
    std::uint8_t read(std::uint32_t port);
    // Selects `reg` at the index port and reads the data port after it.
    std::uint8_t readRegister(std::uint32_t indexPort, std::uint8_t reg);

    PciConfigAccess& pci() { return pci_; }
    // False for 2Eh and 4Eh once a chipset has ruled them out.
    bool mayProbe(std::uint32_t indexPort) const;
    bool skipsPorts2E4E() const { return skipPorts2E4E_; }

  private:
    HardwareDriver& driver_;
    PciConfigAccess& pci_;
    bool skipPorts2E4E_;
};

}  // namespace romwise

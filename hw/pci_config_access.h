// 32-bit reads of PCI configuration space.
#pragma once

#include <cstdint>

#include "hw/hardware_driver.h"

namespace romwise {

class PciConfigAccess {
  public:
    virtual ~PciConfigAccess() = default;
    // The aligned configuration dword holding `reg`; all ones when nothing answers.
    virtual std::uint32_t ReadConfigDword(std::uint32_t bus, std::uint32_t device,
                                          std::uint32_t function, std::uint32_t reg) = 0;
};

// The configuration address of mechanism #1 for bus, device, function, register.
std::uint32_t pciConfigAddress(std::uint32_t bus, std::uint32_t device, std::uint32_t function,
                               std::uint32_t reg);

// Configuration mechanism #1: the address written to CF8h, the dword read from CFCh.
class PortPciConfigAccess final : public PciConfigAccess {
  public:
    explicit PortPciConfigAccess(HardwareDriver& driver) : driver_(driver) {}
    std::uint32_t ReadConfigDword(std::uint32_t bus, std::uint32_t device, std::uint32_t function,
                                  std::uint32_t reg) override;

  private:
    HardwareDriver& driver_;
};

}  // namespace romwise

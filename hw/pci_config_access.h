// 32-bit reads of PCI configuration space.
#pragma once

#include <cstdint>

#include "hw/hardware_driver.h"

namespace romwise {

// The configuration registers the program reads: vendor | device id << 16,
// and the revision in the low byte; what a read gives where no device
// answers.
inline constexpr std::uint32_t kPciIdRegister = 0x00;
inline constexpr std::uint32_t kPciRevisionRegister = 0x08;
inline constexpr std::uint32_t kPciNoDevice = 0xFFFFFFFFu;

class PciConfigAccess {
  public:
    virtual ~PciConfigAccess() = default;
    // The aligned configuration dword holding `reg` (bus 0-255, device masked
    // to 0-31, function to 0-7, register rounded down to a multiple of 4);
    // all ones when nothing answers.
    virtual std::uint32_t ReadConfigDword(std::uint32_t bus, std::uint32_t device,
                                          std::uint32_t function, std::uint32_t reg) = 0;
};

// The configuration address of mechanism #1 for bus, device, function, register.
std::uint32_t pciConfigAddress(std::uint32_t bus, std::uint32_t device, std::uint32_t function,
                               std::uint32_t reg);

// Configuration mechanism #1: the address written to CF8h, then the dword read
// from CFCh, as two separate driver requests. The address port is not
// restored. Meant for the simulated machines and for platforms without a
// kernel interface to configuration space: on a running operating system these
// writes race the kernel's own configuration accesses.
class PortPciConfigAccess final : public PciConfigAccess {
  public:
    explicit PortPciConfigAccess(HardwareDriver& driver) : driver_(driver) {}
    std::uint32_t ReadConfigDword(std::uint32_t bus, std::uint32_t device, std::uint32_t function,
                                  std::uint32_t reg) override;

  private:
    HardwareDriver& driver_;
};

}  // namespace romwise

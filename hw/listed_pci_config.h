// Configuration reads answered from the system's device list instead of the
// configuration space: the pass without the port driver names the chipset
// from what the operating system lists.
#pragma once

#include <cstdint>
#include <utility>
#include <vector>

#include "hw/pci_config_access.h"
#include "hw/system_firmware.h"

namespace romwise {

// Register 00h is vendor | device id << 16 and register 08h holds the
// revision in its low byte, as the configuration space has them; other
// registers read 0, and devices the list does not hold read all ones.
class ListedPciConfigAccess final : public PciConfigAccess {
  public:
    explicit ListedPciConfigAccess(std::vector<ListedPciDevice> devices)
        : devices_(std::move(devices)) {}
    std::uint32_t ReadConfigDword(std::uint32_t bus, std::uint32_t device, std::uint32_t function,
                                  std::uint32_t reg) override;

  private:
    std::vector<ListedPciDevice> devices_;
};

}  // namespace romwise

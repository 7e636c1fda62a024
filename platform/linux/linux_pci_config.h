// PCI configuration reads through the kernel, which serialises them with its
// own configuration accesses (user-space writes to CF8h race them).
#pragma once

#include <string>

#include "hw/pci_config_access.h"

namespace romwise {

class LinuxPciConfigAccess final : public PciConfigAccess {
  public:
    // The roots are the kernel's; tests point them at a directory of their own.
    explicit LinuxPciConfigAccess(std::string sysfsDevices = kSysfsDevices,
                                  std::string procBusPci = kProcBusPci);

    // Reads the dword from /sys/bus/pci/devices/0000:BB:DD.F/config, else
    // from /proc/bus/pci/BB/DD.F, with the masks of mechanism #1; all ones
    // when neither holds the device or the read comes up short.
    std::uint32_t ReadConfigDword(std::uint32_t bus, std::uint32_t device, std::uint32_t function,
                                  std::uint32_t reg) override;

    // Whether the kernel offers configuration space at either root.
    static bool available(const std::string& sysfsDevices = kSysfsDevices,
                          const std::string& procBusPci = kProcBusPci);

    static constexpr const char* kSysfsDevices = "/sys/bus/pci/devices";
    static constexpr const char* kProcBusPci = "/proc/bus/pci";

  private:
    std::string sysfsDevices_;
    std::string procBusPci_;
};

}  // namespace romwise

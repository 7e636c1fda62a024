// What Linux tells any user about the firmware and bus 0: the PCI device
// list and the DMI identity strings under /sys. Linux offers no ROM window
// without /dev/mem, which only the driver route opens.
#pragma once

#include <string>

#include "hw/system_firmware.h"

namespace romwise {

class LinuxSystemFirmware final : public SystemFirmware {
  public:
    // The root of sysfs; tests point it at a tree of their own.
    explicit LinuxSystemFirmware(std::string sysfsRoot = "/sys");

    // Always nothing.
    std::optional<std::vector<std::uint8_t>> readRomWindow() override;
    // Domain 0, bus 0's devices from bus/pci/devices/0000:00:DD.F/{vendor,
    // device,revision}, in device and function order. A device whose ids
    // cannot be read is left out; nothing when the folder cannot be read.
    std::optional<std::vector<ListedPciDevice>> listPciDevices() override;
    // class/dmi/id/{bios_vendor,bios_version,bios_date,board_vendor,
    // board_name}; nothing when none of them holds a string.
    std::optional<FirmwareIdentity> readIdentity() override;

  private:
    std::string sysfsRoot_;
};

}  // namespace romwise

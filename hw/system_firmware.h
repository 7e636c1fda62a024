// What the operating system itself tells any program about the firmware and
// the PCI devices, without the hardware-access driver: the ROM window as the
// firmware-table service gives it, bus 0's devices as the system's device
// list has them, and the firmware's identity strings. The SMBIOS tables come
// through FirmwareTables (hw/firmware_tables.h).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace romwise {

// A device as the system lists it: where it sits and its ids, no access to
// its configuration space.
struct ListedPciDevice {
    std::uint8_t bus = 0;
    std::uint8_t device = 0;
    std::uint8_t function = 0;
    std::uint16_t vendor = 0;
    std::uint16_t deviceId = 0;
    std::uint8_t revision = 0;
};

// The identity strings of SMBIOS types 0 and 2, as the system hands them to
// any user; empty where the system gives none. Raw firmware bytes.
struct FirmwareIdentity {
    std::string biosVendor;
    std::string biosVersion;
    std::string biosDate;
    std::string boardVendor;
    std::string boardName;

    bool operator==(const FirmwareIdentity&) const = default;
};

class SystemFirmware {
  public:
    virtual ~SystemFirmware() = default;
    // The ROM window (kRomBase, kRomLength of hw/rom_window.h); nothing when the system does not
    // offer them.
    virtual std::optional<std::vector<std::uint8_t>> readRomWindow() = 0;
    // Bus 0's devices in bus, device, function order; nothing when the
    // system keeps no list that this program may read.
    virtual std::optional<std::vector<ListedPciDevice>> listPciDevices() = 0;
    // Nothing when the system offers none of the strings.
    virtual std::optional<FirmwareIdentity> readIdentity() = 0;
};

// A system that offers none of it.
class NoSystemFirmware final : public SystemFirmware {
  public:
    std::optional<std::vector<std::uint8_t>> readRomWindow() override { return std::nullopt; }
    std::optional<std::vector<ListedPciDevice>> listPciDevices() override { return std::nullopt; }
    std::optional<FirmwareIdentity> readIdentity() override { return std::nullopt; }
};

}  // namespace romwise

#include "platform/sim/sim_system_firmware.h"

#include <algorithm>

#include "dmi/identity_strings.h"
#include "hw/rom_window.h"

namespace romwise::sim {

std::vector<ListedPciDevice> listedPciDevices(const std::vector<PciDevice>& pci) {
    std::vector<ListedPciDevice> devices;
    for (const PciDevice& device : pci) {
        devices.push_back({0, device.device, 0, device.vendor, device.deviceId, device.revision});
    }
    std::stable_sort(
        devices.begin(), devices.end(),
        [](const ListedPciDevice& a, const ListedPciDevice& b) { return a.device < b.device; });
    return devices;
}

std::optional<SmbiosTables> offeredSmbiosTables(const MachineProfile& profile) {
    const bool rootOnly = profile.os.family == OsFamily::Linux;
    if (!profile.offersFirmwareTables || (rootOnly && !profile.administrator)) {
        return std::nullopt;
    }
    return profile.smbiosTables;
}

std::optional<std::vector<std::uint8_t>> SimSystemFirmware::readRomWindow() {
    if (!profile_.offersFirmwareRom) {
        return std::nullopt;
    }
    return memory_.read(kRomBase, kRomLength);
}

std::optional<std::vector<ListedPciDevice>> SimSystemFirmware::listPciDevices() {
    if (!profile_.offersPciList) {
        return std::nullopt;
    }
    return listedPciDevices(profile_.pci);
}

std::optional<FirmwareIdentity> SimSystemFirmware::readIdentity() {
    if (!profile_.offersIdentity || !profile_.smbiosTables) {
        return std::nullopt;
    }
    return ReadIdentityStrings(*profile_.smbiosTables);
}

}  // namespace romwise::sim

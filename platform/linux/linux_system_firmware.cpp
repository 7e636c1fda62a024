#include "platform/linux/linux_system_firmware.h"

#include <dirent.h>

#include <algorithm>
#include <charconv>
#include <string_view>
#include <utility>

#include "hw/pci_config_access.h"
#include "platform/linux/sysfs_files.h"

namespace romwise {

namespace {

constexpr std::string_view kBus0Prefix = "0000:00:";

// The number of a hex attribute such as "0x8086"; nothing when the text is
// anything else or the number does not fit `limit`.
std::optional<std::uint32_t> parseHex(std::string_view text, std::uint32_t limit) {
    if (text.size() < 3 || text.substr(0, 2) != "0x") {
        return std::nullopt;
    }
    text.remove_prefix(2);
    std::uint32_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, 16);
    if (error != std::errc() || end != text.data() + text.size() || value > limit) {
        return std::nullopt;
    }
    return value;
}

std::optional<std::uint32_t> readHex(const std::string& path, std::uint32_t limit) {
    const auto text = readAttributeText(path);
    return text ? parseHex(*text, limit) : std::nullopt;
}

// "0000:00:DD.F" with DD 00-1f and F 0-7: the device and function.
bool parseBus0Name(std::string_view name, std::uint8_t& device, std::uint8_t& function) {
    if (name.size() != kBus0Prefix.size() + 4 ||
        name.substr(0, kBus0Prefix.size()) != kBus0Prefix || name[kBus0Prefix.size() + 2] != '.') {
        return false;
    }
    const std::string_view slot = name.substr(kBus0Prefix.size(), 2);
    unsigned value = 0;
    const auto [end, error] = std::from_chars(slot.data(), slot.data() + slot.size(), value, 16);
    const char last = name.back();
    if (error != std::errc() || end != slot.data() + slot.size() || value > 0x1F || last < '0' ||
        last > '7') {
        return false;
    }
    device = static_cast<std::uint8_t>(value);
    function = static_cast<std::uint8_t>(last - '0');
    return true;
}

// Kernels before the revision attribute still show the first 64 bytes of
// configuration space to any user.
std::optional<std::uint8_t> readRevision(const std::string& folder) {
    if (const auto revision = readHex(folder + "/revision", 0xFF)) {
        return static_cast<std::uint8_t>(*revision);
    }
    const auto header = readRegularFile(folder + "/config", kPciRevisionRegister + 1);
    if (header && header->size() > kPciRevisionRegister) {
        return (*header)[kPciRevisionRegister];
    }
    return std::nullopt;
}

}  // namespace

LinuxSystemFirmware::LinuxSystemFirmware(std::string sysfsRoot)
    : sysfsRoot_(std::move(sysfsRoot)) {}

std::optional<std::vector<std::uint8_t>> LinuxSystemFirmware::readRomWindow() {
    return std::nullopt;
}

std::optional<std::vector<ListedPciDevice>> LinuxSystemFirmware::listPciDevices() {
    const std::string devices = sysfsRoot_ + "/bus/pci/devices";
    DIR* folder = opendir(devices.c_str());
    if (folder == nullptr) {
        return std::nullopt;
    }
    std::vector<ListedPciDevice> listed;
    while (const dirent* entry = readdir(folder)) {
        ListedPciDevice device;
        if (!parseBus0Name(entry->d_name, device.device, device.function)) {
            continue;
        }
        const std::string path = devices + "/" + entry->d_name;
        const auto vendor = readHex(path + "/vendor", 0xFFFF);
        const auto deviceId = readHex(path + "/device", 0xFFFF);
        const auto revision = readRevision(path);
        if (!vendor || !deviceId || !revision) {
            continue;
        }
        device.vendor = static_cast<std::uint16_t>(*vendor);
        device.deviceId = static_cast<std::uint16_t>(*deviceId);
        device.revision = *revision;
        listed.push_back(device);
    }
    closedir(folder);
    std::sort(listed.begin(), listed.end(), [](const ListedPciDevice& a, const ListedPciDevice& b) {
        return std::pair(a.device, a.function) < std::pair(b.device, b.function);
    });
    return listed;
}

std::optional<FirmwareIdentity> LinuxSystemFirmware::readIdentity() {
    const std::string folder = sysfsRoot_ + "/class/dmi/id/";
    FirmwareIdentity identity;
    const std::pair<const char*, std::string*> files[] = {
        {"bios_vendor", &identity.biosVendor}, {"bios_version", &identity.biosVersion},
        {"bios_date", &identity.biosDate},     {"board_vendor", &identity.boardVendor},
        {"board_name", &identity.boardName},
    };
    bool any = false;
    for (const auto& [name, field] : files) {
        if (auto text = readAttributeText(folder + name)) {
            *field = std::move(*text);
            any = any || !field->empty();
        }
    }
    if (!any) {
        return std::nullopt;
    }
    return identity;
}

}  // namespace romwise

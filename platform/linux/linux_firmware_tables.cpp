#include "platform/linux/linux_firmware_tables.h"

#include "platform/linux/sysfs_files.h"

namespace romwise {

namespace {

// An entry point is 31 bytes at most; anything longer is not one.
constexpr std::size_t kLongestEntryPoint = 0x40;

}  // namespace

std::optional<SmbiosTables> LinuxFirmwareTables::readSmbiosTables() {
    auto entryPoint = readRegularFile(directory_ + "/smbios_entry_point", kLongestEntryPoint);
    if (!entryPoint || entryPoint->empty()) {
        return std::nullopt;
    }
    auto table = readRegularFile(directory_ + "/DMI", kLongestSmbiosTable);
    if (!table || table->empty()) {
        return std::nullopt;
    }
    return SmbiosTables{std::move(*entryPoint), std::move(*table)};
}

}  // namespace romwise

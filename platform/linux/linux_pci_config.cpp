#include "platform/linux/linux_pci_config.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <utility>

namespace romwise {

namespace {

constexpr std::uint32_t kAllOnes = 0xFFFFFFFFu;

bool isDirectory(const std::string& path) {
    struct stat info {};
    return stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

// The dword at `offset` of a configuration-space file, assembled from its
// little-endian bytes; false when the file cannot be opened or is too short
// (an unprivileged reader sees only the first 64 bytes).
bool readDword(const std::string& path, std::uint32_t offset, std::uint32_t& value) {
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        return false;
    }
    unsigned char bytes[4];
    const ssize_t got = pread(fd, bytes, sizeof bytes, static_cast<off_t>(offset));
    close(fd);
    if (got != static_cast<ssize_t>(sizeof bytes)) {
        return false;
    }
    value = static_cast<std::uint32_t>(bytes[0]) | static_cast<std::uint32_t>(bytes[1]) << 8 |
            static_cast<std::uint32_t>(bytes[2]) << 16 | static_cast<std::uint32_t>(bytes[3]) << 24;
    return true;
}

}  // namespace

LinuxPciConfigAccess::LinuxPciConfigAccess(std::string sysfsDevices, std::string procBusPci)
    : sysfsDevices_(std::move(sysfsDevices)), procBusPci_(std::move(procBusPci)) {}

bool LinuxPciConfigAccess::available(const std::string& sysfsDevices,
                                     const std::string& procBusPci) {
    return isDirectory(sysfsDevices) || isDirectory(procBusPci);
}

std::uint32_t LinuxPciConfigAccess::ReadConfigDword(std::uint32_t bus, std::uint32_t device,
                                                    std::uint32_t function, std::uint32_t reg) {
    bus &= 0xFF;
    device &= 0x1F;
    function &= 0x7;
    const std::uint32_t offset = reg & 0xFC;
    char name[32];
    std::uint32_t value = kAllOnes;

    std::snprintf(name, sizeof name, "/0000:%02x:%02x.%u/config", bus, device, function);
    if (readDword(sysfsDevices_ + name, offset, value)) {
        return value;
    }
    std::snprintf(name, sizeof name, "/%02x/%02x.%u", bus, device, function);
    if (readDword(procBusPci_ + name, offset, value)) {
        return value;
    }
    return kAllOnes;
}

}  // namespace romwise

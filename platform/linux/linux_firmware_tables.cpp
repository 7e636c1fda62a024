#include "platform/linux/linux_firmware_tables.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace romwise {

namespace {

// An entry point is 31 bytes at most; anything longer is not one.
constexpr std::size_t kLongestEntryPoint = 0x40;

// Up to `limit` bytes of a regular file; nothing for any other kind of file
// (a FIFO would block, a device would never end) or on a read error.
std::optional<std::vector<std::uint8_t>> readRegularFile(const std::string& path,
                                                         std::size_t limit) {
    const int descriptor = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (descriptor < 0) {
        return std::nullopt;
    }
    struct stat status {};
    std::optional<std::vector<std::uint8_t>> bytes;
    if (fstat(descriptor, &status) == 0 && S_ISREG(status.st_mode)) {
        bytes.emplace(limit);
        std::size_t used = 0;
        while (used < limit) {
            const ssize_t got = read(descriptor, bytes->data() + used, limit - used);
            if (got < 0 && errno == EINTR) {
                continue;
            }
            if (got < 0) {
                bytes.reset();
                break;
            }
            if (got == 0) {
                break;
            }
            used += static_cast<std::size_t>(got);
        }
        if (bytes) {
            bytes->resize(used);
        }
    }
    close(descriptor);
    return bytes;
}

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

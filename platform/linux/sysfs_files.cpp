#include "platform/linux/sysfs_files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace romwise {

namespace {

// The kernel hands an attribute out in one page.
constexpr std::size_t kAttributeLimit = 4096;

}  // namespace

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

std::optional<std::string> readAttributeText(const std::string& path) {
    const auto bytes = readRegularFile(path, kAttributeLimit);
    if (!bytes) {
        return std::nullopt;
    }
    std::string text(bytes->begin(), bytes->end());
    if (!text.empty() && text.back() == '\n') {
        text.pop_back();
    }
    return text;
}

}  // namespace romwise

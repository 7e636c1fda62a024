// Reading the small files the kernel shows under /sys (and /proc): whole,
// up to a limit, and never blocking on something that is not a plain file.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace romwise {

// Up to `limit` bytes of a regular file; nothing for any other kind of file
// (a FIFO would block, a device would never end) or on an open or read error.
std::optional<std::vector<std::uint8_t>> readRegularFile(const std::string& path,
                                                         std::size_t limit);

// The text of one attribute file (a sysfs page at most) without the newline
// the kernel ends it with; nothing when the file cannot be read.
std::optional<std::string> readAttributeText(const std::string& path);

}  // namespace romwise

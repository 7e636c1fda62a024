// Whether the kernel is locked down: a locked-down kernel refuses I/O port
// access and /dev/mem even to root, whatever the program does.
#pragma once

#include <optional>
#include <string>

namespace romwise {

inline constexpr char kLockdownPath[] = "/sys/kernel/security/lockdown";

// The active lockdown mode ("integrity" or "confidentiality") as the file
// at `path` shows it ("none [integrity] confidentiality"); nothing when the
// kernel is not locked down or does not say.
std::optional<std::string> kernelLockdownMode(const std::string& path = kLockdownPath);

}  // namespace romwise

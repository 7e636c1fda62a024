// The system BIOS ROM window: the 64 KiB of physical memory below 1 MiB that
// hold the BIOS, its date and its sign-on, and where the SMBIOS entry point
// is searched for.
#pragma once

#include <cstdint>

namespace romwise {

inline constexpr std::uint32_t kRomBase = 0xF0000;
inline constexpr std::uint32_t kRomLength = 0x10000;

}  // namespace romwise

// The platform's own copy of the SMBIOS tables, the second way to them where
// physical memory cannot be read: the kernel's /sys/firmware/dmi/tables on
// Linux, the firmware-table service on Windows.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

namespace romwise {

// An SMBIOS table is read up to this many bytes, whatever its entry point
// says: real tables hold well under 1 MiB, and a "_SM3_" table's maximum
// size is firmware's word, not a promise.
inline constexpr std::uint32_t kLongestSmbiosTable = 0x100000;

struct SmbiosTables {
    // "_SM_" or "_SM3_" as the firmware wrote it; the table address in it is
    // where the table lies in physical memory.
    std::vector<std::uint8_t> entryPoint;
    std::vector<std::uint8_t> table;
};

class FirmwareTables {
  public:
    virtual ~FirmwareTables() = default;
    // Nothing when the platform does not offer the tables or refuses them.
    virtual std::optional<SmbiosTables> readSmbiosTables() = 0;
};

}  // namespace romwise

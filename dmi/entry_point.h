// Finding the SMBIOS ("_SM_"), legacy DMI ("_DMI_") or 64-bit SMBIOS 3
// ("_SM3_") entry point in the F0000h window and mapping the window that
// holds the structure table; or, where that finds nothing, taking both from
// the platform's own copy of the tables.
#pragma once

#include <cstdint>

#include "dmi/dmi_reader.h"
#include "dmi/smbios_context.h"

namespace romwise {

inline constexpr std::uint32_t kTableWindowGranularity = 0x10000;

// Searches every 16-byte boundary of the F0000h window, taking the first
// offset that holds a sound SMBIOS entry point or else a sound legacy one;
// only when no offset holds either, the first sound "_SM3_" entry point.
// Then maps the table window. True when both succeeded.
bool FindEntryPoint(DmiReader& reader, SmbiosContext& context);

// The entry point and table of the platform's own copy (a "_SM_" or "_SM3_"
// entry point with sound checksums), as if found in memory: the table
// window is the copy, at the address the entry point names. False when the
// platform offers no copy or it is not sound.
bool TakeFirmwareTables(DmiReader& reader, SmbiosContext& context);

// The 64 KiB-aligned range that holds the whole table: the windows from the
// one at the table's start up to the one its last byte lies in.
struct TableWindowRange {
    std::uint64_t address = 0;
    std::uint32_t length = 0;
};
TableWindowRange TableWindowFor(std::uint64_t tableAddress, std::uint32_t tableLength);

}  // namespace romwise

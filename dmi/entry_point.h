// Finding the SMBIOS ("_SM_") or legacy DMI ("_DMI_") entry point in the
// F0000h window and mapping the window that holds the structure table.
#pragma once

#include <cstdint>

#include "dmi/dmi_reader.h"
#include "dmi/smbios_context.h"

namespace romwise {

inline constexpr std::uint32_t kTableWindowGranularity = 0x10000;

// Searches every 16-byte boundary of the F0000h window, taking the first
// offset that holds a sound SMBIOS entry point or else a sound legacy one,
// and maps the table window. True when both succeeded.
bool FindEntryPoint(DmiReader& reader, SmbiosContext& context);

// The 64 KiB-aligned range that holds the whole table: the window at the
// table's start, and the next one too when the table runs into it.
struct TableWindowRange {
    std::uint64_t address = 0;
    std::uint32_t length = 0;
};
TableWindowRange TableWindowFor(std::uint32_t tableAddress, std::uint16_t tableLength);

}  // namespace romwise

// The SMBIOS tables as a file: the entry point and the table a reading
// found, and the `dmidecode --dump-bin` form that keeps them, which
// dmidecode reads back and machine profiles take as "smbiosDump".
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "dmi/dmi_reader.h"
#include "hw/firmware_tables.h"

namespace romwise {

struct FoundTables {
    SmbiosTables tables;
    // Whether physical memory held them; else the platform's copy did.
    bool inPhysicalMemory = false;
};

// One reading of the tables as the DMI step finds them (physical memory,
// else the platform's copy): the entry point as found and the whole table.
// Nothing when neither route gives a table. Releases the reader.
std::optional<FoundTables> ReadSmbiosTables(DmiReader& reader);

// The entry point at offset 0 with its table address set to 20h and its
// checksums made sound, and the table at 20h.
std::vector<std::uint8_t> DumpBin(const SmbiosTables& tables);

}  // namespace romwise

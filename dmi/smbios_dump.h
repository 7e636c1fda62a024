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

// A sound 24-byte "_SM3_" entry point for a table the platform hands over
// without one (Windows' firmware-table service gives only the version and
// the table): `maxSize` bytes at `tableAddress`.
std::vector<std::uint8_t> Smbios3EntryPointFor(std::uint8_t major, std::uint8_t minor,
                                               std::uint8_t docRevision, std::uint32_t maxSize,
                                               std::uint64_t tableAddress);

}  // namespace romwise

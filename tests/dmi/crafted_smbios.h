// Crafted SMBIOS tables and entry points in simulated physical memory, and a
// reading of them with ReadDmi.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

#include "dmi/checksum.h"
#include "dmi/dmi_summary.h"
#include "model/detection_results.h"
#include "platform/sim/machine_profile.h"

namespace romwise::dmi_test {

using Bytes = std::vector<std::uint8_t>;

using romwise::SetChecksum;

// One structure: `formatted` is the whole formatted area, header included
// (its length byte is set from the size unless `lengthByte` says otherwise),
// followed by the strings and the closing NULs.
struct CraftedStructure {
    std::uint8_t type = 0;
    Bytes formatted;
    std::vector<std::string> strings;
    int lengthByte = -1;
};

// A structure whose formatted area is `length` bytes with `fields` written
// at their offsets (offset, value; words and dwords as several bytes).
CraftedStructure MakeStructure(std::uint8_t type, std::uint8_t length,
                               std::initializer_list<std::pair<std::size_t, std::uint8_t>> fields,
                               std::vector<std::string> strings = {});
void PutWord(CraftedStructure& structure, std::size_t offset, std::uint16_t value);
void PutDword(CraftedStructure& structure, std::size_t offset, std::uint32_t value);

Bytes StructureBytes(const CraftedStructure& structure);

struct Table {
    Bytes bytes;
    std::uint16_t count = 0;
    std::uint16_t maxStructureSize = 0;
};
Table BuildTable(const std::vector<CraftedStructure>& structures);

struct EntryPointFields {
    std::uint8_t major = 2;
    std::uint8_t minor = 3;
    std::uint16_t maxStructureSize = 0;
    std::uint16_t tableLength = 0;
    std::uint32_t tableAddress = 0;
    std::uint16_t structureCount = 0;
    std::uint8_t entryLength = 0x1F;
};
Bytes SmbiosEntryPoint(const EntryPointFields& fields);  // "_SM_", 31 bytes, checksums set
Bytes LegacyEntryPoint(const EntryPointFields& fields);  // "_DMI_", 15 bytes, checksum set
// "_SM3_", 24 bytes, checksum set.
Bytes Smbios3EntryPoint(std::uint8_t major, std::uint8_t minor, std::uint32_t maxSize,
                        std::uint64_t tableAddress);

// Physical memory with the table at `tableAddress` and a sound SMBIOS entry
// point naming it at F0000h + `entryOffset`.
std::vector<sim::MemoryRegion> MachineWithTable(const Table& table,
                                                std::uint32_t tableAddress = 0xE0000,
                                                std::uint32_t entryOffset = 0x400);

inline constexpr char kKept[] = "(kept)";

struct DmiReading {
    bool found = false;
    DmiSummary summary;  // text fields start out as kKept
    MemorySlotSizes slots;
    std::size_t viewsLeft = 0;
    bool windowLeftOpen = false;
};

// Runs ReadDmi over `memory` through the simulated window, with the
// platform's copy of the tables that `firmwareTables` offers, if any.
DmiReading ReadDmiFrom(const std::vector<sim::MemoryRegion>& memory, bool available = true,
                       FirmwareTables* firmwareTables = nullptr);
// The same over a crafted table, placed as MachineWithTable places it.
DmiReading ReadDmiFrom(const std::vector<CraftedStructure>& structures);

}  // namespace romwise::dmi_test

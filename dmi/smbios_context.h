// What the entry point search found: the entry point's bytes and where the
// structure table's window is mapped.
#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>

#include "dmi/entry_point_layout.h"
#include "dmi/little_endian.h"
#include "hw/firmware_tables.h"
#include "hw/physical_memory_window.h"

namespace romwise {

inline constexpr std::uint16_t kEntrySegment = 0xF000;

// One per reading; all zero until the search takes an entry point.
struct SmbiosContext {
    std::uint32_t found = 0;
    std::uint32_t hasSmbiosEntry = 0;
    std::uint32_t hasDmiEntry = 0;
    // The "_SM_" entry point as found. Its last 15 bytes are the DMI part;
    // a legacy "_DMI_" entry point is copied straight into them.
    std::array<std::uint8_t, kSmbiosEntrySize> smbiosEntry{};
    std::uint16_t entrySegment = 0;
    std::uint16_t entryOffset = 0;  // within the F0000h window
    // The window that holds the structure table, valid during the reading.
    MemoryView tableWindow;

    // A 64-bit "_SM3_" entry point, taken only where neither kind above was
    // found. Its table has no structure count: a walk ends at the
    // end-of-table structure (type 127) or at the table's maximum size.
    std::uint32_t hasSmbios3Entry = 0;
    std::array<std::uint8_t, kSmbios3EntrySize> smbios3Entry{};
    // The longest structure of a "_SM3_" table, which stands in for the
    // Maximum Structure Size that only "_SM_" gives.
    std::uint16_t longestStructure = 0;

    std::uint8_t* dmiEntry() { return smbiosEntry.data() + kDmiPartOffset; }
    const std::uint8_t* dmiEntry() const { return smbiosEntry.data() + kDmiPartOffset; }

    // Whether the entry point leads to data the extraction reads.
    bool hasStructureTable() const { return hasSmbiosEntry || hasSmbios3Entry; }

    std::uint8_t majorVersion() const {
        return hasSmbios3Entry ? smbios3Entry[smbios3_entry::kMajorVersion]
                               : smbiosEntry[smbios_entry::kMajorVersion];
    }
    std::uint8_t minorVersion() const {
        return hasSmbios3Entry ? smbios3Entry[smbios3_entry::kMinorVersion]
                               : smbiosEntry[smbios_entry::kMinorVersion];
    }
    std::uint16_t maxStructureSize() const {
        return hasSmbios3Entry ? longestStructure
                               : LoadWord(smbiosEntry, smbios_entry::kMaxStructureSize);
    }
    // The table's length: Structure Table Length of the DMI part, or the
    // Structure Table Maximum Size of "_SM3_" (cut at kLongestSmbiosTable).
    std::uint32_t tableLength() const {
        const std::uint32_t length = table().length;
        return hasSmbios3Entry ? std::min(length, kLongestSmbiosTable) : length;
    }
    std::uint64_t tableAddress() const { return table().address; }
    // Number of SMBIOS Structures; none for a "_SM3_" table.
    std::optional<std::uint16_t> structureCount() const {
        if (hasSmbios3Entry) {
            return std::nullopt;
        }
        return LoadWord(smbiosEntry, kDmiPartOffset + dmi_entry::kStructureCount);
    }

  private:
    // A legacy entry point lies where the DMI part of "_SM_" does, so both
    // are read as "_SM_".
    EntryPointTable table() const {
        return hasSmbios3Entry ? TableOfEntryPoint(smbios3Entry, EntryPointKind::Smbios3)
                               : TableOfEntryPoint(smbiosEntry, EntryPointKind::Smbios);
    }
};

}  // namespace romwise

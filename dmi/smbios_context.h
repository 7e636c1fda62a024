// What the entry point search found: the entry point's bytes and where the
// structure table's window is mapped.
#pragma once

#include <array>
#include <cstdint>

#include "hw/physical_memory_window.h"

namespace romwise {

// Sizes and offsets of the two entry point kinds ("_SM_" and legacy "_DMI_").
inline constexpr std::size_t kSmbiosEntrySize = 31;
inline constexpr std::size_t kDmiEntrySize = 15;
inline constexpr std::size_t kDmiPartOffset = 0x10;  // the "_DMI_" part inside "_SM_"

inline constexpr std::uint16_t kEntrySegment = 0xF000;

inline std::uint16_t LoadWord(const std::uint8_t* bytes) {
    return static_cast<std::uint16_t>(bytes[0] | (bytes[1] << 8));
}

inline std::uint32_t LoadDword(const std::uint8_t* bytes) {
    return static_cast<std::uint32_t>(LoadWord(bytes)) |
           (static_cast<std::uint32_t>(LoadWord(bytes + 2)) << 16);
}

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

    std::uint8_t* dmiEntry() { return smbiosEntry.data() + kDmiPartOffset; }
    const std::uint8_t* dmiEntry() const { return smbiosEntry.data() + kDmiPartOffset; }

    std::uint8_t majorVersion() const { return smbiosEntry[0x06]; }
    std::uint8_t minorVersion() const { return smbiosEntry[0x07]; }
    std::uint16_t maxStructureSize() const { return LoadWord(&smbiosEntry[0x08]); }
    std::uint16_t tableLength() const { return LoadWord(dmiEntry() + 0x06); }
    std::uint32_t tableAddress() const { return LoadDword(dmiEntry() + 0x08); }
    std::uint16_t structureCount() const { return LoadWord(dmiEntry() + 0x0C); }
};

}  // namespace romwise

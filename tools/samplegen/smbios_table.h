// Assembles SMBIOS structures and writes them as `dmidecode --dump-bin`
// does: the 31-byte "_SM_" (or 24-byte "_SM3_") entry point at offset 0, the
// structure table at offset 20h, and the table address field set to 20h.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "tools/samplegen/byte_buffer.h"

namespace romwise::samplegen {

inline constexpr std::size_t kDumpTableOffset = 0x20;
inline constexpr std::size_t kSmbiosEntryLength = 0x1F;
inline constexpr std::size_t kSmbios3EntryLength = 0x18;

// One structure: the formatted area field by field, then its strings.
// String fields are written as the number of the string they name (0 for
// an empty text, which the standard reads as "no string").
class StructureWriter {
  public:
    explicit StructureWriter(std::uint8_t type);

    StructureWriter& Byte(std::uint8_t value);
    StructureWriter& Word(std::uint16_t value);
    StructureWriter& Dword(std::uint32_t value);
    StructureWriter& Qword(std::uint64_t value);
    StructureWriter& String(std::string_view text);

    std::uint8_t type() const { return type_; }
    // The structure with `handle`: formatted area, strings, double NUL.
    Bytes Finish(std::uint16_t handle) const;

  private:
    std::uint8_t type_;
    Bytes fields_;  // after the 4-byte header
    std::vector<std::string> strings_;
};

class SmbiosTable {
  public:
    // Handles are given out in order from 0.
    std::uint16_t NextHandle() const { return nextHandle_; }
    std::uint16_t Add(const StructureWriter& structure);

    std::uint16_t structureCount() const { return nextHandle_; }
    std::uint16_t maxStructureSize() const { return maxStructureSize_; }
    const Bytes& table() const { return table_; }

    Bytes DumpBin(std::uint8_t majorVersion, std::uint8_t minorVersion) const;
    // With a 64-bit "_SM3_" entry point only, its maximum size the table's.
    Bytes DumpBin3(std::uint8_t majorVersion, std::uint8_t minorVersion,
                   std::uint8_t docRevision) const;

  private:
    std::uint16_t nextHandle_ = 0;
    std::uint16_t maxStructureSize_ = 0;
    Bytes table_;
};

}  // namespace romwise::samplegen

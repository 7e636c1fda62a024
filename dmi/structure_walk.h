// Walking the SMBIOS structure table, and finding a structure's strings.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string_view>

#include "dmi/little_endian.h"
#include "dmi/smbios_context.h"

namespace romwise {

// A structure met on a walk. Its bytes lie in the walk's private copy of the
// table, which ends `remaining` bytes after `bytes`; every read below stays
// inside it and gives 0 beyond.
// The structure type that ends a table.
inline constexpr std::uint8_t kEndOfTableType = 127;

struct TableStructure {
    const std::uint8_t* bytes = nullptr;
    std::uint32_t length = 0;     // formatted area and string set
    std::uint32_t remaining = 0;  // from here to the end of the table

    std::uint8_t type() const { return byte(0); }
    std::uint8_t formattedLength() const { return byte(1); }
    std::uint8_t byte(std::size_t offset) const { return LoadByte(toTableEnd(), offset); }
    std::uint16_t word(std::size_t offset) const { return LoadWord(toTableEnd(), offset); }
    std::uint32_t dword(std::size_t offset) const { return LoadDword(toTableEnd(), offset); }
    std::span<const std::uint8_t> toTableEnd() const { return {bytes, remaining}; }
};

// Returns true to go on with the next structure, false to stop the walk.
using StructureVisitor = std::function<bool(const TableStructure&)>;

// Visits the structures of the table in order, on a private copy of it.
// Visits nothing without an entry point, when the table does not lie wholly
// inside the table window, or when its Number of Structures is 0. Stops at a
// structure whose length cannot be told, when the visitor says so, when
// fewer than 4 bytes remain, or after Number of Structures visits. A
// "_SM3_" table, which has no count, ends after its end-of-table structure
// (type 127), and where the window holds less than its maximum size, at the
// window's end.
void WalkStructures(const SmbiosContext& context, const StructureVisitor& visitor);

// Visits only the structures of one type.
void WalkStructuresOfType(const SmbiosContext& context, std::uint8_t type,
                          const StructureVisitor& visitor);

// The structure's whole length, formatted area and string set, within the
// `remaining` bytes of the table; 0 when it cannot be told from them.
std::uint32_t StructureLength(const std::uint8_t* structure, std::uint32_t remaining);

// String `number` (from 1) of a structure copy of `limit` bytes: the bytes up
// to its NUL, never past the copy's last byte. None for number 0, a missing
// copy, or a number beyond the structure's string set.
std::optional<std::string_view> StructureString(const std::uint8_t* copy, std::uint8_t number,
                                                std::uint16_t limit);

}  // namespace romwise

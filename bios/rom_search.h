// Searching the ROM window and copying texts out of it. Nothing here reads
// past the last byte of the window (offset FFFFh).
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

#include "bios/bios_identity.h"

namespace romwise {

// 1 plus the offset of the first occurrence of `text` that begins at `start`
// or later and lies wholly inside the window, or 0 when there is none. Offset
// FFFFh is never a candidate. Only ASCII bytes (00h-7Fh) ever match.
std::uint32_t FindInRom(const BiosIdentity& bios, std::uint32_t start, std::string_view text);

// Whether `text` stands at exactly `offset`, compared the same way.
bool MatchAt(const BiosIdentity& bios, std::uint32_t offset, std::string_view text);

// Up to `length` raw bytes from `offset`, ending early at the end of the window.
std::span<const std::uint8_t> RomBytes(const BiosIdentity& bios, std::uint32_t offset,
                                       std::size_t length);

// The same bytes as a text: a NUL among them ends it early; other control
// characters stay.
std::string_view RomText(const BiosIdentity& bios, std::uint32_t offset, std::size_t length);

}  // namespace romwise

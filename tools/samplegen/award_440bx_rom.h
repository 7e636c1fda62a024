// The ROM window of an Award Modular BIOS 4.51PG on the Quokka Boards
// QB-440BX (Intel 440BX, Winbond W83977EF). Offsets are offsets into the
// F0000h window; the Award recogniser reads the type at E061h, the BIOS ID
// at EC71h and the sign-on at E0C1h.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "tools/samplegen/byte_buffer.h"
#include "tools/samplegen/rom_window_builder.h"

namespace romwise::samplegen::award440bx {

inline constexpr std::string_view kCopyright =
    "IBM COMPATIBLE 440BX BIOS COPYRIGHT Award Software Inc.";
inline constexpr std::uint16_t kCopyrightOffset = 0xE010;

inline constexpr std::string_view kBiosType = "Award Modular BIOS v4.51PG";
inline constexpr std::uint16_t kBiosTypeOffset = 0xE061;

inline constexpr std::string_view kCopyrightLine = "Copyright (C) 1984-99, Award Software, Inc.";
inline constexpr std::uint16_t kCopyrightLineOffset = 0xE091;

// Blanks on both sides, as board makers pad their sign-on to centre it.
inline constexpr std::string_view kSignOn = "   Quokka Boards QB-440BX ACPI BIOS Revision 1014   ";
inline constexpr std::uint16_t kSignOnOffset = 0xE0C1;

inline constexpr std::string_view kPnpBanner = "Award Plug and Play BIOS Extension v1.0A";
inline constexpr std::uint16_t kPnpBannerOffset = 0xE140;

// Date-chipset-Super I/O-board code-revision: the field before the last
// '-' is short, so the Award ID shortening drops the trailing "-00".
inline constexpr std::string_view kBiosId = "10/29/99-i440BX-W977-2A69KA1IC-00";
inline constexpr std::uint16_t kBiosIdOffset = 0xEC71;

inline constexpr std::string_view kBiosDate = "11/03/99";
inline constexpr std::uint8_t kModelByte = 0xFC;  // AT class

// Unused space the BIOS build leaves zeroed: the first 16-byte-aligned
// place where 32 bytes are all 00h or all FFh, so a profile's SMBIOS entry
// point goes here.
inline constexpr BlankArea kFirstBlank = {0x0400, 0x0040, 0x00};
inline constexpr std::array<BlankArea, 2> kBlanks = {{
    kFirstBlank, {0xC000, 0x0800, 0xFF},  // erased flash between modules
}};

// The reset vector's target: a near jump into the power-on self test.
inline constexpr std::array<std::uint8_t, 3> kPostEntry = {0xE9, 0x12, 0x14};
inline constexpr std::uint16_t kPostEntryOffset = 0xE05B;

inline constexpr std::uint32_t kFillerSeed = 0x440B0A69u;

Bytes BuildRom();

}  // namespace romwise::samplegen::award440bx

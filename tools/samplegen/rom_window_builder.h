// Builds a sample machine's 64 KiB BIOS ROM window (what F0000h-FFFFFh
// shows) from a layout: a deterministic filler standing in for code, blank
// areas, texts and raw bytes at fixed offsets, and the reset vector at the
// top.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

#include "hw/rom_window.h"
#include "tools/samplegen/byte_buffer.h"

namespace romwise::samplegen {

inline constexpr std::uint16_t kResetVectorOffset = 0xFFF0;
inline constexpr std::uint16_t kBiosDateOffset = 0xFFF5;
inline constexpr std::uint16_t kModelByteOffset = 0xFFFE;
inline constexpr std::uint16_t kRomChecksumOffset = 0xFFFF;

// A run of identical bytes, as the ROM builder leaves unused space.
struct BlankArea {
    std::uint16_t offset;
    std::uint16_t length;
    std::uint8_t value;
};

// A text at a fixed offset, followed by a NUL unless `terminated` is false.
struct RomText {
    std::uint16_t offset;
    std::string_view text;
    bool terminated = true;
};

struct RomBytes {
    std::uint16_t offset;
    std::span<const std::uint8_t> bytes;
};

struct RomLayout {
    std::uint32_t fillerSeed;           // seeds the code-like filler
    std::span<const BlankArea> blanks;  // written over the filler
    std::span<const RomText> texts;     // written over the blanks
    std::span<const RomBytes> bytes;    // written last
    std::string_view biosDate;          // 8 characters at FFF5h
    std::uint8_t modelByte;             // at FFFEh
};

// Builds the window; the reset vector (far jump to F000:E05Bh) stands at
// FFF0h and the last byte makes the whole window add up to 0.
Bytes BuildRomWindow(const RomLayout& layout);

}  // namespace romwise::samplegen

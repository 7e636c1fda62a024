#include "tools/samplegen/rom_window_builder.h"

#include <array>
#include <stdexcept>

#include "dmi/checksum.h"

namespace romwise::samplegen {

namespace {

// JMP FAR F000:E05B, the entry every PC BIOS jumps to after reset.
constexpr std::array<std::uint8_t, 5> kResetJump = {0xEA, 0x5B, 0xE0, 0x00, 0xF0};

// xorshift32: cheap, deterministic and free of long runs of one value.
void FillWithCodeLikeBytes(Bytes& rom, std::uint32_t seed) {
    std::uint32_t state = seed != 0 ? seed : 0x2545F491u;
    for (auto& byte : rom) {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        byte = static_cast<std::uint8_t>(state >> 24);
    }
}

void CheckFits(std::size_t offset, std::size_t length) {
    if (offset + length > kResetVectorOffset) {
        throw std::out_of_range("ROM layout entry overlaps the reset vector area");
    }
}

}  // namespace

Bytes BuildRomWindow(const RomLayout& layout) {
    if (layout.biosDate.size() != 8) {
        throw std::invalid_argument("the BIOS date must be 8 characters");
    }
    Bytes rom(kRomLength);
    FillWithCodeLikeBytes(rom, layout.fillerSeed);

    for (const BlankArea& blank : layout.blanks) {
        CheckFits(blank.offset, blank.length);
        for (std::size_t i = 0; i < blank.length; ++i) {
            rom[blank.offset + i] = blank.value;
        }
    }
    for (const RomText& text : layout.texts) {
        CheckFits(text.offset, text.text.size() + (text.terminated ? 1 : 0));
        PutText(rom, text.offset, text.text);
        if (text.terminated) {
            rom[text.offset + text.text.size()] = 0;
        }
    }
    for (const RomBytes& bytes : layout.bytes) {
        CheckFits(bytes.offset, bytes.bytes.size());
        for (std::size_t i = 0; i < bytes.bytes.size(); ++i) {
            rom[bytes.offset + i] = bytes.bytes[i];
        }
    }

    for (std::size_t i = 0; i < kResetJump.size(); ++i) {
        rom[kResetVectorOffset + i] = kResetJump[i];
    }
    PutText(rom, kBiosDateOffset, layout.biosDate);
    rom[kBiosDateOffset + 8] = 0;
    rom[kModelByteOffset] = layout.modelByte;
    rom[kRomChecksumOffset] = 0;
    rom[kRomChecksumOffset] =
        ChecksumComplement(std::span<const std::uint8_t>(rom.data(), kRomChecksumOffset));
    return rom;
}

}  // namespace romwise::samplegen

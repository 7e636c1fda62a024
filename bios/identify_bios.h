// Identifies the BIOS from the ROM window at F0000h-FFFFFh.
#pragma once

#include <cstdint>

#include "app/fixed_text.h"
#include "hw/hardware_driver.h"

namespace romwise {

inline constexpr std::uint32_t kRomBase = 0xF0000;
inline constexpr std::uint32_t kRomLength = 0x10000;

struct BiosIdentity {
    std::uint32_t romLength = kRomLength;
    std::uint32_t romBase = kRomBase;
    const std::uint8_t* romView = nullptr;
    FixedText<80> oemSignOn;
    FixedText<128> biosId;
    FixedText<80> amiBuildTag;
    FixedText<128> biosType;
    FixedText<16> biosDate;
};

// Maps the ROM window and writes the four report lines. Returns false, with
// the lines untouched, when the window cannot be mapped.
bool IdentifyBios(HardwareDriver& driver, FixedText<24>& dateLine, FixedText<80>& typeLine,
                  FixedText<128>& idLine, FixedText<80>& signOnLine);

// Removes the last '-'-separated field of an Award BIOS ID when the field
// before it is short; other BIOS IDs stay as they are.
void ShortenAwardBiosId(const FixedText<80>& typeLine, FixedText<128>& idLine);

}  // namespace romwise

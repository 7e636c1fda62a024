// The working record of one BIOS identification and the ROM window it reads.
#pragma once

#include <cstdint>

#include "hw/rom_window.h"
#include "model/fixed_text.h"

namespace romwise {

// ROM offsets are offsets into the ROM window.
struct BiosIdentity {
    std::uint32_t romLength = kRomLength;
    std::uint32_t romBase = kRomBase;
    // The mapped window: ROM offset o is romView[o], for o below kRomLength.
    const std::uint8_t* romView = nullptr;
    FixedText<80> oemSignOn;
    FixedText<128> biosId;
    FixedText<80> amiBuildTag;  // scratch space of the AMI recogniser
    FixedText<128> biosType;
    FixedText<16> biosDate;
};

}  // namespace romwise

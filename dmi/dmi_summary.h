// What the SMBIOS structure table tells the detection run.
#pragma once

#include <cstdint>

#include "model/fixed_text.h"

namespace romwise {

struct DmiSummary {
    std::uint8_t majorVersion = 0;
    std::uint8_t minorVersion = 0;
    std::uint32_t romSizeBytes = 0;
    std::uint32_t biosCharacteristics = 0;
    FixedText<80> manufacturer;
    FixedText<80> model;
    FixedText<80> biosVersion;
    // The BIOS Information structure's vendor and release date strings, as
    // the table holds them: a pass without the ROM window takes the BIOS
    // type and date from them.
    FixedText<80> biosVendor;
    FixedText<80> biosReleaseDate;
    std::uint32_t maxMemoryMb = 0;
    std::uint32_t installedMemoryMb = 0;
    FixedText<52> processorName;
    std::uint16_t currentSpeedMhz = 0;
    std::uint16_t maxSpeedMhz = 0;
};

}  // namespace romwise

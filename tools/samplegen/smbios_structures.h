// The structures both sample tables share, up to the fields every SMBIOS
// version since 2.3 has; the SMBIOS 3 sample appends its newer fields to
// what these return before adding them to its table.
#pragma once

#include <cstdint>

#include "tools/samplegen/sample_boards.h"
#include "tools/samplegen/smbios_table.h"

namespace romwise::samplegen {

inline constexpr std::uint16_t kNoHandle = 0xFFFF;
inline constexpr std::uint16_t kNotProvided = 0xFFFE;

// Type 0, through the first characteristics extension byte.
StructureWriter BiosInformation(const SampleBoard& board);
// Type 1, through the wake-up type.
StructureWriter SystemInformation(const SampleBoard& board);
// Type 2: manufacturer, product, version and serial number.
StructureWriter BaseBoard(const SampleBoard& board);
// Type 4, through the part number.
StructureWriter Processor(const SampleBoard& board);

}  // namespace romwise::samplegen

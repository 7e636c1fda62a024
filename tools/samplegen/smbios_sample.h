// The SMBIOS 2.3 structure table of a sample board, as a dmidecode dump.
#pragma once

#include "tools/samplegen/byte_buffer.h"
#include "tools/samplegen/sample_boards.h"

namespace romwise::samplegen {

inline constexpr std::uint8_t kSampleSmbiosMajor = 2;
inline constexpr std::uint8_t kSampleSmbiosMinor = 3;

// Types 0, 1, 2, 4, 5, 6 (one per socket), 16, 17 (one per socket), 127.
Bytes BuildSmbiosDump(const SampleBoard& board);

}  // namespace romwise::samplegen

// The SMBIOS 3.3 structure table of a sample server, as a dmidecode dump
// with a 64-bit "_SM3_" entry point only.
#pragma once

#include "tools/samplegen/byte_buffer.h"
#include "tools/samplegen/sample_boards.h"

namespace romwise::samplegen {

inline constexpr std::uint8_t kSample3SmbiosMajor = 3;
inline constexpr std::uint8_t kSample3SmbiosMinor = 3;

// Types 0, 1, 2, 4, 16, 17 (one per socket), 127, each at its 3.3 length.
Bytes BuildSmbios3Dump(const SampleBoard& board);

}  // namespace romwise::samplegen

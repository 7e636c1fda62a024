// The byte checksum of the SMBIOS entry points: the bytes of a checked range
// add up to 0 modulo 256. Readers check it; the sample generator, the machine
// profiles and the tests write it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <numeric>
#include <span>
#include <vector>

namespace romwise {

inline bool ChecksumIsZero(std::span<const std::uint8_t> bytes) {
    return (std::accumulate(bytes.begin(), bytes.end(), 0u) & 0xFF) == 0;
}

// The byte that, added to `bytes`, makes their sum 0 modulo 256.
inline std::uint8_t ChecksumComplement(std::span<const std::uint8_t> bytes) {
    return static_cast<std::uint8_t>(0x100 -
                                     (std::accumulate(bytes.begin(), bytes.end(), 0u) & 0xFF));
}

// Sets bytes[at] so that the `count` bytes from `from` (bytes[at] among them)
// add up to 0 modulo 256. Bytes of the range past the end of `bytes` do not
// count; an `at` past the end changes nothing.
inline void SetChecksum(std::vector<std::uint8_t>& bytes, std::size_t from, std::size_t count,
                        std::size_t at) {
    if (at >= bytes.size() || from >= bytes.size()) {
        return;
    }
    bytes[at] = 0;
    const std::size_t end = count < bytes.size() - from ? from + count : bytes.size();
    bytes[at] = ChecksumComplement(std::span<const std::uint8_t>(bytes).subspan(from, end - from));
}

}  // namespace romwise

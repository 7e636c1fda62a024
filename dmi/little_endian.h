// Little-endian numbers of one to eight bytes, as SMBIOS stores every field.
// A read takes the bytes past the end of those it is given as 0, so that a
// field cut off by the end of a table, a copy or a file reads as what is
// there. A write must lie wholly inside the bytes it is given.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace romwise {

inline std::uint64_t LoadLittleEndian(std::span<const std::uint8_t> bytes, std::size_t at,
                                      std::size_t width) {
    const std::size_t present = at < bytes.size() ? bytes.size() - at : 0;
    std::uint64_t value = 0;
    for (std::size_t i = width; i > 0; --i) {
        value <<= 8;
        if (i - 1 < present) {
            value |= bytes[at + i - 1];
        }
    }
    return value;
}

inline std::uint8_t LoadByte(std::span<const std::uint8_t> bytes, std::size_t at) {
    return static_cast<std::uint8_t>(LoadLittleEndian(bytes, at, 1));
}

inline std::uint16_t LoadWord(std::span<const std::uint8_t> bytes, std::size_t at) {
    return static_cast<std::uint16_t>(LoadLittleEndian(bytes, at, 2));
}

inline std::uint32_t LoadDword(std::span<const std::uint8_t> bytes, std::size_t at) {
    return static_cast<std::uint32_t>(LoadLittleEndian(bytes, at, 4));
}

inline std::uint64_t LoadQword(std::span<const std::uint8_t> bytes, std::size_t at) {
    return LoadLittleEndian(bytes, at, 8);
}

inline void StoreLittleEndian(std::span<std::uint8_t> bytes, std::size_t at, std::uint64_t value,
                              std::size_t width) {
    for (std::size_t i = 0; i < width; ++i) {
        bytes[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
    }
}

}  // namespace romwise

// Small helpers for taking fields out of identification registers.
#pragma once

#include <cstdint>

namespace romwise {

constexpr bool bitOf(std::uint32_t value, int bit) {
    return ((value >> bit) & 1u) != 0;
}

// `count` bits of `value` from bit `first` on.
constexpr std::uint32_t bitsOf(std::uint32_t value, int first, int count) {
    return (value >> first) & ((count >= 32) ? 0xFFFFFFFFu : ((1u << count) - 1u));
}

// Byte `index` of `value`; byte 0 is the least significant.
constexpr unsigned byteOf(std::uint32_t value, int index) {
    return (value >> (8 * index)) & 0xFFu;
}

}  // namespace romwise

// What a fuzz target holds its code to: a broken promise stops the run at
// once, as a crash does, so that libFuzzer keeps the input.
#pragma once

#include <algorithm>
#include <cstdlib>
#include <string_view>

namespace romwise::fuzz {

inline void require(bool promise) {
    if (!promise) {
        std::abort();
    }
}

inline bool hasControlBytes(std::string_view text) {
    return std::any_of(text.begin(), text.end(), [](char byte) {
        return static_cast<unsigned char>(byte) < 0x20 || byte == 0x7F;
    });
}

}  // namespace romwise::fuzz

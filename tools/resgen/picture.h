// A picture as the resource writers take it.
#pragma once

#include <cstdint>
#include <vector>

namespace romwise::resgen {

struct Picture {
    int width = 0;
    int height = 0;
    // 0xAARRGGBB, row by row from the top.
    std::vector<std::uint32_t> pixels;

    std::uint32_t at(int x, int y) const {
        return pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                      static_cast<std::size_t>(x)];
    }
};

}  // namespace romwise::resgen

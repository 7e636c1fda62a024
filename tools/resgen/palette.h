// One colour table for a series of pictures, for 8-bit video frames.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "tools/resgen/picture.h"

namespace romwise::resgen {

struct IndexedPictures {
    std::vector<std::uint32_t> palette;  // 0x00RRGGBB
    // Per picture, one palette index per pixel, rows from the top.
    std::vector<std::vector<std::uint8_t>> indices;
};

// A palette of at most `maxColours` (1 to 256) for all `pictures` together
// and each pixel as the index of its nearest entry. Pictures with no more
// colours than that keep them exactly; otherwise median cut over the colours,
// weighted by how often each is used. Alpha is ignored.
IndexedPictures quantize(std::span<const Picture> pictures, std::size_t maxColours = 256);

}  // namespace romwise::resgen

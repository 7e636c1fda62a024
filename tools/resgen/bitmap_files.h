// Windows bitmap (BMP) and icon (ICO) files of pictures.
#pragma once

#include <cstdint>
#include <span>

#include "tools/resgen/picture.h"
#include "tools/samplegen/byte_buffer.h"

namespace romwise::resgen {

using samplegen::Bytes;

// BITMAPINFOHEADER of an uncompressed picture (a positive height is stored
// bottom-up); `coloursUsed` is the palette's length, 0 for none.
void appendInfoHeader(Bytes& out, int width, int height, int bitsPerPixel, std::uint32_t imageSize,
                      std::uint32_t coloursUsed = 0);

// A 24-bit bitmap file, bottom-up as the format stores it; alpha is dropped.
Bytes bitmapFile(const Picture& picture);

// An icon file with one image per picture (each 1 to 256 pixels a side):
// 32 bits with alpha, and the 1-bit mask that systems without alpha use
// (a pixel less than half opaque is transparent there).
Bytes iconFile(std::span<const Picture> pictures);

}  // namespace romwise::resgen

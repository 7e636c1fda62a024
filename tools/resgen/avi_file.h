// A video clip as an uncompressed 8-bit AVI file, the form the Windows
// animation control plays.
#pragma once

#include <cstdint>

#include "tools/resgen/bitmap_files.h"
#include "tools/resgen/palette.h"

namespace romwise::resgen {

struct VideoClip {
    int width = 0;
    int height = 0;
    std::uint32_t microsecondsPerFrame = 0;
    IndexedPictures frames;  // every frame width x height, one palette for all
};

// RIFF "AVI ": the main header, one video stream ("vids", "DIB ") with the
// palette in its format, every frame a key frame in "movi", and the "idx1"
// index with offsets from the "movi" list's type.
Bytes aviFile(const VideoClip& clip);

}  // namespace romwise::resgen

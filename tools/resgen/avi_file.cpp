#include "tools/resgen/avi_file.h"

#include <stdexcept>
#include <string_view>

namespace romwise::resgen {

namespace {

using samplegen::AppendByte;
using samplegen::AppendDword;
using samplegen::AppendText;
using samplegen::AppendWord;
using samplegen::PutDword;

constexpr std::uint32_t kHasIndex = 0x10;  // AVIF_HASINDEX
constexpr std::uint32_t kKeyFrame = 0x10;  // AVIIF_KEYFRAME
constexpr std::uint32_t kMicrosecondsPerSecond = 1000000;
constexpr char kFrameChunk[] = "00db";  // stream 0, uncompressed frame

// Starts a chunk (or, with `listType`, a list) and returns where its size
// goes; endChunk writes the size and pads the data to an even length.
std::size_t beginChunk(Bytes& out, std::string_view id, std::string_view listType = {}) {
    AppendText(out, id);
    const std::size_t sizeAt = out.size();
    AppendDword(out, 0);
    AppendText(out, listType);
    return sizeAt;
}

void endChunk(Bytes& out, std::size_t sizeAt) {
    PutDword(out, sizeAt, static_cast<std::uint32_t>(out.size() - sizeAt - 4));
    if (out.size() % 2 != 0) {
        AppendByte(out, 0);
    }
}

std::uint32_t rowBytes(int width) {
    return (static_cast<std::uint32_t>(width) + 3) / 4 * 4;
}

void appendMainHeader(Bytes& out, const VideoClip& clip, std::uint32_t frameBytes) {
    const std::size_t at = beginChunk(out, "avih");
    const auto frames = static_cast<std::uint32_t>(clip.frames.indices.size());
    AppendDword(out, clip.microsecondsPerFrame);
    AppendDword(out,
                static_cast<std::uint32_t>(static_cast<std::uint64_t>(frameBytes) *
                                           kMicrosecondsPerSecond / clip.microsecondsPerFrame));
    AppendDword(out, 0);  // padding granularity
    AppendDword(out, kHasIndex);
    AppendDword(out, frames);
    AppendDword(out, 0);  // initial frames
    AppendDword(out, 1);  // streams
    AppendDword(out, frameBytes);
    AppendDword(out, static_cast<std::uint32_t>(clip.width));
    AppendDword(out, static_cast<std::uint32_t>(clip.height));
    for (int i = 0; i < 4; ++i) {
        AppendDword(out, 0);
    }
    endChunk(out, at);
}

void appendStreamHeader(Bytes& out, const VideoClip& clip, std::uint32_t frameBytes) {
    const std::size_t at = beginChunk(out, "strh");
    AppendText(out, "vids");
    AppendText(out, "DIB ");
    AppendDword(out, 0);  // flags
    AppendWord(out, 0);   // priority
    AppendWord(out, 0);   // language
    AppendDword(out, 0);  // initial frames
    // Frames per second as rate / scale.
    AppendDword(out, clip.microsecondsPerFrame);
    AppendDword(out, kMicrosecondsPerSecond);
    AppendDword(out, 0);  // start
    AppendDword(out, static_cast<std::uint32_t>(clip.frames.indices.size()));
    AppendDword(out, frameBytes);
    AppendDword(out, 0xFFFFFFFF);  // quality: the default
    AppendDword(out, 0);           // sample size: frames vary
    AppendWord(out, 0);            // frame rectangle
    AppendWord(out, 0);
    AppendWord(out, static_cast<std::uint16_t>(clip.width));
    AppendWord(out, static_cast<std::uint16_t>(clip.height));
    endChunk(out, at);
}

void appendStreamFormat(Bytes& out, const VideoClip& clip, std::uint32_t frameBytes) {
    const std::size_t at = beginChunk(out, "strf");
    const auto colours = static_cast<std::uint32_t>(clip.frames.palette.size());
    appendInfoHeader(out, clip.width, clip.height, 8, frameBytes, colours);
    for (const std::uint32_t rgb : clip.frames.palette) {
        AppendDword(out, rgb & 0xFFFFFF);  // B, G, R, 0 in memory
    }
    endChunk(out, at);
}

void appendFrame(Bytes& out, const VideoClip& clip, const std::vector<std::uint8_t>& indices) {
    const std::uint32_t row = rowBytes(clip.width);
    for (int y = clip.height - 1; y >= 0; --y) {
        const auto start = static_cast<std::size_t>(y) * static_cast<std::size_t>(clip.width);
        out.insert(
            out.end(), indices.begin() + static_cast<long>(start),
            indices.begin() + static_cast<long>(start + static_cast<std::size_t>(clip.width)));
        for (auto padding = static_cast<std::uint32_t>(clip.width); padding < row; ++padding) {
            AppendByte(out, 0);
        }
    }
}

void check(const VideoClip& clip) {
    const auto pixels =
        static_cast<std::size_t>(clip.width) * static_cast<std::size_t>(clip.height);
    if (clip.width < 1 || clip.height < 1 || clip.width > 0xFFFF || clip.height > 0xFFFF ||
        clip.microsecondsPerFrame == 0 || clip.frames.indices.empty() ||
        clip.frames.palette.empty() || clip.frames.palette.size() > 256) {
        throw std::invalid_argument("video clip out of range");
    }
    for (const auto& frame : clip.frames.indices) {
        if (frame.size() != pixels) {
            throw std::invalid_argument("video frame of the wrong size");
        }
        for (const std::uint8_t index : frame) {
            if (index >= clip.frames.palette.size()) {
                throw std::invalid_argument("video frame uses a colour the palette lacks");
            }
        }
    }
}

}  // namespace

Bytes aviFile(const VideoClip& clip) {
    check(clip);
    const std::uint32_t frameBytes = rowBytes(clip.width) * static_cast<std::uint32_t>(clip.height);
    Bytes out;
    const std::size_t riff = beginChunk(out, "RIFF", "AVI ");

    const std::size_t headers = beginChunk(out, "LIST", "hdrl");
    appendMainHeader(out, clip, frameBytes);
    const std::size_t stream = beginChunk(out, "LIST", "strl");
    appendStreamHeader(out, clip, frameBytes);
    appendStreamFormat(out, clip, frameBytes);
    endChunk(out, stream);
    endChunk(out, headers);

    const std::size_t movie = beginChunk(out, "LIST", "movi");
    const std::size_t movieType = movie + 4;
    std::vector<std::uint32_t> offsets;
    for (const auto& frame : clip.frames.indices) {
        offsets.push_back(static_cast<std::uint32_t>(out.size() - movieType));
        const std::size_t at = beginChunk(out, kFrameChunk);
        appendFrame(out, clip, frame);
        endChunk(out, at);
    }
    endChunk(out, movie);

    const std::size_t index = beginChunk(out, "idx1");
    for (const std::uint32_t offset : offsets) {
        AppendText(out, kFrameChunk);
        AppendDword(out, kKeyFrame);
        AppendDword(out, offset);
        AppendDword(out, frameBytes);
    }
    endChunk(out, index);
    endChunk(out, riff);
    return out;
}

}  // namespace romwise::resgen

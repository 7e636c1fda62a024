#include "tools/resgen/bitmap_files.h"

#include <stdexcept>

namespace romwise::resgen {

namespace {

using samplegen::AppendByte;
using samplegen::AppendDword;
using samplegen::AppendText;
using samplegen::AppendWord;

constexpr std::uint32_t kInfoHeaderSize = 40;
constexpr std::uint32_t kFileHeaderSize = 14;
constexpr std::uint32_t kIconDirectorySize = 6;
constexpr std::uint32_t kIconEntrySize = 16;
constexpr std::uint16_t kIconType = 1;

// Rows of a bitmap are padded to whole 32-bit words.
std::uint32_t rowBytes(int width, int bitsPerPixel) {
    return (static_cast<std::uint32_t>(width) * static_cast<std::uint32_t>(bitsPerPixel) + 31) /
           32 * 4;
}

void checkSize(const Picture& picture, int limit) {
    if (picture.width < 1 || picture.height < 1 || picture.width > limit ||
        picture.height > limit ||
        picture.pixels.size() !=
            static_cast<std::size_t>(picture.width) * static_cast<std::size_t>(picture.height)) {
        throw std::invalid_argument("picture size out of range");
    }
}

void appendPadding(Bytes& out, std::uint32_t written, std::uint32_t row) {
    for (; written < row; ++written) {
        AppendByte(out, 0);
    }
}

// One icon image: the header (twice the height: colour and mask), the
// 32-bit colour rows and the mask rows, both bottom-up.
Bytes iconImage(const Picture& picture) {
    const std::uint32_t colourRow = rowBytes(picture.width, 32);
    const std::uint32_t maskRow = rowBytes(picture.width, 1);
    const auto height = static_cast<std::uint32_t>(picture.height);
    Bytes out;
    appendInfoHeader(out, picture.width, picture.height * 2, 32, (colourRow + maskRow) * height);
    for (int y = picture.height - 1; y >= 0; --y) {
        for (int x = 0; x < picture.width; ++x) {
            AppendDword(out, picture.at(x, y));  // B, G, R, A in memory
        }
    }
    for (int y = picture.height - 1; y >= 0; --y) {
        Bytes row(maskRow, 0);
        for (int x = 0; x < picture.width; ++x) {
            if ((picture.at(x, y) >> 24) < 0x80) {
                row[static_cast<std::size_t>(x / 8)] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
            }
        }
        out.insert(out.end(), row.begin(), row.end());
    }
    return out;
}

}  // namespace

void appendInfoHeader(Bytes& out, int width, int height, int bitsPerPixel, std::uint32_t imageSize,
                      std::uint32_t coloursUsed) {
    AppendDword(out, kInfoHeaderSize);
    AppendDword(out, static_cast<std::uint32_t>(width));
    AppendDword(out, static_cast<std::uint32_t>(height));
    AppendWord(out, 1);  // planes
    AppendWord(out, static_cast<std::uint16_t>(bitsPerPixel));
    AppendDword(out, 0);  // BI_RGB
    AppendDword(out, imageSize);
    AppendDword(out, 0);  // pixels per metre, x and y
    AppendDword(out, 0);
    AppendDword(out, coloursUsed);  // colours used, and all of them important
    AppendDword(out, coloursUsed);
}

Bytes bitmapFile(const Picture& picture) {
    checkSize(picture, 32767);
    const std::uint32_t row = rowBytes(picture.width, 24);
    const std::uint32_t imageSize = row * static_cast<std::uint32_t>(picture.height);
    Bytes out;
    AppendText(out, "BM");
    AppendDword(out, kFileHeaderSize + kInfoHeaderSize + imageSize);
    AppendDword(out, 0);  // reserved
    AppendDword(out, kFileHeaderSize + kInfoHeaderSize);
    appendInfoHeader(out, picture.width, picture.height, 24, imageSize);
    for (int y = picture.height - 1; y >= 0; --y) {
        for (int x = 0; x < picture.width; ++x) {
            const std::uint32_t pixel = picture.at(x, y);
            AppendByte(out, static_cast<std::uint8_t>(pixel & 0xFF));
            AppendByte(out, static_cast<std::uint8_t>((pixel >> 8) & 0xFF));
            AppendByte(out, static_cast<std::uint8_t>((pixel >> 16) & 0xFF));
        }
        appendPadding(out, static_cast<std::uint32_t>(picture.width) * 3, row);
    }
    return out;
}

Bytes iconFile(std::span<const Picture> pictures) {
    if (pictures.empty()) {
        throw std::invalid_argument("an icon needs at least one picture");
    }
    std::vector<Bytes> images;
    for (const Picture& picture : pictures) {
        checkSize(picture, 256);
        images.push_back(iconImage(picture));
    }
    Bytes out;
    AppendWord(out, 0);  // reserved
    AppendWord(out, kIconType);
    AppendWord(out, static_cast<std::uint16_t>(images.size()));
    auto offset = kIconDirectorySize + kIconEntrySize * static_cast<std::uint32_t>(images.size());
    for (std::size_t i = 0; i < images.size(); ++i) {
        // A side of 256 is written as 0.
        AppendByte(out, static_cast<std::uint8_t>(pictures[i].width & 0xFF));
        AppendByte(out, static_cast<std::uint8_t>(pictures[i].height & 0xFF));
        AppendByte(out, 0);  // no palette
        AppendByte(out, 0);  // reserved
        AppendWord(out, 1);  // planes
        AppendWord(out, 32);
        AppendDword(out, static_cast<std::uint32_t>(images[i].size()));
        AppendDword(out, offset);
        offset += static_cast<std::uint32_t>(images[i].size());
    }
    for (const Bytes& image : images) {
        out.insert(out.end(), image.begin(), image.end());
    }
    return out;
}

}  // namespace romwise::resgen

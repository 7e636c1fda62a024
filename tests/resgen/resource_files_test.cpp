// The resource files read back as Windows reads them: a bitmap's rows
// bottom-up and padded, an icon's directory pointing at each image with its
// mask, the AVI clip's headers, frames and index agreeing, a palette that
// keeps few colours exactly and maps many to their nearest, and wide string
// literals that survive any code page.
#include <gtest/gtest.h>

#include <cstdint>
#include <stdexcept>
#include <string>

#include "tools/resgen/avi_file.h"
#include "tools/resgen/bitmap_files.h"
#include "tools/resgen/palette.h"
#include "tools/resgen/resource_script.h"

namespace romwise::resgen {
namespace {

std::uint32_t dword(const Bytes& bytes, std::size_t at) {
    return bytes.at(at) | (bytes.at(at + 1) << 8) | (bytes.at(at + 2) << 16) |
           (static_cast<std::uint32_t>(bytes.at(at + 3)) << 24);
}
std::uint16_t word(const Bytes& bytes, std::size_t at) {
    return static_cast<std::uint16_t>(bytes.at(at) | (bytes.at(at + 1) << 8));
}
std::string fourcc(const Bytes& bytes, std::size_t at) {
    return std::string(bytes.begin() + static_cast<long>(at),
                       bytes.begin() + static_cast<long>(at + 4));
}

// A picture whose every pixel differs: red from x, green from y.
Picture gradient(int width, int height, std::uint32_t alpha = 0xFF000000) {
    Picture picture{width, height, {}};
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            picture.pixels.push_back(alpha | (static_cast<std::uint32_t>(x * 7 % 256) << 16) |
                                     (static_cast<std::uint32_t>(y * 5 % 256) << 8) | 0x40);
        }
    }
    return picture;
}

TEST(BitmapFile, RowsAreBottomUpPaddedToFourBytesWithTheSizesInTheHeaders) {
    const Picture picture = gradient(5, 3);
    const Bytes file = bitmapFile(picture);
    const std::uint32_t row = 16;  // 5 * 3 bytes, padded
    ASSERT_EQ(file.size(), 54 + row * 3);
    EXPECT_EQ(fourcc(file, 0).substr(0, 2), "BM");
    EXPECT_EQ(dword(file, 2), file.size());
    EXPECT_EQ(dword(file, 10), 54u);
    EXPECT_EQ(dword(file, 18), 5u);
    EXPECT_EQ(dword(file, 22), 3u);
    EXPECT_EQ(word(file, 28), 24);
    // The top-left pixel is the first of the last row, blue first.
    const std::size_t topLeft = 54 + row * 2;
    EXPECT_EQ(file[topLeft], picture.at(0, 0) & 0xFF);
    EXPECT_EQ(file[topLeft + 1], (picture.at(0, 0) >> 8) & 0xFF);
    EXPECT_EQ(file[topLeft + 2], (picture.at(0, 0) >> 16) & 0xFF);
    EXPECT_EQ(file[54 + 3 * 4], (picture.at(4, 2) & 0xFF)) << "bottom-right ends the first row";
    EXPECT_EQ(file[54 + 15], 0) << "padding";
}

TEST(IconFile, EveryEntryPointsAtItsImageWithDoubledHeightAndTheMaskOfTransparentPixels) {
    Picture small = gradient(16, 16);
    small.pixels[0] &= 0x00FFFFFF;  // the top-left pixel transparent
    const Picture pictures[] = {small, gradient(32, 32)};
    const Bytes file = iconFile(pictures);
    EXPECT_EQ(word(file, 2), 1);
    ASSERT_EQ(word(file, 4), 2);
    std::uint32_t expectedOffset = 6 + 2 * 16;
    for (int i = 0; i < 2; ++i) {
        const std::size_t entry = 6 + 16 * static_cast<std::size_t>(i);
        const int side = pictures[i].width;
        EXPECT_EQ(file[entry], side);
        EXPECT_EQ(word(file, entry + 6), 32);
        const std::uint32_t size = dword(file, entry + 8);
        const std::uint32_t offset = dword(file, entry + 12);
        EXPECT_EQ(offset, expectedOffset);
        EXPECT_EQ(size, 40u + static_cast<std::uint32_t>(side * side * 4) +
                            static_cast<std::uint32_t>(side) * 4);  // mask rows of 4 bytes
        EXPECT_EQ(dword(file, offset + 4), static_cast<std::uint32_t>(side));
        EXPECT_EQ(dword(file, offset + 8), static_cast<std::uint32_t>(side * 2));
        expectedOffset += size;
    }
    EXPECT_EQ(file.size(), expectedOffset);
    // The mask's top row is its last; its first bit is the transparent pixel.
    const std::uint32_t first = dword(file, 6 + 12);
    const std::size_t maskTopRow = first + 40 + 16 * 16 * 4 + 15 * 4;
    EXPECT_EQ(file[maskTopRow], 0x80);
    EXPECT_EQ(file[maskTopRow - 4], 0x00) << "the row below is opaque";
    EXPECT_THROW(iconFile(std::vector<Picture>{gradient(257, 2)}), std::invalid_argument);
}

TEST(Palette, KeepsFewColoursExactlyAndMapsManyToTheirNearest) {
    Picture few{2, 1, {0xFF102030, 0xFFA0B0C0}};
    const IndexedPictures exact = quantize(std::vector<Picture>{few});
    ASSERT_EQ(exact.palette.size(), 2u);
    EXPECT_EQ(exact.palette[exact.indices[0][0]], 0x102030u);
    EXPECT_EQ(exact.palette[exact.indices[0][1]], 0xA0B0C0u);

    const std::vector<Picture> many = {gradient(64, 40), gradient(40, 64)};
    const IndexedPictures reduced = quantize(many, 256);
    ASSERT_EQ(reduced.palette.size(), 256u);
    ASSERT_EQ(reduced.indices.size(), 2u);
    for (std::size_t p = 0; p < many.size(); ++p) {
        ASSERT_EQ(reduced.indices[p].size(), many[p].pixels.size());
        for (std::size_t i = 0; i < many[p].pixels.size(); ++i) {
            const std::uint32_t want = many[p].pixels[i];
            const std::uint32_t got = reduced.palette[reduced.indices[p][i]];
            for (int shift : {16, 8, 0}) {
                const int d = static_cast<int>((want >> shift) & 0xFF) -
                              static_cast<int>((got >> shift) & 0xFF);
                EXPECT_LE(d * d, 24 * 24) << "pixel " << i << " of picture " << p;
            }
        }
    }
    EXPECT_THROW(quantize(many, 0), std::invalid_argument);
}

TEST(AviFile, HeadersFramesAndIndexAgree) {
    const std::vector<Picture> frames = {gradient(5, 3), gradient(5, 3), gradient(5, 3)};
    VideoClip clip;
    clip.width = 5;
    clip.height = 3;
    clip.microsecondsPerFrame = 90000;
    clip.frames = quantize(frames);
    const Bytes file = aviFile(clip);
    EXPECT_EQ(fourcc(file, 0), "RIFF");
    EXPECT_EQ(dword(file, 4), file.size() - 8);
    EXPECT_EQ(fourcc(file, 8), "AVI ");
    EXPECT_EQ(fourcc(file, 12), "LIST");
    EXPECT_EQ(fourcc(file, 20), "hdrl");
    EXPECT_EQ(fourcc(file, 24), "avih");
    EXPECT_EQ(dword(file, 32), 90000u);
    EXPECT_EQ(dword(file, 32 + 16), 3u) << "frames";
    EXPECT_EQ(dword(file, 32 + 32), 5u);
    EXPECT_EQ(dword(file, 32 + 36), 3u);

    const std::size_t strh = 32 + 56 + 12;
    ASSERT_EQ(fourcc(file, strh), "strh");
    EXPECT_EQ(fourcc(file, strh + 8), "vids");
    EXPECT_EQ(fourcc(file, strh + 12), "DIB ");
    const std::size_t strf = strh + 8 + 56;
    ASSERT_EQ(fourcc(file, strf), "strf");
    EXPECT_EQ(word(file, strf + 8 + 14), 8) << "8 bits a pixel";
    EXPECT_EQ(dword(file, strf + 8 + 32), clip.frames.palette.size());

    const std::size_t movi = strf + 8 + dword(file, strf + 4);
    ASSERT_EQ(fourcc(file, movi), "LIST");
    ASSERT_EQ(fourcc(file, movi + 8), "movi");
    const std::size_t idx1 = movi + 8 + dword(file, movi + 4);
    ASSERT_EQ(fourcc(file, idx1), "idx1");
    ASSERT_EQ(dword(file, idx1 + 4), 3u * 16);
    for (std::size_t i = 0; i < 3; ++i) {
        const std::size_t entry = idx1 + 8 + 16 * i;
        EXPECT_EQ(fourcc(file, entry), "00db");
        const std::size_t chunk = movi + 8 + dword(file, entry + 8);
        EXPECT_EQ(fourcc(file, chunk), "00db") << "index offsets count from the movi type";
        EXPECT_EQ(dword(file, chunk + 4), 8u * 3) << "rows of 5 padded to 8";
        EXPECT_EQ(dword(file, entry + 12), 8u * 3);
    }
    clip.frames.indices[1].pop_back();
    EXPECT_THROW(aviFile(clip), std::invalid_argument);
}

TEST(ResourceScript, WideLiteralsAreAsciiWithEscapesThatCannotRunOn) {
    EXPECT_EQ(wideStringLiteral("&关于Romwise..."), "L\"&\\x5173\\x4e8eRomwise...\"");
    // A hex digit after an escape would extend it, so it is escaped too.
    EXPECT_EQ(wideStringLiteral("于a1"), "L\"\\x4e8e\\x0061\\x0031\"");
    EXPECT_EQ(wideStringLiteral("于g"), "L\"\\x4e8eg\"");
    EXPECT_EQ(wideStringLiteral("a\"g\\h"), "L\"a\\x0022g\\x005ch\"");
    EXPECT_EQ(wideStringLiteral("\xF0\x9F\x98\x80"), "L\"\\xd83d\\xde00\"");
    EXPECT_THROW(wideStringLiteral("\xC0\x80"), std::invalid_argument);
    EXPECT_THROW(wideStringLiteral("\xE4\xBA"), std::invalid_argument);

    const std::string script = resourceScript({{128, "ICON", "/b/application.ico"}}, {{101, "关"}});
    EXPECT_NE(script.find("128 ICON \"/b/application.ico\"\n"), std::string::npos);
    EXPECT_NE(script.find("101 L\"\\x5173\"\n"), std::string::npos);
    EXPECT_THROW(resourceScript({{1, "ICON", "/b/a\"b.ico"}}, {}), std::invalid_argument);
}

}  // namespace
}  // namespace romwise::resgen

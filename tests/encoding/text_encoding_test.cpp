// Windows-1252 and UTF-8 conversions: the same tests for the iconv version
// (Linux) and the system code-page version (Windows), so that both keep the
// one contract of text_encoding.h.
#include <gtest/gtest.h>

#include <string>

#include "platform/encoding/text_encoding.h"

namespace romwise {
namespace {

// The bytes Windows-1252 leaves without a character.
constexpr unsigned char kUndefinedBytes[] = {0x81, 0x8D, 0x8F, 0x90, 0x9D};

bool isUndefined(unsigned char byte) {
    for (const unsigned char undefined : kUndefinedBytes) {
        if (byte == undefined) {
            return true;
        }
    }
    return false;
}

TEST(TextEncoding, EveryDefinedByteComesBackAndUndefinedOnesBecomeTheReplacement) {
    for (int value = 0; value < 256; ++value) {
        const std::string byte(1, static_cast<char>(value));
        const std::string utf8 = windows1252ToUtf8(byte);
        if (isUndefined(static_cast<unsigned char>(value))) {
            EXPECT_EQ(utf8, "\xEF\xBF\xBD") << "byte " << value;
        } else {
            EXPECT_EQ(utf8ToWindows1252(utf8), byte) << "byte " << value;
        }
        if (value < 0x80) {
            EXPECT_EQ(utf8, byte) << "ASCII stays";
        }
    }
}

TEST(TextEncoding, AByteAfterAnUndefinedOneIsKept) {
    // Seen on a real Award boot block: "L", 90h, BCh, "q" must keep the "¼".
    EXPECT_EQ(windows1252ToUtf8("L\x90\xBCq"), "L\xEF\xBF\xBD\xC2\xBCq");
    for (const unsigned char undefined : kUndefinedBytes) {
        for (int next = 0x80; next <= 0xBF; ++next) {
            const std::string pair{static_cast<char>(undefined), static_cast<char>(next)};
            EXPECT_EQ(windows1252ToUtf8(pair),
                      windows1252ToUtf8(std::string(1, static_cast<char>(undefined))) +
                          windows1252ToUtf8(std::string(1, static_cast<char>(next))))
                << "bytes " << int{undefined} << ", " << next;
        }
    }
}

TEST(TextEncoding, ProcessorNameSignsAreTheirUnicodeCharacters) {
    EXPECT_EQ(windows1252ToUtf8("Intel\xAE Pentium\x99 0.18 \xB5m \x80"),
              "Intel\xC2\xAE Pentium\xE2\x84\xA2 0.18 \xC2\xB5m \xE2\x82\xAC");
    EXPECT_EQ(windows1252ToUtf8(std::string("a\0b", 3)), std::string("a\0b", 3));
}

TEST(TextEncoding, UnconvertibleAndInvalidUtf8BecomeQuestionMarks) {
    EXPECT_EQ(utf8ToWindows1252("\xE4\xB8\xAD\xE6\x96\x87"), "??") << "Chinese";
    EXPECT_EQ(utf8ToWindows1252("\xC4\x80"), "?") << "no best fit: A with macron";
    EXPECT_EQ(utf8ToWindows1252("\xC2\x81"), "?") << "a C1 control has no byte";
    EXPECT_EQ(utf8ToWindows1252("\xE2\x80\x9C"
                                "x"
                                "\xE2\x80\x9D"),
              "\x93x\x94");
    EXPECT_EQ(utf8ToWindows1252("\xC3\x28"), "?(") << "lead byte without its continuation";
    EXPECT_EQ(utf8ToWindows1252("\x80\x80"
                                "A"),
              "?A")
        << "stray continuation bytes";
    EXPECT_EQ(utf8ToWindows1252("A\xE2\x82"), "A?") << "cut at the end";
    EXPECT_EQ(utf8ToWindows1252("\xC0\xAF"), "?") << "overlong";
    EXPECT_EQ(utf8ToWindows1252("\xED\xA0\x80"), "?") << "surrogate";
    EXPECT_EQ(utf8ToWindows1252("\xF4\x90\x80\x80"), "?") << "beyond U+10FFFF";
    EXPECT_EQ(utf8ToWindows1252(std::string("a\0b", 3)), std::string("a\0b", 3));
}

}  // namespace
}  // namespace romwise

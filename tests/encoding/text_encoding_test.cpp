// Windows-1252 to UTF-8 and back: every byte comes through as one
// character, undefined ones as U+FFFD, and defined ones survive the trip.
#include <gtest/gtest.h>

#include <string>

#include "platform/encoding/text_encoding.h"

namespace romwise {
namespace {

constexpr char kReplacement[] = "\xEF\xBF\xBD";
// The five bytes Windows-1252 leaves undefined.
constexpr unsigned char kUndefined[] = {0x81, 0x8D, 0x8F, 0x90, 0x9D};

bool isUndefined(unsigned byte) {
    for (const unsigned char undefined : kUndefined) {
        if (byte == undefined) {
            return true;
        }
    }
    return false;
}

TEST(TextEncoding, AByteAfterAnUndefinedOneIsKept) {
    // Seen on a real Award boot block: "L", 90h, BCh, "q" must keep the "¼".
    EXPECT_EQ(windows1252ToUtf8("L\x90\xBCq"), std::string("L") + kReplacement + "\xC2\xBCq");
    for (const unsigned char undefined : kUndefined) {
        for (unsigned next = 0x80; next <= 0xBF; ++next) {
            const std::string text{static_cast<char>(undefined), static_cast<char>(next)};
            const std::string utf8 = windows1252ToUtf8(text);
            ASSERT_EQ(utf8.rfind(kReplacement, 0), 0u) << std::hex << next;
            EXPECT_EQ(utf8.substr(3), windows1252ToUtf8(std::string(1, static_cast<char>(next))))
                << std::hex << unsigned{undefined} << " " << next;
        }
    }
}

TEST(TextEncoding, EveryDefinedByteSurvivesTheRoundTrip) {
    std::string all;
    for (unsigned byte = 1; byte <= 0xFF; ++byte) {
        if (!isUndefined(byte)) {
            all.push_back(static_cast<char>(byte));
        }
    }
    EXPECT_EQ(utf8ToWindows1252(windows1252ToUtf8(all)), all);
    EXPECT_EQ(windows1252ToUtf8("\x80\x99\xAE\xB5"), "\xE2\x82\xAC\xE2\x84\xA2\xC2\xAE\xC2\xB5");
}

TEST(TextEncoding, WhatTheCodePageCannotHoldBecomesAQuestionMark) {
    EXPECT_EQ(utf8ToWindows1252("\xE4\xB8\xAD"), "?") << "a Chinese character";
    EXPECT_EQ(utf8ToWindows1252("a\xC3(b"), "a?(b") << "a broken sequence costs one byte";
    EXPECT_EQ(utf8ToWindows1252("a\xE2\x82"), "a?") << "a cut sequence at the end";
}

}  // namespace
}  // namespace romwise

#include "model/fixed_text.h"

#include <gtest/gtest.h>

#include <string>

namespace romwise {
namespace {

TEST(FixedTextTest, EveryWriteCutsAtCapacityMinusOneAndKeepsTheTerminator) {
    FixedText<8> text;
    text.assign("0123456789");
    EXPECT_EQ(text.str(), "0123456");

    text.assign("abc");
    text.append("defghijk");
    EXPECT_EQ(text.str(), "abcdefg");

    text.format("%s-%d", "longer than eight", 42);
    EXPECT_EQ(text.str(), "longer ");

    text.assign("ab");
    text.appendFormat("%05d", 12345678);
    EXPECT_EQ(text.str(), "ab12345");
    EXPECT_EQ(text.size(), 7u);
}

TEST(FixedTextTest, RawBytesAreKeptAndANulEndsTheText) {
    FixedText<16> text;
    text.assign(std::string_view("\xAE\x99\xB5x\0tail", 9));
    EXPECT_EQ(text.str(), "\xAE\x99\xB5x");
}

TEST(FixedTextTest, ValuePartAndLabelReplacement) {
    FixedText<24> line("BIOS Date: 11/03/99");
    EXPECT_STREQ(line.from(11), "11/03/99");
    EXPECT_STREQ(line.from(40), "");

    line.assignFrom(11, "a value far too long for this line");
    EXPECT_EQ(line.str(), "BIOS Date: a value far ");
}

TEST(FixedTextTest, SetByteReplacesOrExtendsByOne) {
    FixedText<4> text;
    text.setByte(0, '0');
    EXPECT_EQ(text.str(), "0");
    text.assign("A05");
    text.setByte(0, '0');
    EXPECT_EQ(text.str(), "005");
    text.setByte(3, 'x');  // no room left: unchanged
    EXPECT_EQ(text.str(), "005");
}

}  // namespace
}  // namespace romwise

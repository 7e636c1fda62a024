// FindInRom, MatchAt and the raw copies at the edges of the window.
#include <gtest/gtest.h>

#include <cctype>
#include <ostream>
#include <string>

#include "bios/rom_search.h"
#include "tests/bios/crafted_rom.h"

namespace romwise::bios_test {
namespace {

struct FindCase {
    const char* what;
    std::uint32_t textAt;  // where the test writes "NEEDLE-TEXT" (FFFFFFFFh: nowhere)
    std::uint32_t start;
    std::string text;
    std::uint32_t expected;  // 1 + offset, or 0
};

void PrintTo(const FindCase& c, std::ostream* out) {
    *out << c.what;
}

class FindInRomTest : public testing::TestWithParam<FindCase> {};

TEST_P(FindInRomTest, FindsWhatLiesWhollyInsideTheWindow) {
    const FindCase& c = GetParam();
    CraftedRom rom;
    if (c.textAt != 0xFFFFFFFF) {
        rom.put(c.textAt, "NEEDLE-TEXT");
    }
    EXPECT_EQ(FindInRom(rom.identity(), c.start, c.text), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FindInRomTest,
    testing::Values(FindCase{"at the start", 0x0000, 0, "NEEDLE", 0x0001},
                    FindCase{"in the middle", 0x1234, 0, "NEEDLE-TEXT", 0x1235},
                    FindCase{"absent", 0xFFFFFFFF, 0, "NEEDLE", 0},
                    FindCase{"found from its own offset", 0x1234, 0x1234, "NEEDLE", 0x1235},
                    FindCase{"not found from past its start", 0x1234, 0x1235, "NEEDLE", 0},
                    FindCase{"search from FFFFh compares nothing", 0xFFFF, 0xFFFF, "N", 0},
                    FindCase{"search from beyond the window", 0x0000, 0x10000, "N", 0},
                    FindCase{"last position FFFEh is a candidate", 0xFFFE, 0, "NE", 0xFFFF},
                    FindCase{"FFFFh is never a candidate", 0xFFFF, 0, "N", 0},
                    FindCase{"8 bytes at FFF8h end at the window's end", 0xFFF8, 0, "NEEDLE-T",
                             0xFFF9},
                    FindCase{"9 bytes at FFF8h would run past it", 0xFFF8, 0, "NEEDLE-TE", 0},
                    FindCase{"partial match at the end", 0xFFFB, 0, "NEEDLE", 0}),
    [](const testing::TestParamInfo<FindCase>& info) {
        std::string name;
        for (const char* p = info.param.what; *p != '\0'; ++p) {
            name += std::isalnum(static_cast<unsigned char>(*p)) ? *p : '_';
        }
        return name;
    });

TEST(FindInRomTest, FindsTheFirstOccurrenceAtOrAfterTheStart) {
    CraftedRom rom;
    rom.put(0x0100, "Award").put(0x0200, "Award").put(0x0300, "Award");
    const BiosIdentity bios = rom.identity();
    EXPECT_EQ(FindInRom(bios, 0, "Award"), 0x0101u);
    EXPECT_EQ(FindInRom(bios, 0x0101, "Award"), 0x0201u);
    EXPECT_EQ(FindInRom(bios, 0x0201, "Award"), 0x0301u);
    EXPECT_EQ(FindInRom(bios, 0x0301, "Award"), 0u);
}

TEST(FindInRomTest, BytesAbove7FhNeverMatch) {
    CraftedRom rom;
    rom.put(0x4000, "Caf\xE9").put(0x5000, "Cafe");
    const BiosIdentity bios = rom.identity();
    EXPECT_EQ(FindInRom(bios, 0, "Caf\xE9"), 0u);
    EXPECT_FALSE(MatchAt(bios, 0x4000, "Caf\xE9"));
    EXPECT_EQ(FindInRom(bios, 0, "Cafe"), 0x5001u);
}

TEST(MatchAtTest, ComparesAtExactlyOneOffset) {
    CraftedRom rom;
    rom.put(0xE000, "MR BIOS (r)").put(0xFFEA, "COMPAQ");
    const BiosIdentity bios = rom.identity();
    EXPECT_TRUE(MatchAt(bios, 0xE000, "MR BIOS (r)"));
    EXPECT_FALSE(MatchAt(bios, 0xDFFF, "MR BIOS (r)"));
    EXPECT_FALSE(MatchAt(bios, 0xE001, "R BIOS (r)X"));
    EXPECT_TRUE(MatchAt(bios, 0xFFEA, "COMPAQ"));
    // A text that would run past FFFFh never matches, whatever lies before.
    rom.put(0xFFFA, "ABCDEF");
    EXPECT_TRUE(MatchAt(bios, 0xFFFA, "ABCDEF"));
    EXPECT_FALSE(MatchAt(bios, 0xFFFA, "ABCDEFG"));
    EXPECT_FALSE(MatchAt(bios, 0x10000, ""));
}

TEST(RomTextTest, CopiesRawBytesUpToANulOrTheEndOfTheWindow) {
    CraftedRom rom;
    rom.put(0x2000, std::string("a\x01\tb\rc\0tail", 10));
    rom.put(0xFFF8, "12345678");
    const BiosIdentity bios = rom.identity();
    EXPECT_EQ(RomText(bios, 0x2000, 3), "a\x01\t");
    EXPECT_EQ(RomText(bios, 0x2000, 40), "a\x01\tb\rc");
    EXPECT_EQ(RomText(bios, 0xFFF8, 60), "12345678");
    EXPECT_EQ(RomText(bios, 0xFFFF, 60), "8");
    EXPECT_EQ(RomText(bios, 0x10000, 60), "");
    EXPECT_EQ(RomBytes(bios, 0xFFF0, 100).size(), 0x10u);
}

}  // namespace
}  // namespace romwise::bios_test

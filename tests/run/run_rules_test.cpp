// The rules of the pass that stand on their own: vendor code, processor line,
// slot summary, BIOS ID substitute, sign-on clean-up.
#include <gtest/gtest.h>

#include <string>

#include "app/pass_texts.h"

namespace romwise {
namespace {

TEST(RunRulesTest, VendorCodeTakesTheFirstMatchingRule) {
    EXPECT_STREQ(biosVendorCode("BIOS Type: Phoenix - AwardBIOS v6.00PG"), "Award");
    EXPECT_STREQ(biosVendorCode("BIOS Type: American Megatrends Inc."), "AMI");
    EXPECT_STREQ(biosVendorCode("BIOS Type: AMIBIOS"), "AMI");
    EXPECT_STREQ(biosVendorCode("BIOS Type: PhoenixBIOS 4.0"), "Phoenix");
    EXPECT_STREQ(biosVendorCode("BIOS Type: MR BIOS (r) V1.60"), "MR BIOS");
    EXPECT_STREQ(biosVendorCode("BIOS Type: award lowercase"), "Other");
    EXPECT_STREQ(biosVendorCode("BIOS Type: Unknown"), "Other");
}

TEST(RunRulesTest, CpuLineAppendsSpeedsOnlyBelowEightyCharacters) {
    FixedText<80> line;
    std::uint16_t max = 600;
    composeCpuLine("Pentium III", 500, max, line);
    EXPECT_EQ(line.str(), "Pentium III 500 Mhz MAX: 600 Mhz");
    EXPECT_EQ(max, 600);

    // A maximum below the current speed counts as unknown and is not written.
    max = 400;
    composeCpuLine("Pentium III", 500, max, line);
    EXPECT_EQ(line.str(), "Pentium III 500 Mhz");
    EXPECT_EQ(max, 0);

    // No current speed: no speeds at all, and the maximum is left alone.
    max = 400;
    composeCpuLine("Pentium III", 0, max, line);
    EXPECT_EQ(line.str(), "Pentium III");
    EXPECT_EQ(max, 400);

    // 71 characters plus " 500 Mhz" (8) would make 79: appended. The maximum
    // would then pass 80: left out.
    const std::string name71(71, 'x');
    max = 600;
    composeCpuLine(name71, 500, max, line);
    EXPECT_EQ(line.str(), name71 + " 500 Mhz");

    // 72 characters plus 8 reach 80: neither speed, and the maximum is not
    // compared with the current speed.
    const std::string name72(72, 'x');
    max = 100;
    composeCpuLine(name72, 500, max, line);
    EXPECT_EQ(line.str(), name72);
    EXPECT_EQ(max, 100);
}

TEST(RunRulesTest, SlotsLineStopsBeforeReachingEightyCharacters) {
    MemorySlotSizes sizes;
    sizes.capacity = kMemorySlotCapacity;
    MemorySlotTexts texts;
    for (int i = 0; i < 8; ++i) {
        sizes.append(1024);
        texts.text[i].assign("1024 MB");
    }
    texts.count = 8;
    FixedText<120> line;
    composeMemorySlotsLine(sizes, texts, line);
    EXPECT_EQ(line.str(), "Slot1:1024 MB   Slot2:1024 MB   Slot3:1024 MB   Slot4:1024 MB   ");

    texts.count = 0;
    composeMemorySlotsLine(sizes, texts, line);
    EXPECT_TRUE(line.empty());
}

TEST(RunRulesTest, SlotTableHoldsSixteenEntries) {
    MemorySlotSizes sizes;
    sizes.capacity = kMemorySlotCapacity;
    for (int i = 0; i < 16; ++i) {
        EXPECT_TRUE(sizes.append(64));
    }
    EXPECT_FALSE(sizes.append(128));
    EXPECT_EQ(sizes.count, 16);
    MemorySlotSizes unset;  // capacity 0 until a pass sets it
    EXPECT_FALSE(unset.append(64));
}

TEST(RunRulesTest, BiosIdSubstituteUsesKnownMakerWordsAndTrimmedModel) {
    FixedText<512> out;
    composeBiosIdSubstitute("Quokka Dell Inc.", "Dimension 4400   ", "A05", out);
    EXPECT_EQ(out.str(), "Dell Dimension 4400 BIOS Version: A05");

    composeBiosIdSubstitute("Hewlett-Packard Sony", "X", "1", out);
    EXPECT_EQ(out.str(), "Sony X BIOS Version: 1");  // Sony comes earlier in the list

    composeBiosIdSubstitute("Quokka Boards", "QB", "1014", out);
    EXPECT_EQ(out.str(), "Quokka Boards QB BIOS Version: 1014");

    composeBiosIdSubstitute("Unknown", "Unknown", "0", out);
    EXPECT_EQ(out.str(), "  BIOS Version: 0");
}

TEST(RunRulesTest, SignOnCleanUpOrder) {
    EXPECT_EQ(cleanSignOn("  Hello world  "), "Hello world");
    // Blanks first, then carriage returns, then line feeds: a blank after the
    // line feed stays.
    EXPECT_EQ(cleanSignOn("  \r\r\n Hello"), " Hello");
    EXPECT_EQ(cleanSignOn("\n\rHello"), "\rHello");
    EXPECT_EQ(cleanSignOn("   "), "");
}

}  // namespace
}  // namespace romwise

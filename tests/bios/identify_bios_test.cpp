// IdentifyBios as a whole: mapping, date, defaults, the line-break cut, the
// line formats and their fields' capacities.
#include <gtest/gtest.h>

#include <string>

#include "bios/bios_lines.h"
#include "bios/recognisers.h"
#include "tests/bios/crafted_rom.h"

namespace romwise::bios_test {
namespace {

std::string Nul() {
    return std::string(1, '\0');
}

TEST(IdentifyBiosTest, UnknownRomGivesUnknownTypeAndIdAndTheStoredDate) {
    CraftedRom rom;
    rom.put(0xFFF5, "11/03/99");
    const BiosLines lines = IdentifyLines(rom, "earlier");
    EXPECT_EQ(lines.date, "BIOS Date: 11/03/99");
    EXPECT_EQ(lines.type, "BIOS Type: Unknown");
    EXPECT_EQ(lines.id, "BIOS ID:   Unknown");
    EXPECT_EQ(lines.signOn, "earlier");
}

TEST(IdentifyBiosTest, DateIsTheRawEightBytesAtFFF5h) {
    struct Case {
        std::string stored;
        std::string line;
    };
    const Case cases[] = {
        {"02/29/96", "BIOS Date: 02/29/96"},
        {" 01/28/8", "BIOS Date:  01/28/8"},
        {"*MRB*" + Nul() + "xy", "BIOS Date: *MRB*"},
        {"\x01\x7F\xFF"
         "abcde",
         "BIOS Date: \x01\x7F\xFF"
         "abcde"},
        {Nul(), "BIOS Date: "},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        CraftedRom rom;
        rom.put(0xFFF5, c.stored).put(0xFFFD, "XYZ");
        EXPECT_EQ(IdentifyLines(rom).date.str(), c.line);
    }
}

TEST(IdentifyBiosTest, UnmappableWindowFailsAndLeavesTheLinesAlone) {
    RomWindowDriver driver(nullptr);
    BiosLines lines;
    lines.date = "d";
    lines.type = "t";
    lines.id = "i";
    lines.signOn = "s";
    EXPECT_FALSE(IdentifyBios(driver, lines.date, lines.type, lines.id, lines.signOn));
    EXPECT_EQ(driver.mapCalls, 1);
    EXPECT_EQ(lines.date, "d");
    EXPECT_EQ(lines.type, "t");
    EXPECT_EQ(lines.id, "i");
    EXPECT_EQ(lines.signOn, "s");
}

TEST(IdentifyBiosTest, MapsTheWindowAgainOnEveryCall) {
    CraftedRom rom;
    rom.put(0x0040, "Award Software").put(0xE061, "First" + Nul());
    RomWindowDriver driver(rom.data());
    BiosLines lines;
    ASSERT_TRUE(IdentifyBios(driver, lines.date, lines.type, lines.id, lines.signOn));
    rom.put(0xE061, "Second" + Nul());
    ASSERT_TRUE(IdentifyBios(driver, lines.date, lines.type, lines.id, lines.signOn));
    EXPECT_EQ(driver.mapCalls, 2);
    EXPECT_EQ(lines.type, "BIOS Type: Second");
}

TEST(IdentifyBiosTest, TypeAndIdAreCutAtTheirFirstLineBreakAfterLeadingOnes) {
    struct Case {
        std::string stored;
        std::string value;
    };
    const Case cases[] = {
        {"\r\nWord\r\nMore", "\r\nWord"},
        {"Word\nMore", "Word"},
        {"Word\rMore", "Word"},
        {"\n\n\rWord", "\n\n\rWord"},
        {"\r\n\r\n", "\r\n\r\n"},
        {"One line", "One line"},
        {"\nA\tB\x01"
         "C\rD",
         "\nA\tB\x01"
         "C"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.value);
        CraftedRom rom;
        rom.put(0x0040, "Award Software");
        rom.put(0xE061, c.stored + Nul()).put(0xEC71, c.stored + Nul());
        const ChainResult r = RunChain(rom);
        EXPECT_EQ(r.bios.biosType.str(), c.value);
        EXPECT_EQ(r.bios.biosId.str(), c.value);
    }
}

TEST(IdentifyBiosTest, SignOnLineIsWrittenOnlyForARealSignOn) {
    struct Case {
        std::string stored;
        std::string line;
    };
    const Case cases[] = {
        {"Quokka", "OEM Sign-On: Quokka"},
        {" ", "earlier"},
        {"", "earlier"},
        {"  ", "OEM Sign-On:   "},
        // The sign-on is not cut at line breaks: the detection run cleans it.
        {"\r\nX\rY", "OEM Sign-On: \r\nX\rY"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        CraftedRom rom;
        rom.put(0x0040, "Award Software").put(0xE0C1, c.stored + Nul());
        EXPECT_EQ(IdentifyLines(rom, "earlier").signOn.str(), c.line);
    }
}

TEST(IdentifyBiosTest, LongestValuesAreCutToTheirLineFields) {
    CraftedRom rom;
    rom.put(0x0040, "Award Software");
    rom.put(0xE061, std::string(40, 't')).put(0xEC71, std::string(60, 'i'));
    rom.put(0xE0C1, std::string(90, 's'));
    const BiosLines lines = IdentifyLines(rom);
    EXPECT_EQ(lines.type.str(), "BIOS Type: " + std::string(31, 't'));
    EXPECT_EQ(lines.id.str(), "BIOS ID:   " + std::string(47, 'i'));
    // 13 + 78 characters do not fit the 80-byte sign-on line: 79 are kept.
    EXPECT_EQ(lines.signOn.str(), "OEM Sign-On: " + std::string(66, 's'));
}

TEST(FormatBiosLinesTest, LabelsKeepTheirValueOffsets) {
    BiosIdentity bios;
    bios.biosDate = "12/31/99";
    bios.biosType = "T";
    bios.biosId = "I";
    bios.oemSignOn = "S";
    BiosLines lines;
    FormatBiosLines(bios, lines.date, lines.type, lines.id, lines.signOn);
    EXPECT_STREQ(lines.date.from(11), "12/31/99");
    EXPECT_STREQ(lines.type.from(11), "T");
    EXPECT_STREQ(lines.id.from(11), "I");
    EXPECT_STREQ(lines.signOn.from(13), "S");
    EXPECT_EQ(lines.id, "BIOS ID:   I");
}

// A recogniser that does not match leaves every field as it found it.
TEST(RecogniserTest, NoMatchChangesNothing) {
    struct Entry {
        const char* name;
        bool (*recognise)(BiosIdentity&);
    };
    const Entry recognisers[] = {
        {"Award", RecogniseAward},       {"MR BIOS", RecogniseMrBios}, {"AMI", RecogniseAmi},
        {"Phoenix", RecognisePhoenix},   {"Compaq", RecogniseCompaq},  {"Acer", RecogniseAcer},
        {"SurePath", RecogniseSurePath},
    };
    // Texts of the other makers, none of which alone is enough for a match.
    CraftedRom rom;
    rom.put(0x0100, "Intel Corporation").put(0x0200, "PhoenixBIOS").put(0x0300, "AMIBIOS");
    rom.put(0x0400, "BIOS Version 1").put(0x0500, "PROLIANT").put(0x0600, "PCI/ISA");
    rom.put(0x0700, "ACR").put(0x0800, "IBM").put(0x0900, "Compaq PC").put(0x0A00, "$IBIOSI$");
    rom.put(0x8000, "AMIBIOS").put(0xF400, "AMIBIOS").put(0xFFA4, "MR BIOS (r)");
    for (const Entry& entry : recognisers) {
        SCOPED_TRACE(entry.name);
        BiosIdentity bios = rom.identity();
        bios.biosType = "type";
        bios.biosId = "id";
        bios.oemSignOn = "sign-on";
        bios.amiBuildTag = "tag";
        bios.biosDate = "date";
        EXPECT_FALSE(entry.recognise(bios));
        EXPECT_EQ(bios.biosType, "type");
        EXPECT_EQ(bios.biosId, "id");
        EXPECT_EQ(bios.oemSignOn, "sign-on");
        EXPECT_EQ(bios.amiBuildTag, "tag");
        EXPECT_EQ(bios.biosDate, "date");
    }
}

}  // namespace
}  // namespace romwise::bios_test

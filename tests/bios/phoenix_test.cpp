// The Phoenix recogniser: product names, licence suffixes and the ID rules
// with their precedence.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/bios/crafted_rom.h"

namespace romwise::bios_test {
namespace {

CraftedRom PhoenixRom() {
    CraftedRom rom;
    rom.put(0x0014, "Phoenix Technologies Ltd.");
    return rom;
}

std::string Nul() {
    return std::string(1, '\0');
}

TEST(PhoenixRecogniserTest, MakerTextWithoutProductNameGivesPlainPhoenix) {
    CraftedRom rom = PhoenixRom();
    rom.put(0x2000, "Intel Corporation").put(0x2100, "Dell Computer Corp");
    const ChainResult r = RunChain(rom);
    EXPECT_EQ(r.maker, BiosMaker::Phoenix);
    EXPECT_EQ(r.bios.biosType, "Phoenix");
    EXPECT_EQ(r.bios.biosId, "Unknown");
    EXPECT_EQ(r.bios.oemSignOn, "");
}

TEST(PhoenixRecogniserTest, ProductNamesAreTriedInTheirOrder) {
    struct Case {
        std::vector<const char*> names;  // written at 3000h, 3100h, ...
        const char* type;
    };
    const Case cases[] = {
        {{"PhoenixBIOS A486"}, "PhoenixBIOS A486"},
        {{"Phoenix ROM BIOS PLUS"}, "Phoenix ROM BIOS PLUS"},
        {{"Phoenix NoteBIOS 4.0"}, "Phoenix NoteBIOS 4.0"},
        // The list's order counts, not the place in the ROM.
        {{"Phoenix NoteBIOS 4.0", "Phoenix ROM BIOS PLUS", "PhoenixBIOS A486"}, "PhoenixBIOS A486"},
        {{"Phoenix NoteBIOS 4.0", "Phoenix ROM BIOS PLUS"}, "Phoenix ROM BIOS PLUS"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.type);
        CraftedRom rom = PhoenixRom();
        std::uint32_t at = 0x3000;
        for (const char* name : c.names) {
            rom.put(at, std::string(name) + Nul());
            at += 0x100;
        }
        EXPECT_EQ(RunChain(rom).bios.biosType, c.type);
    }
}

TEST(PhoenixRecogniserTest, LicenceSuffixesFollowTheProductName) {
    struct Case {
        bool intel;
        bool dell;
        const char* type;
    };
    const Case cases[] = {
        {false, false, "PhoenixBIOS 4.0"},
        {true, false, "PhoenixBIOS 4.0 licensed to Intel"},
        {false, true, "PhoenixBIOS 4.0 licensed to Dell"},
        {true, true, "PhoenixBIOS 4.0 licensed to Intel licensed to Dell"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.type);
        CraftedRom rom = PhoenixRom();
        rom.put(0x3000, "PhoenixBIOS 4.0" + Nul());
        if (c.intel) {
            rom.put(0x5000, "Intel Corporation");
        }
        if (c.dell) {
            rom.put(0x5100, "Dell Computer Corp");
        }
        EXPECT_EQ(RunChain(rom).bios.biosType, c.type);
    }
}

TEST(PhoenixRecogniserTest, LongestTypeIsCutToTheTypeLine) {
    CraftedRom rom = PhoenixRom();
    rom.put(0x3000, "PhoenixBIOS" + std::string(80, 'x'));
    rom.put(0x5000, "Intel Corporation").put(0x5100, "Dell Computer Corp");
    const ChainResult r = RunChain(rom);
    EXPECT_EQ(r.bios.biosType.size(), 95u);
    const BiosLines lines = IdentifyLines(rom);
    EXPECT_EQ(lines.type.size(), 79u);
    EXPECT_EQ(lines.type.str(), "BIOS Type: PhoenixBIOS" + std::string(49, 'x') + " license");
}

TEST(PhoenixRecogniserTest, LaterIdRulesOverwriteEarlierOnes) {
    const std::string id40 = std::string(40, 'i');
    struct Case {
        const char* what;
        std::vector<const char*> markers;
        std::string id;
    };
    const Case cases[] = {
        {"80486", {"80486"}, "80486 ROM BIOS v1.00"},
        {"A486", {"A486"}, "A486 Version 1.03"},
        {"OptiPlex", {"OptiPlex"}, "OptiPlex GXi A07"},
        {"80486 before A486", {"A486", "80486"}, "80486 ROM BIOS v1.00"},
        {"A486 before OptiPlex", {"OptiPlex", "A486"}, "A486 Version 1.03"},
        {"IBIOSI over OptiPlex", {"OptiPlex", "IBIOSI"}, "1.00.10.DH0T"},
        {"Sanyo over IBIOSI", {"IBIOSI", "Sanyo"}, "Sanyo Notebook MODEL-25-CHARACTERS-LONG!"},
        {"Compaq PC over all", {"80486", "IBIOSI", "Sanyo", "CompaqPC"}, "Compaq PC Deskpro 4000"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        CraftedRom rom = PhoenixRom();
        for (std::string_view marker : c.markers) {
            if (marker == "80486") {
                rom.put(0x4C7C, "80486 ROM BIOS v1.00" + Nul());
            } else if (marker == "A486") {
                rom.put(0x4000, "A486 Version 1.03" + Nul());
            } else if (marker == "OptiPlex") {
                rom.put(0x4100, "OptiPlex GXi A07" + Nul());
            } else if (marker == "IBIOSI") {
                rom.put(0x4200, "$IBIOSI$1.00.10.DH0T" + Nul());
            } else if (marker == "Sanyo") {
                // The model stands 27 bytes after the marker; 25 of its bytes count.
                rom.put(0x4300, "Sanyo Notebook").put(0x4300 + 27, "MODEL-25-CHARACTERS-LONG!XYZ");
            } else if (marker == "CompaqPC") {
                rom.put(0x4400, "Compaq PC" + Nul() + "Deskpro 4000" + Nul() + Nul() + "junk");
            }
        }
        EXPECT_EQ(RunChain(rom).bios.biosId, c.id);
    }
}

TEST(PhoenixRecogniserTest, CompaqPcAreaJoinsItsTextsWithBlanks) {
    struct Case {
        std::string area;
        std::string id;
    };
    const Case cases[] = {
        {"Compaq PC" + Nul() + "Model" + Nul() + Nul() + "rest", "Compaq PC Model"},
        {"Compaq PC" + Nul() + "A" + Nul() + "B" + Nul() + Nul(), "Compaq PC A B"},
        {"Compaq PC" + Nul() + Nul() + "Model", "Compaq PC"},
        // No double NUL in 60 bytes: all 60, single NULs as blanks.
        {"Compaq PC" + Nul() + std::string(60, 'm'), "Compaq PC " + std::string(50, 'm')},
        // A NUL as the 60th byte ends the text: the copy's terminator follows it.
        {"Compaq PC" + std::string(50, 'm') + Nul() + "x", "Compaq PC" + std::string(50, 'm')},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.id);
        CraftedRom rom = PhoenixRom();
        rom.put(0x6000, c.area);
        EXPECT_EQ(RunChain(rom).bios.biosId, c.id);
    }
}

TEST(PhoenixRecogniserTest, IdAreasNearTheEndOfTheWindowStopThere) {
    // Every ID rule near the top of the window: the copies end at FFFFh.
    struct Case {
        std::uint32_t at;
        std::string text;
        std::string id;
    };
    const Case cases[] = {
        {0xFFF0, "80486 ROM BIOS??", "80486 ROM BIOS??"},
        {0xFFF8, "$IBIOSI$", ""},
        {0xFFF6, "$IBIOSI$AB", "AB"},
        // The model would start at 10000h: nothing of it is left.
        {0xFFE5, "Sanyo Notebook", "Sanyo Notebook "},
        {0xFFE0, "Sanyo Notebook", "Sanyo Notebook ....."},
        // A NUL as the window's last byte ends the text like a double NUL.
        {0xFFF2, "Compaq PC" + Nul() + "X" + Nul() + "Y" + Nul(), "Compaq PC X Y"},
        {0xFFF4, "Compaq PC" + Nul() + "XY", "Compaq PC XY"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.id);
        CraftedRom rom = PhoenixRom();
        rom.put(c.at, c.text);
        EXPECT_EQ(RunChain(rom).bios.biosId, c.id);
    }
}

}  // namespace
}  // namespace romwise::bios_test

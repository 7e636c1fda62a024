// The AMI recogniser: the maker text, the Intel licence and the three ID
// layouts.
#include <gtest/gtest.h>

#include <string>

#include "tests/bios/crafted_rom.h"

namespace romwise::bios_test {
namespace {

const std::string kId64 = std::string(64, 'I') + "beyond";

CraftedRom AmiRom() {
    CraftedRom rom;
    rom.put(0x0037, "American Megatrends Inc.");
    return rom;
}

void putHighLayout(CraftedRom& rom, std::string_view buildTag) {
    rom.put(0xF400, "AMIBIOS").put(0xF478, kId64);
    rom.put(0xF4F0, buildTag)
        .put(0xF4F0 + static_cast<std::uint32_t>(buildTag.size()), std::string(1, '\0'));
    rom.put(0xF532, std::string(70, 'S'));
}

TEST(AmiRecogniserTest, MakerTextAloneIsAMatchWithoutAnId) {
    const ChainResult r = RunChain(AmiRom());
    EXPECT_EQ(r.maker, BiosMaker::Ami);
    EXPECT_EQ(r.bios.biosType, "American Megatrends");
    EXPECT_EQ(r.bios.biosId, "Unknown");
    EXPECT_EQ(r.bios.oemSignOn, "");
}

TEST(AmiRecogniserTest, IntelCorporationAddsTheLicence) {
    CraftedRom rom = AmiRom();
    rom.put(0x9000, "Intel Corporation");
    const ChainResult r = RunChain(rom);
    EXPECT_EQ(r.bios.biosType, "American Megatrends licensed to Intel");
    EXPECT_EQ(r.bios.biosType.size(), 37u);
}

struct LayoutCase {
    const char* what;
    bool biosVersion;
    bool lowHeader;
    bool highHeader;
    std::string id;
    std::string signOn;
};

TEST(AmiRecogniserTest, LaterIdLayoutsOverwriteEarlierOnes) {
    const std::string fromBiosVersion = "BIOS Version 1.00.08.AF1" + std::string(16, 'v');
    const std::string fromLowHeader(64, 'L');
    const std::string fromHighHeader = std::string(64, 'I') + "-TAG";
    const std::string signOn(60, 'S');
    const LayoutCase cases[] = {
        {"BIOS Version only", true, false, false, fromBiosVersion, ""},
        {"8000h header only", false, true, false, fromLowHeader, ""},
        {"8000h over BIOS Version", true, true, false, fromLowHeader, ""},
        {"F400h over both", true, true, true, fromHighHeader, signOn},
        {"F400h alone", false, false, true, fromHighHeader, signOn},
    };
    for (const LayoutCase& c : cases) {
        SCOPED_TRACE(c.what);
        CraftedRom rom = AmiRom();
        if (c.biosVersion) {
            rom.put(0x9310, "BIOS Version 1.00.08.AF1" + std::string(30, 'v'));
        }
        if (c.lowHeader) {
            rom.put(0x8000, "AMIBIOS").put(0x8078, std::string(70, 'L'));
        }
        if (c.highHeader) {
            putHighLayout(rom, "TAG");
        }
        const ChainResult r = RunChain(rom);
        EXPECT_EQ(r.bios.biosId, c.id);
        EXPECT_EQ(r.bios.oemSignOn, c.signOn);
        // Only the F400h layout writes a sign-on line.
        EXPECT_EQ(IdentifyLines(rom, "earlier").signOn == "earlier", c.signOn.empty());
    }
}

TEST(AmiRecogniserTest, BuildTagIsCutAfterSixteenCharactersOrAtItsNul) {
    struct TagCase {
        std::string tag;
        std::string idEnd;
    };
    const TagCase cases[] = {
        {"", "I-"},
        {"0123456789ABCDEF", "I-0123456789ABCDEF"},
        {"0123456789ABCDEFGHIJ", "I-0123456789ABCDEF"},
    };
    for (const TagCase& c : cases) {
        SCOPED_TRACE(c.tag);
        CraftedRom rom = AmiRom();
        putHighLayout(rom, c.tag);
        const ChainResult r = RunChain(rom);
        const std::string id = r.bios.biosId.str();
        ASSERT_GE(id.size(), c.idEnd.size());
        EXPECT_EQ(id.substr(id.size() - c.idEnd.size()), c.idEnd);
    }
    // The longest ID: 64 + 1 + 16 characters, whole in the ID line.
    CraftedRom rom = AmiRom();
    putHighLayout(rom, "0123456789ABCDEFGHIJ");
    EXPECT_EQ(RunChain(rom).bios.biosId.size(), 81u);
    EXPECT_EQ(IdentifyLines(rom).id.size(), 92u);
}

}  // namespace
}  // namespace romwise::bios_test

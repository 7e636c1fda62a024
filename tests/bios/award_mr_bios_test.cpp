// The Award and MR BIOS recognisers, through the recogniser chain.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/bios/crafted_rom.h"

namespace romwise::bios_test {
namespace {

// Longer than any field the Award recogniser copies, without a NUL.
const std::string kLong(100, 'L');

CraftedRom AwardRom(std::string_view marker) {
    CraftedRom rom;
    rom.put(0x1000, marker);
    rom.put(0xE061, "Award Modular BIOS v4.51PG").put(0xE061 + 26, std::string(1, '\0'));
    rom.put(0xEC71, "03/13/98-i440BX-W977-2A69KA1EC-00").put(0xEC71 + 33, std::string(1, '\0'));
    rom.put(0xE0C1, "  Sign-on text  ").put(0xE0C1 + 16, std::string(1, '\0'));
    return rom;
}

TEST(AwardRecogniserTest, EachMakerTextMakesAnAwardMatch) {
    for (const char* marker : {"Award Software", "Phoenix - AwardBIOS", "Phoenix - Award"}) {
        SCOPED_TRACE(marker);
        const ChainResult r = RunChain(AwardRom(marker));
        EXPECT_EQ(r.maker, BiosMaker::Award);
        EXPECT_EQ(r.bios.biosType, "Award Modular BIOS v4.51PG");
        EXPECT_EQ(r.bios.biosId, "03/13/98-i440BX-W977-2A69KA1EC-00");
        EXPECT_EQ(r.bios.oemSignOn, "  Sign-on text  ");
    }
    EXPECT_EQ(RunChain(AwardRom("Award Softwar")).maker, BiosMaker::None);
    EXPECT_EQ(RunChain(AwardRom("Phoenix-Award")).maker, BiosMaker::None);
}

TEST(AwardRecogniserTest, CopiesFixedLengthsFromFixedOffsets) {
    CraftedRom rom;
    rom.put(0x0040, "Award Software").put(0xE061, kLong).put(0xEC71, kLong);
    rom.put(0xE0C1, std::string(100, 'S'));
    const ChainResult r = RunChain(rom);
    EXPECT_EQ(r.bios.biosType.size(), 31u);
    EXPECT_EQ(r.bios.biosId.size(), 47u);
    EXPECT_EQ(r.bios.oemSignOn.size(), 78u);
}

TEST(AwardRecogniserTest, RunsBeforeTheAmiAndPhoenixRecognisers) {
    CraftedRom withAmi = AwardRom("Award Software");
    withAmi.put(0x3000, "American Megatrends").put(0xF400, "AMIBIOS");
    EXPECT_EQ(RunChain(withAmi).maker, BiosMaker::Award);

    CraftedRom phoenixAward = AwardRom("Phoenix - AwardBIOS v6.00PG");
    phoenixAward.put(0x2000, "Phoenix Technologies, LTD").put(0x2100, "PhoenixBIOS 4.0");
    const ChainResult r = RunChain(phoenixAward);
    EXPECT_EQ(r.maker, BiosMaker::Award);
    EXPECT_EQ(r.bios.biosType, "Award Modular BIOS v4.51PG");
}

TEST(AwardRecogniserTest, NulAtTheSignOnOffsetWritesNoSignOnLine) {
    CraftedRom rom = AwardRom("Award Software");
    rom.put(0xE0C1, std::string(1, '\0'));
    const BiosLines lines = IdentifyLines(rom, "earlier");
    EXPECT_EQ(lines.signOn, "earlier");
    EXPECT_EQ(lines.type, "BIOS Type: Award Modular BIOS v4.51PG");
}

// --- MR BIOS ------------------------------------------------------------------

CraftedRom MrBiosRom() {
    CraftedRom rom;
    rom.put(0xE000, "MR BIOS (r)");
    rom.put(0x00B1, "MR BIOS (r)  V1.41 early copy");
    rom.put(0xFFD2, "MR BIOS (r)  V2.02 late copy");
    rom.put(0xFFE7, "OPTI4D4-more");
    return rom;
}

TEST(MrBiosRecogniserTest, TakesIdAndTypeFromTheTopOfTheWindow) {
    const ChainResult r = RunChain(MrBiosRom());
    EXPECT_EQ(r.maker, BiosMaker::MrBios);
    EXPECT_EQ(r.bios.biosId, "OPTI4D4");
    EXPECT_EQ(r.bios.biosType, "MR BIOS (r)  V2.02");
    EXPECT_EQ(r.bios.oemSignOn, "");
}

TEST(MrBiosRecogniserTest, NameAtFFA4hTakesTheTypeFrom00B1h) {
    CraftedRom rom = MrBiosRom();
    rom.put(0xFFA4, "MR BIOS (r)");
    EXPECT_EQ(RunChain(rom).bios.biosType, "MR BIOS (r)  V1.41");
}

TEST(MrBiosRecogniserTest, NameOnlyAtE000hMakesAMatch) {
    for (std::uint32_t offset : {0x00B1u, 0xDFFFu, 0xE001u, 0xFFA4u}) {
        SCOPED_TRACE(offset);
        CraftedRom rom;
        rom.put(offset, "MR BIOS (r)");
        EXPECT_EQ(RunChain(rom).maker, BiosMaker::None);
    }
}

struct MrSignOnCase {
    std::vector<const char*> texts;
    const char* signOn;
};

TEST(MrBiosRecogniserTest, LaterSignOnTextsOverwriteEarlierOnes) {
    const MrSignOnCase cases[] = {
        {{"Engineering Sample"}, "Engineering Sample"},
        {{"Evaluation Only"}, "Evaluation Only"},
        {{"MRBIOS shareware evaluation"}, "Shareware"},
        {{"Evaluation Only", "Engineering Sample"}, "Evaluation Only"},
        {{"MRBIOS shareware evaluation", "Evaluation Only", "Engineering Sample"}, "Shareware"},
        {{"MRBIOS shareware evaluation", "Engineering Sample"}, "Shareware"},
    };
    for (const MrSignOnCase& c : cases) {
        CraftedRom rom = MrBiosRom();
        std::uint32_t at = 0x4000;
        for (const char* text : c.texts) {
            rom.put(at, text);
            at += 0x100;
        }
        SCOPED_TRACE(c.signOn);
        EXPECT_EQ(RunChain(rom).bios.oemSignOn, c.signOn);
    }
}

}  // namespace
}  // namespace romwise::bios_test

// The makers' own BIOSes: Compaq (ProLiant), Acer and IBM SurePath.
#include <gtest/gtest.h>

#include <string>

#include "tests/bios/crafted_rom.h"

namespace romwise::bios_test {
namespace {

std::string Nul() {
    return std::string(1, '\0');
}

CraftedRom CompaqRom() {
    CraftedRom rom;
    rom.put(0xFFEA, "COMPAQ");
    return rom;
}

TEST(CompaqRecogniserTest, SignatureAloneGivesTheBareType) {
    const ChainResult r = RunChain(CompaqRom());
    EXPECT_EQ(r.maker, BiosMaker::Compaq);
    EXPECT_EQ(r.bios.biosType, "COMPAQ ");
    EXPECT_EQ(r.bios.biosId, "Unknown");
    EXPECT_EQ(r.bios.oemSignOn, "");
    CraftedRom elsewhere;
    elsewhere.put(0xFFE9, "COMPAQ");
    EXPECT_EQ(RunChain(elsewhere).maker, BiosMaker::None);
}

TEST(CompaqRecogniserTest, ProLiantIsLookedForFromSeventeenBytesAfterTheName) {
    struct Case {
        const char* what;
        std::uint32_t nameAt;  // 0: no "COMPAQ " anywhere
        std::uint32_t proLiantAt;
        std::string type;
    };
    const Case cases[] = {
        {"no name: search from 16", 0, 0x0010, "COMPAQ PROLIANT 5000"},
        {"no name: 15 is too early", 0, 0x000F, "COMPAQ "},
        {"17 after the name", 0x1000, 0x1011, "COMPAQ DeskproPROLIANT 5000"},
        {"16 after the name is too early", 0x1000, 0x1010, "COMPAQ Deskpro"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        CraftedRom rom = CompaqRom();
        if (c.nameAt != 0) {
            rom.put(c.nameAt, "COMPAQ Deskpro" + Nul());
        }
        rom.put(c.proLiantAt, "PROLIANT 5000" + Nul());
        EXPECT_EQ(RunChain(rom).bios.biosType, c.type);
    }
}

TEST(CompaqRecogniserTest, ProLiantTypeRunsBothFortyByteTextsTogether) {
    CraftedRom rom = CompaqRom();
    rom.put(0x1000, "COMPAQ " + std::string(50, 'c'));
    rom.put(0x2000, "PROLIANT" + std::string(50, 'p'));
    const ChainResult r = RunChain(rom);
    EXPECT_EQ(r.bios.biosType.str(),
              "COMPAQ " + std::string(33, 'c') + "PROLIANT" + std::string(32, 'p'));
    EXPECT_EQ(IdentifyLines(rom).type.size(), 79u);
}

TEST(AcerRecogniserTest, AcerAt0010hIsAMatchWhateverElseIsThere) {
    struct Case {
        const char* what;
        bool bus;
        bool id;
        const char* type;
        const char* biosId;
    };
    const Case cases[] = {
        {"signature only", false, false, "Acer ", "Unknown"},
        {"with PCI/ISA", true, false, "Acer PCI/ISA System BIOS", "Unknown"},
        {"with ACR", false, true, "Acer ", "ACR8DE00-S00-950911-R02-J3"},
        {"with both", true, true, "Acer PCI/ISA System BIOS", "ACR8DE00-S00-950911-R02-J3"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        CraftedRom rom;
        rom.put(0x0010, "ACER");
        if (c.bus) {
            rom.put(0x8089, "PCI/ISA System BIOS" + Nul());
        }
        if (c.id) {
            rom.put(0x9000, "ACR8DE00-S00-950911-R02-J3" + Nul());
        }
        const ChainResult r = RunChain(rom);
        EXPECT_EQ(r.maker, BiosMaker::Acer);
        EXPECT_EQ(r.bios.biosType, c.type);
        EXPECT_EQ(r.bios.biosId, c.biosId);
    }
}

TEST(AcerRecogniserTest, AcerIncorporatedElsewhereIsAnOemBios) {
    CraftedRom rom;
    rom.put(0x0011, "ACER").put(0x0400, "Acer Incorporated");
    rom.put(0x3000, "IBM PS/1 V1.2" + Nul()).put(0x4000, "IBM second");
    rom.put(0x5000, "PCI/ISA").put(0x6000, "ACR0001");
    const ChainResult r = RunChain(rom);
    EXPECT_EQ(r.maker, BiosMaker::Acer);
    EXPECT_EQ(r.bios.biosType, "Acer OEM");
    EXPECT_EQ(r.bios.biosId, "IBM PS/1 V1.2");

    CraftedRom withoutIbm;
    withoutIbm.put(0x0400, "Acer Incorporated");
    EXPECT_EQ(RunChain(withoutIbm).bios.biosId, "Unknown");
}

TEST(SurePathRecogniserTest, IdAndSignOnComeFromFixedOffsets) {
    CraftedRom rom;
    rom.put(0xD010, "SurePath BIOS (C) IBM" + Nul());
    rom.put(0xE000, std::string("\x01\x02garbage", 9) + std::string(70, 'g'));
    rom.put(0xFFA1, "IBM PC Sign-on" + Nul());
    const ChainResult r = RunChain(rom);
    EXPECT_EQ(r.maker, BiosMaker::SurePath);
    EXPECT_EQ(r.bios.biosType, "SurePath BIOS (C) IBM");
    EXPECT_EQ(r.bios.biosId.str(), std::string("\x01\x02garbage", 9) + std::string(51, 'g'));
    EXPECT_EQ(r.bios.oemSignOn, "IBM PC Sign-on");
}

TEST(MakersOwnRecognisersTest, RunAfterPhoenixInTheirOrder) {
    CraftedRom phoenixWithSurePath;
    phoenixWithSurePath.put(0xA020, "SurePath").put(0xA053, "Phoenix Technologies");
    EXPECT_EQ(RunChain(phoenixWithSurePath).maker, BiosMaker::Phoenix);

    CraftedRom compaqWithAcer = CompaqRom();
    compaqWithAcer.put(0x0010, "ACER").put(0x3000, "SurePath");
    EXPECT_EQ(RunChain(compaqWithAcer).maker, BiosMaker::Compaq);

    CraftedRom acerWithSurePath;
    acerWithSurePath.put(0x0400, "Acer Incorporated").put(0x3000, "SurePath");
    EXPECT_EQ(RunChain(acerWithSurePath).maker, BiosMaker::Acer);
}

}  // namespace
}  // namespace romwise::bios_test

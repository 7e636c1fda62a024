// What ReadDmi takes from crafted tables.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/dmi/crafted_smbios.h"

namespace romwise::dmi_test {
namespace {

CraftedStructure Bios(std::uint8_t length, std::uint8_t romSizeByte, std::uint32_t characteristics,
                      std::vector<std::string> strings = {"Vendor", "Version 1.0", "01/02/03"}) {
    CraftedStructure bios =
        MakeStructure(0, length, {{4, 1}, {5, 2}, {8, 3}, {9, romSizeByte}}, std::move(strings));
    PutDword(bios, 0x0A, characteristics);
    return bios;
}

CraftedStructure Board(const std::string& maker, const std::string& model) {
    return MakeStructure(2, 8, {{4, 1}, {5, 2}}, {maker, model});
}

CraftedStructure System(const std::string& maker, const std::string& model) {
    return MakeStructure(1, 25, {{4, 1}, {5, 2}}, {maker, model});
}

CraftedStructure Processor(std::uint8_t family, std::uint8_t versionField,
                           std::vector<std::string> strings, std::uint8_t length = 0x20,
                           std::uint16_t currentMhz = 0, std::uint16_t maxMhz = 0) {
    CraftedStructure cpu = MakeStructure(
        4, length, {{4, 1}, {6, family}, {7, 2}, {0x10, versionField}}, std::move(strings));
    PutWord(cpu, 0x16, currentMhz);
    PutWord(cpu, 0x14, maxMhz);
    return cpu;
}

CraftedStructure MemoryDevice(std::uint16_t size) {
    CraftedStructure device = MakeStructure(17, 0x15, {{0x10, 1}}, {"DIMM"});
    PutWord(device, 0x0C, size);
    return device;
}

CraftedStructure MemoryModule(std::uint8_t installedSize) {
    return MakeStructure(6, 12, {{4, 1}, {0x0A, installedSize}}, {"BANK"});
}

TEST(ReadDmi, LegacyEntryPointGivesTrueAndWritesNothing) {
    const Table table = BuildTable({Board("Quokka", "QB"), MemoryDevice(256)});
    EntryPointFields fields;
    fields.tableLength = static_cast<std::uint16_t>(table.bytes.size());
    fields.tableAddress = 0xE0000;
    fields.structureCount = table.count;
    const std::vector<sim::MemoryRegion> memory = {{0xE0000, table.bytes},
                                                   {0xF0800, LegacyEntryPoint(fields)}};
    const DmiReading reading = ReadDmiFrom(memory);
    EXPECT_TRUE(reading.found);
    EXPECT_EQ(reading.summary.majorVersion, 0);
    EXPECT_EQ(reading.summary.manufacturer.str(), kKept);
    EXPECT_EQ(reading.summary.installedMemoryMb, 0u);
    EXPECT_EQ(reading.slots.count, 0);
}

TEST(ReadDmi, VersionAndBiosInformation) {
    struct Case {
        std::uint8_t length;
        std::uint8_t romSizeByte;
        std::uint32_t expectRomSize;
    };
    // The size byte counts only in the structure lengths of SMBIOS 2.0-2.3.
    for (const Case& c : {Case{0x13, 7, 0x80000}, Case{0x12, 3, 0x40000},
                          Case{0x14, 0xFF, 0x1000000}, Case{0x18, 7, 0}, Case{0x11, 7, 0}}) {
        const DmiReading reading = ReadDmiFrom({Bios(c.length, c.romSizeByte, 0x20080)});
        ASSERT_TRUE(reading.found);
        EXPECT_EQ(reading.summary.majorVersion, 2);
        EXPECT_EQ(reading.summary.minorVersion, 3);
        EXPECT_EQ(reading.summary.romSizeBytes, c.expectRomSize) << int{c.length};
        EXPECT_EQ(reading.summary.biosCharacteristics, 0x20080u);
        EXPECT_EQ(reading.summary.biosVersion.str(), "Version 1.0");
    }

    // Only the first BIOS Information structure counts.
    const DmiReading two = ReadDmiFrom(
        {Bios(0x13, 3, 0x80, {"V", "First", "D"}), Bios(0x13, 7, 0x20000, {"V", "Second", "D"})});
    EXPECT_EQ(two.summary.biosVersion.str(), "First");
    EXPECT_EQ(two.summary.romSizeBytes, 0x40000u);
    EXPECT_EQ(two.summary.biosCharacteristics, 0x80u);

    // Without one the numbers are 0 and the text keeps what it held.
    const DmiReading none = ReadDmiFrom({Board("Quokka", "QB")});
    EXPECT_EQ(none.summary.romSizeBytes, 0u);
    EXPECT_EQ(none.summary.biosCharacteristics, 0u);
    EXPECT_EQ(none.summary.biosVersion.str(), kKept);
}

TEST(ReadDmi, MakerAndModel) {
    struct Case {
        const char* name;
        std::vector<CraftedStructure> table;
        const char* maker;
        const char* model;
    };
    const Case cases[] = {
        {"board names",
         {System("Sys Maker", "Sys Model"), Board("Quokka", "QB-1")},
         "Quokka",
         "QB-1"},
        {"a Dell board switches to the system names",
         {System("Dell Inc.", "OptiPlex GX110"), Board("Dell Computer Corporation", "0X1234")},
         "Dell Inc.",
         "OptiPlex GX110"},
        {"the test is case-sensitive", {System("S", "M"), Board("DELL", "0X1")}, "DELL", "0X1"},
        {"the last board wins", {Board("First", "One"), Board("Second", "Two")}, "Second", "Two"},
        {"the last system wins after the switch",
         {System("A", "B"), System("C", "D"), Board("Made by Dell", "X")},
         "C",
         "D"},
        {"a Dell board without system names keeps the texts", {Board("Dell", "X")}, kKept, kKept},
        {"no board structure", {System("Sys", "Model")}, kKept, kKept},
        {"a model alone", {MakeStructure(2, 8, {{5, 1}}, {"Model only"})}, kKept, "Model only"},
        {"a string number beyond the set",
         {MakeStructure(2, 8, {{4, 1}, {5, 3}}, {"Maker", "Version"})},
         "Maker",
         kKept},
        {"leading blanks are kept", {Board("  Maker", "Model")}, "  Maker", "Model"},
    };
    for (const Case& c : cases) {
        const DmiReading reading = ReadDmiFrom(c.table);
        EXPECT_EQ(reading.summary.manufacturer.str(), c.maker) << c.name;
        EXPECT_EQ(reading.summary.model.str(), c.model) << c.name;
    }
}

TEST(ReadDmi, ProcessorName) {
    struct Case {
        const char* name;
        CraftedStructure processor;
        const char* expect;
    };
    const Case cases[] = {
        {"the version", Processor(0xB2, 3, {"Socket", "Intel", "Intel(R) Pentium(R) 4 CPU"}),
         "Intel(R) Pentium(R) 4 CPU"},
        {"a version 0 gives the family", Processor(0xB2, 3, {"S", "Intel", "0"}), "Pentium 4"},
        {"an empty version gives the family", Processor(0x0D, 3, {"S", "Intel", ""}), "Pentium II"},
        {"a blank version with family Other gives the maker",
         Processor(0x01, 3, {"S", "AMD", "   "}), "AMD"},
        {"family 0 keeps the blank version", Processor(0x00, 3, {"S", "Intel", "   "}), "   "},
        {"an unknown family keeps the version", Processor(0xC6, 3, {"S", "Intel", "0000"}), "0000"},
        {"a version beyond the set gives the family", Processor(0x1D, 5, {"S", "AMD"}),
         "AMD Athlon"},
        {"codes 12h to 17h are M1", Processor(0x15, 0, {"S", "Cyrix"}), "M1"},
        {"no version field: the family", Processor(0xB8, 0, {"S", "Intel"}), "Intel Itanium 2"},
        {"no version field and family Other: the maker", Processor(0x01, 0, {"S", "Transmeta"}),
         "Transmeta"},
        {"no version field, family 0: nothing", Processor(0x00, 0, {"S", "Intel"}), kKept},
        {"no version field, unknown family: nothing", Processor(0xFE, 0, {"S", "Intel"}), kKept},
    };
    for (const Case& c : cases) {
        const DmiReading reading = ReadDmiFrom({c.processor});
        EXPECT_EQ(reading.summary.processorName.str(), c.expect) << c.name;
    }
}

TEST(ReadDmi, ProcessorNameIsCutToItsField) {
    const std::string longName(70, 'x');
    const DmiReading reading = ReadDmiFrom({Processor(0xB2, 3, {"S", "Intel", longName})});
    EXPECT_EQ(reading.summary.processorName.str(), longName.substr(0, 51));
}

TEST(ReadDmi, ProcessorSpeedsFromTheFirstProcessor) {
    const DmiReading reading =
        ReadDmiFrom({Processor(0x11, 3, {"S", "Intel", "P3"}, 0x20, 500, 600),
                     Processor(0x11, 3, {"S", "Intel", "P3b"}, 0x20, 700, 800)});
    EXPECT_EQ(reading.summary.processorName.str(), "P3");
    EXPECT_EQ(reading.summary.currentSpeedMhz, 500);
    EXPECT_EQ(reading.summary.maxSpeedMhz, 600);

    const DmiReading none = ReadDmiFrom({Board("B", "M")});
    EXPECT_EQ(none.summary.currentSpeedMhz, 0);
    EXPECT_EQ(none.summary.maxSpeedMhz, 0);
    EXPECT_EQ(none.summary.processorName.str(), kKept);
}

// Formatted areas longer than the table's base length (a processor of
// SMBIOS 2.5 has 28h bytes) are copied whole, so the last counted string
// keeps its end.
TEST(ReadDmi, LongFormattedAreasKeepTheirLastStringWhole) {
    const std::string name = "Intel(R) Core(TM) i5-3470 CPU @ 3.20GHz";
    for (const std::uint8_t length : {0x23, 0x28, 0x2A, 0x30}) {
        const DmiReading cpu = ReadDmiFrom(
            {Processor(0xCD, 3, {"SOCKET 0", "Intel(R) Corporation", name}, length, 3200, 3800)});
        EXPECT_EQ(cpu.summary.processorName.str(), name) << int{length};
        EXPECT_EQ(cpu.summary.currentSpeedMhz, 3200);
    }
    // The same for the last counted string of a System Information structure
    // of SMBIOS 2.4 (1Bh bytes) and of a Base Board structure of 0Fh bytes.
    const CraftedStructure system =
        MakeStructure(1, 0x1B, {{4, 1}, {5, 2}}, {"Dell Inc.", "Precision WorkStation T7600"});
    const DmiReading dell = ReadDmiFrom({system, Board("Dell Inc.", "082WXT")});
    EXPECT_EQ(dell.summary.model.str(), "Precision WorkStation T7600");
    const DmiReading board = ReadDmiFrom(
        {MakeStructure(2, 0x0F, {{4, 1}, {5, 2}}, {"ASUSTeK COMPUTER INC.", "P8Z77-V LX"})});
    EXPECT_EQ(board.summary.model.str(), "P8Z77-V LX");
}

// Fields that name strings out of order, or skip one, still get their
// string whole: a version that is string 4 after an unnamed string 3, as in
// the processors of early server tables.
TEST(ReadDmi, StringsNamedOutOfOrderAreCopiedWhole) {
    const std::string name = "Intel Pentium (R) III Xeon(TM) Processor";
    CraftedStructure cpu = Processor(
        0xB0, 4,
        {"Left Processor 1", "Intel Corporation", "Intel Pentium (R) II Xeon(TM) Processor", name});
    const DmiReading fourth = ReadDmiFrom({cpu});
    EXPECT_EQ(fourth.summary.processorName.str(), name);

    // A board whose maker is string 3 and model string 1.
    const DmiReading board = ReadDmiFrom(
        {MakeStructure(2, 8, {{4, 3}, {5, 1}}, {"Model", "Board revision", "Maker Incorporated"})});
    EXPECT_EQ(board.summary.manufacturer.str(), "Maker Incorporated");
    EXPECT_EQ(board.summary.model.str(), "Model");

    // BIOS version as string 3 with the vendor field empty.
    const DmiReading bios = ReadDmiFrom(
        {MakeStructure(0, 0x12, {{5, 3}}, {"unnamed one", "unnamed two", "A04 (long version)"})});
    EXPECT_EQ(bios.summary.biosVersion.str(), "A04 (long version)");
}

TEST(ReadDmi, ScratchCopyStopsAtTheMaximumStructureSize) {
    // An entry point that understates the largest structure: the copy is
    // cut there and nothing past it is read.
    const std::string name = "Intel(R) Pentium(R) III processor";
    Table table = BuildTable({Processor(0x11, 3, {"SLOT 1", "Intel", name}, 0x23)});
    table.maxStructureSize = 0x23 + 7 + 6 + 8;  // strings 1 and 2, then 8 bytes of the name
    const DmiReading reading = ReadDmiFrom(MachineWithTable(table));
    EXPECT_EQ(reading.summary.processorName.str(), name.substr(0, 7));
}

TEST(ReadDmi, InstalledMemoryAndSlots) {
    struct Case {
        const char* name;
        std::vector<CraftedStructure> table;
        std::uint32_t expectSum;
        std::vector<std::uint32_t> expectSlots;
    };
    const Case cases[] = {
        {"memory devices",
         {MemoryDevice(256), MemoryDevice(0), MemoryDevice(512), MemoryDevice(0xFFFF)},
         768,
         {256, 0, 512, 0}},
        {"sizes in kilobytes do not count; the modules stand in",
         {MemoryDevice(0x8400), MemoryModule(0x07), MemoryModule(0x08)},
         384,
         {128, 256}},
        {"module codes: not installed, double-bank 1024 MB, not determinable, not enabled",
         {MemoryModule(0xFF), MemoryModule(0x8A), MemoryModule(0x7D), MemoryModule(0x7E)},
         1024,
         {0, 1024, 0, 0}},
        {"modules are not used when devices count",
         {MemoryModule(0x08), MemoryDevice(64)},
         64,
         {64}},
        {"nothing counts: modules listed with 0", {MemoryDevice(0), MemoryModule(0x7F)}, 0, {0}},
        {"no memory structures", {Board("B", "M")}, 0, {}},
    };
    for (const Case& c : cases) {
        const DmiReading reading = ReadDmiFrom(c.table);
        EXPECT_EQ(reading.summary.installedMemoryMb, c.expectSum) << c.name;
        const std::vector<std::uint32_t> slots(reading.slots.sizeMb.begin(),
                                               reading.slots.sizeMb.begin() + reading.slots.count);
        EXPECT_EQ(slots, c.expectSlots) << c.name;
    }
}

TEST(ReadDmi, SeventeenDevicesFillSixteenSlotsAndAllCount) {
    std::vector<CraftedStructure> table;
    for (int i = 1; i <= 17; ++i) {
        table.push_back(MemoryDevice(static_cast<std::uint16_t>(i)));
    }
    const DmiReading reading = ReadDmiFrom(table);
    EXPECT_EQ(reading.summary.installedMemoryMb, 17u * 18u / 2u);
    ASSERT_EQ(reading.slots.count, 16);
    EXPECT_EQ(reading.slots.sizeMb[15], 16u);
}

TEST(ReadDmi, MaximumMemory) {
    CraftedStructure array4G = MakeStructure(16, 0x0F, {});
    PutDword(array4G, 0x07, 0x400000);
    CraftedStructure arrayZero = MakeStructure(16, 0x0F, {});
    const CraftedStructure controller = MakeStructure(5, 0x0F, {{0x08, 0xE6}, {0x0E, 4}});
    struct Case {
        const char* name;
        std::vector<CraftedStructure> table;
        std::uint32_t expect;
    };
    const Case cases[] = {
        {"physical memory array", {controller, array4G}, 4096},
        {"array of 0: the controller (2^6 MB x 4 slots)", {arrayZero, controller}, 256},
        {"no array: the controller", {controller}, 256},
        {"neither", {Board("B", "M")}, 0},
        {"largest code and slot count",
         {MakeStructure(5, 0x0F, {{0x08, 0x1F}, {0x0E, 0xFF}})},
         0xFFFFFFFF},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ReadDmiFrom(c.table).summary.maxMemoryMb, c.expect) << c.name;
    }
}

}  // namespace
}  // namespace romwise::dmi_test

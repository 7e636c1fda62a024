// Tables of the last years: the 64-bit "_SM3_" entry point, the platform's
// own copy of the tables, and memory sizes past the 16- and 32-bit fields.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "hw/firmware_tables.h"
#include "tests/dmi/crafted_smbios.h"

namespace romwise::dmi_test {
namespace {

CraftedStructure Board(const std::string& maker, const std::string& model) {
    return MakeStructure(2, 8, {{4, 1}, {5, 2}}, {maker, model});
}

CraftedStructure EndOfTable() {
    return MakeStructure(127, 4, {});
}

// A Memory Device with the 16-bit Size and, when the structure is long
// enough (SMBIOS 2.7 on: 22h bytes), the Extended Size.
CraftedStructure MemoryDevice(std::uint16_t size, std::uint32_t extendedMb = 0,
                              std::uint8_t length = 0x22) {
    CraftedStructure device = MakeStructure(17, length, {});
    PutWord(device, 0x0C, size);
    if (length >= 0x20) {
        PutDword(device, 0x1C, extendedMb);
    }
    return device;
}

// A Physical Memory Array with Maximum Capacity (KB) and, from 17h bytes
// on, Extended Maximum Capacity (bytes).
CraftedStructure MemoryArray(std::uint32_t maximumKb, std::uint64_t extendedBytes = 0,
                             std::uint8_t length = 0x17) {
    CraftedStructure array = MakeStructure(16, length, {});
    PutDword(array, 0x07, maximumKb);
    if (length >= 0x17) {
        PutDword(array, 0x0F, static_cast<std::uint32_t>(extendedBytes));
        PutDword(array, 0x13, static_cast<std::uint32_t>(extendedBytes >> 32));
    }
    return array;
}

std::vector<sim::MemoryRegion> Smbios3Machine(const Table& table, std::uint64_t address,
                                              std::uint32_t maxSize, std::uint32_t entryOffset) {
    return {sim::MemoryRegion{address, table.bytes},
            sim::MemoryRegion{0xF0000u + entryOffset, Smbios3EntryPoint(3, 2, maxSize, address)}};
}

TEST(Smbios3EntryPoint, ReadsTheTableWhereItLiesAndStopsAtItsEnd) {
    // A long processor name: the scratch copies take the longest structure
    // as their size, since "_SM3_" gives no Maximum Structure Size.
    const std::string longName(200, 'X');
    CraftedStructure cpu = MakeStructure(4, 0x30, {{0x10, 1}}, {longName});
    const Table table = BuildTable({Board("Maker", "Model"), cpu, MemoryDevice(4096), EndOfTable(),
                                    Board("After", "The end")});
    const DmiReading reading = ReadDmiFrom(
        Smbios3Machine(table, 0x7FEE1000, static_cast<std::uint32_t>(table.bytes.size()), 0x40));
    ASSERT_TRUE(reading.found);
    EXPECT_EQ(reading.summary.majorVersion, 3);
    EXPECT_EQ(reading.summary.minorVersion, 2);
    EXPECT_EQ(reading.summary.manufacturer.str(), "Maker") << "nothing after type 127 counts";
    EXPECT_EQ(reading.summary.processorName.str(), longName.substr(0, 51));
    EXPECT_EQ(reading.summary.installedMemoryMb, 4096u);
    EXPECT_EQ(reading.viewsLeft, 0u);
    EXPECT_FALSE(reading.windowLeftOpen);
}

TEST(Smbios3EntryPoint, TheMaximumSizeEndsATableWithoutAnEndStructure) {
    const Table first = BuildTable({Board("First", "One")});
    const Table both = BuildTable({Board("First", "One"), Board("Second", "Two")});
    const DmiReading reading = ReadDmiFrom(
        Smbios3Machine(both, 0x100000, static_cast<std::uint32_t>(first.bytes.size()), 0));
    ASSERT_TRUE(reading.found);
    EXPECT_EQ(reading.summary.manufacturer.str(), "First");
}

TEST(Smbios3EntryPoint, TakenOnlyWhereNo32BitEntryPointIs) {
    // "_SM3_" first in the window, "_SM_" further on: the "_SM_" table wins.
    const Table old = BuildTable({Board("Old", "Table")});
    const Table fresh = BuildTable({Board("New", "Table"), EndOfTable()});
    std::vector<sim::MemoryRegion> memory = MachineWithTable(old, 0xE0000, 0x800);
    memory.push_back({0x200000, fresh.bytes});
    memory.push_back({0xF0000 + 0x100, Smbios3EntryPoint(3, 0, 0x1000, 0x200000)});
    const DmiReading both = ReadDmiFrom(memory);
    ASSERT_TRUE(both.found);
    EXPECT_EQ(both.summary.manufacturer.str(), "Old");
    EXPECT_EQ(both.summary.majorVersion, 2);

    // A damaged checksum is no entry point.
    Bytes damaged = Smbios3EntryPoint(3, 0, 0x1000, 0x200000);
    damaged[0x07] ^= 1;
    const std::vector<sim::MemoryRegion> damagedMachine = {{0x200000, fresh.bytes},
                                                           {0xF0100, damaged}};
    EXPECT_FALSE(ReadDmiFrom(damagedMachine).found);
}

// The platform's copy of the tables, counting how often it is asked.
const std::vector<sim::MemoryRegion> kNoMemory;

class CopiedTables final : public FirmwareTables {
  public:
    explicit CopiedTables(std::optional<SmbiosTables> tables) : tables_(std::move(tables)) {}
    std::optional<SmbiosTables> readSmbiosTables() override {
        ++reads;
        return tables_;
    }
    int reads = 0;

  private:
    std::optional<SmbiosTables> tables_;
};

TEST(FirmwareTablesRoute, TakenOnlyWhenPhysicalMemoryGivesNoTable) {
    const Table table = BuildTable({Board("Kernel", "Copy"), EndOfTable()});
    // The entry point still names the firmware's physical address.
    CopiedTables copy(SmbiosTables{Smbios3EntryPoint(3, 4, 0x10000, 0x7A000000), table.bytes});

    for (const bool windowAvailable : {false, true}) {
        const DmiReading reading =
            ReadDmiFrom(std::vector<sim::MemoryRegion>{}, windowAvailable, &copy);
        ASSERT_TRUE(reading.found) << windowAvailable;
        EXPECT_EQ(reading.summary.manufacturer.str(), "Kernel");
        EXPECT_EQ(reading.summary.minorVersion, 4);
        EXPECT_EQ(reading.viewsLeft, 0u);
    }
    copy.reads = 0;
    const DmiReading inMemory =
        ReadDmiFrom(MachineWithTable(BuildTable({Board("RAM", "X")})), true, &copy);
    EXPECT_EQ(inMemory.summary.manufacturer.str(), "RAM");
    EXPECT_EQ(copy.reads, 0) << "a table found in memory leaves the copy alone";

    // A "_SM_" copy works the same; a copy with a damaged entry point or no
    // copy at all leaves the run to its fallbacks.
    EntryPointFields fields;
    fields.tableLength = static_cast<std::uint16_t>(table.bytes.size());
    fields.structureCount = table.count;
    fields.maxStructureSize = table.maxStructureSize;
    fields.tableAddress = 0xE0000;
    CopiedTables old(SmbiosTables{SmbiosEntryPoint(fields), table.bytes});
    EXPECT_EQ(ReadDmiFrom(kNoMemory, false, &old).summary.manufacturer.str(), "Kernel");
    Bytes damaged = SmbiosEntryPoint(fields);
    damaged[0x06] ^= 1;
    CopiedTables bad(SmbiosTables{damaged, table.bytes});
    EXPECT_FALSE(ReadDmiFrom(kNoMemory, false, &bad).found);
    CopiedTables none(std::nullopt);
    EXPECT_FALSE(ReadDmiFrom(kNoMemory, false, &none).found);
}

TEST(LargeMemory, ExtendedSizesWhereTheStructureHoldsThem) {
    // 32 GB and 64 GB modules give 7FFFh and their size in Extended Size; a
    // structure too short for that field keeps the 16-bit rule.
    const DmiReading big = ReadDmiFrom({MemoryDevice(0x7FFF, 32768), MemoryDevice(0x7FFF, 65536),
                                        MemoryDevice(8192), MemoryArray(0x80000000, 3ull << 40)});
    EXPECT_EQ(big.summary.installedMemoryMb, 32768u + 65536u + 8192u);
    EXPECT_EQ(std::vector<std::uint32_t>(big.slots.sizeMb.begin(),
                                         big.slots.sizeMb.begin() + big.slots.count),
              (std::vector<std::uint32_t>{32768, 65536, 8192}));
    EXPECT_EQ(big.summary.maxMemoryMb, 3u * 1024 * 1024) << "3 TB";

    const DmiReading short_ =
        ReadDmiFrom({MemoryDevice(0x7FFF, 32768, 0x1C), MemoryArray(0x80000000, 3ull << 40, 0x0F)});
    EXPECT_EQ(short_.summary.installedMemoryMb, 0x7FFFu);
    EXPECT_EQ(short_.summary.maxMemoryMb, 0x80000000u >> 10);
}

}  // namespace
}  // namespace romwise::dmi_test

// Finding the entry point in the F0000h window and mapping the table's
// window; every view released and the window closed after each reading.
#include <gtest/gtest.h>

#include <memory>

#include "dmi/entry_point.h"
#include "platform/sim/sim_physical_memory.h"
#include "tests/dmi/crafted_smbios.h"

namespace romwise::dmi_test {
namespace {

const std::vector<CraftedStructure> kOneBoard = {
    MakeStructure(2, 8, {{4, 1}, {5, 2}}, {"Quokka Boards Inc.", "QB-440BX"})};

struct EntryPlacement {
    const char* name;
    std::uint32_t offset;  // in the F0000h window
    bool legacy;           // "_DMI_" alone
    bool damagedChecksum;  // of the "_SM_" entry point only
    std::uint8_t entryLength;
    bool expectFound;
    std::uint32_t expectOffset;
    bool expectSmbios;
};

class EntryPointSearch : public ::testing::TestWithParam<EntryPlacement> {};

TEST_P(EntryPointSearch, TakesTheFirstSoundEntryPointOnA16ByteBoundary) {
    const EntryPlacement& c = GetParam();
    const Table table = BuildTable(kOneBoard);
    EntryPointFields fields;
    fields.maxStructureSize = table.maxStructureSize;
    fields.tableLength = static_cast<std::uint16_t>(table.bytes.size());
    fields.tableAddress = 0xE0000;
    fields.structureCount = table.count;
    fields.entryLength = c.entryLength;
    Bytes entry = c.legacy ? LegacyEntryPoint(fields) : SmbiosEntryPoint(fields);
    if (c.damagedChecksum) {
        entry[0x04] ^= 0x01;
    }
    // The window ends at FFFFh: an entry point near its end is cut there.
    const std::size_t room = 0x10000 - c.offset;
    entry.resize(std::min(entry.size(), room));
    const std::vector<sim::MemoryRegion> memory = {{0xE0000, table.bytes},
                                                   {0xF0000u + c.offset, entry}};

    const sim::SimPhysicalMemory physical(memory);
    DmiReader reader(std::make_unique<sim::SimPhysicalMemoryWindow>(physical, true));
    SmbiosContext context;
    ASSERT_EQ(FindEntryPoint(reader, context), c.expectFound);
    if (!c.expectFound) {
        EXPECT_EQ(context.found, 0u);
        return;
    }
    EXPECT_EQ(context.found, 1u);
    EXPECT_EQ(context.entrySegment, 0xF000);
    EXPECT_EQ(context.entryOffset, c.expectOffset);
    EXPECT_EQ(context.hasSmbiosEntry, c.expectSmbios ? 1u : 0u);
    EXPECT_EQ(context.hasDmiEntry, 1u);
    EXPECT_EQ(context.tableAddress(), 0xE0000u);
    EXPECT_EQ(context.tableWindow.physicalAddress, 0xE0000u);
}

INSTANTIATE_TEST_SUITE_P(
    Placements, EntryPointSearch,
    ::testing::Values(
        EntryPlacement{"SmbiosAtStart", 0x0000, false, false, 0x1F, true, 0x0000, true},
        EntryPlacement{"SmbiosInside", 0x8A50, false, false, 0x1F, true, 0x8A50, true},
        EntryPlacement{"LegacyAtLastBoundary", 0xFFF0, true, false, 0x1F, true, 0xFFF0, false},
        EntryPlacement{"NotOnABoundary", 0x1008, false, false, 0x1F, false, 0, false},
        // The checksum of a "_SM_" entry point at FFF0h would run past the
        // window; its own "_DMI_" part lies beyond it.
        EntryPlacement{"SmbiosCutByWindowEnd", 0xFFF0, false, false, 0x1F, false, 0, false},
        // A damaged "_SM_" checksum: its sound "_DMI_" part is found 10h on.
        EntryPlacement{"DamagedSmbiosChecksum", 0x0400, false, true, 0x1F, true, 0x0410, false},
        // An Entry Point Length of 0 sums nothing and passes.
        EntryPlacement{"ZeroEntryLength", 0x0400, false, false, 0x00, true, 0x0400, true}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(EntryPointSearch, FirstOfTwoEntryPointsWins) {
    const Table table = BuildTable(kOneBoard);
    std::vector<sim::MemoryRegion> memory = MachineWithTable(table, 0xE0000, 0x2000);
    EntryPointFields other;
    other.tableAddress = 0xD0000;
    memory.push_back({0xF0000 + 0x9000, SmbiosEntryPoint(other)});
    const sim::SimPhysicalMemory physical(memory);
    DmiReader reader(std::make_unique<sim::SimPhysicalMemoryWindow>(physical, true));
    SmbiosContext context;
    ASSERT_TRUE(FindEntryPoint(reader, context));
    EXPECT_EQ(context.entryOffset, 0x2000);
    EXPECT_EQ(context.tableAddress(), 0xE0000u);
}

struct WindowCase {
    std::uint32_t tableAddress;
    std::uint16_t tableLength;
    std::uint64_t expectStart;
    std::uint32_t expectLength;
};

TEST(TableWindow, IsThe64KiBAlignedRangeThatHoldsTheWholeTable) {
    const WindowCase cases[] = {
        {0xF8000, 0x400, 0xF0000, 0x10000},         // in the BIOS area
        {0xE0020, 0x800, 0xE0000, 0x10000},         // below it
        {0x000FFC00, 0x400, 0xF0000, 0x10000},      // ends exactly at the window's end
        {0x000FFC00, 0x401, 0xF0000, 0x20000},      // one byte more crosses it
        {0x7FEE1000, 0x1234, 0x7FEE0000, 0x10000},  // above 1 MB, where most tables lie
        {0xFFFFFF00, 0x80, 0xFFFF0000, 0x10000},
    };
    for (const WindowCase& c : cases) {
        const TableWindowRange range = TableWindowFor(c.tableAddress, c.tableLength);
        EXPECT_EQ(range.address, c.expectStart) << std::hex << c.tableAddress;
        EXPECT_EQ(range.length, c.expectLength) << std::hex << c.tableAddress;
    }
}

// Tables anywhere in the 4 GiB are read, including across a 64 KiB boundary.
TEST(TableWindow, TablesAboveOneMegabyteAndAcrossAWindowEndAreRead) {
    for (const std::uint32_t address : {0xE0000u, 0xF6A30u, 0x100000u, 0xBFF7F000u, 0x3FFFFF80u}) {
        const DmiReading reading = ReadDmiFrom(MachineWithTable(BuildTable(kOneBoard), address));
        ASSERT_TRUE(reading.found) << std::hex << address;
        EXPECT_EQ(reading.summary.manufacturer.str(), "Quokka Boards Inc.") << std::hex << address;
        EXPECT_EQ(reading.summary.model.str(), "QB-440BX") << std::hex << address;
    }
}

struct ReleaseCase {
    const char* name;
    std::vector<sim::MemoryRegion> memory;
    bool available;
    bool expectFound;
};

// Whatever happens, nothing stays mapped and the window is closed when the
// reading ends (before the reader itself goes away).
TEST(DmiReading, ReleasesEveryViewAndClosesTheWindow) {
    EntryPointFields unmappable;
    unmappable.tableAddress = 0xFFFFFF00;  // its window would run past 4 GiB
    unmappable.tableLength = 0x200;
    unmappable.structureCount = 1;
    const ReleaseCase cases[] = {
        {"complete reading", MachineWithTable(BuildTable(kOneBoard)), true, true},
        {"no entry point", {}, true, false},
        {"table window cannot be mapped", {{0xF0000, SmbiosEntryPoint(unmappable)}}, true, false},
        {"no physical memory window", MachineWithTable(BuildTable(kOneBoard)), false, false},
    };
    for (const ReleaseCase& c : cases) {
        const DmiReading reading = ReadDmiFrom(c.memory, c.available);
        EXPECT_EQ(reading.found, c.expectFound) << c.name;
        EXPECT_EQ(reading.viewsLeft, 0u) << c.name;
        EXPECT_FALSE(reading.windowLeftOpen) << c.name;
    }
}

// Counts what a window was asked to do; the counts outlive the window.
struct WindowCalls {
    int maps = 0;
    int unmaps = 0;
    int closes = 0;
};

class CountingWindow final : public PhysicalMemoryWindow {
  public:
    CountingWindow(const sim::SimPhysicalMemory& memory, WindowCalls& calls)
        : inner_(memory, true), calls_(calls) {}
    bool ResolveNativeServices() override { return inner_.ResolveNativeServices(); }
    bool Open() override { return inner_.Open(); }
    bool MapRange(std::uint64_t address, std::uint32_t length, MemoryView& view) override {
        const bool mapped = inner_.MapRange(address, length, view);
        calls_.maps += mapped ? 1 : 0;
        return mapped;
    }
    bool UnmapRange(const MemoryView& view) override {
        const bool unmapped = inner_.UnmapRange(view);
        calls_.unmaps += unmapped ? 1 : 0;
        return unmapped;
    }
    void Close() override {
        ++calls_.closes;
        inner_.Close();
    }

  private:
    sim::SimPhysicalMemoryWindow inner_;
    WindowCalls& calls_;
};

TEST(DmiReading, ReaderGoingAwayReleasesAReadingThatNeverEnded) {
    const std::vector<sim::MemoryRegion> memory = MachineWithTable(BuildTable(kOneBoard));
    const sim::SimPhysicalMemory physical(memory);
    WindowCalls calls;
    {
        DmiReader reader(std::make_unique<CountingWindow>(physical, calls));
        SmbiosContext context;
        ASSERT_TRUE(FindEntryPoint(reader, context));
        EXPECT_EQ(calls.maps, 2);
        EXPECT_EQ(calls.unmaps, 0);
    }
    EXPECT_EQ(calls.unmaps, 2);
    EXPECT_EQ(calls.closes, 1);
}

}  // namespace
}  // namespace romwise::dmi_test

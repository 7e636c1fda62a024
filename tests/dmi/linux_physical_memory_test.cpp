// The Linux window, over an ordinary file standing in for /dev/mem.
#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "dmi/read_dmi.h"
#include "platform/linux/linux_physical_memory.h"
#include "tests/dmi/crafted_smbios.h"
#include "tests/support/scratch_files.h"

namespace romwise::dmi_test {
namespace {

using test_support::TempDirectory;

// Whether the process has `path` mapped, as /proc/self/maps lists it.
bool IsMapped(const std::string& path) {
    std::ifstream maps("/proc/self/maps");
    std::string line;
    while (std::getline(maps, line)) {
        if (line.find(path) != std::string::npos) {
            return true;
        }
    }
    return false;
}

std::size_t OpenDescriptors() {
    std::size_t count = 0;
    for ([[maybe_unused]] const auto& entry :
         std::filesystem::directory_iterator("/proc/self/fd")) {
        ++count;
    }
    return count;
}

// "Physical memory" of 1 MiB whose every byte tells its address.
std::string WritePatternedMemory(const TempDirectory& dir, std::size_t size = 0x100000) {
    Bytes bytes(size);
    for (std::size_t i = 0; i < size; ++i) {
        bytes[i] = static_cast<std::uint8_t>((i >> 8) ^ i);
    }
    return dir.writeBytes("mem", bytes);
}

TEST(LinuxPhysicalMemoryWindow, MapsWholePagesReadOnlyAndSaysWhichOnes) {
    TempDirectory dir;
    const std::string path = WritePatternedMemory(dir);
    const std::uint64_t page = static_cast<std::uint64_t>(sysconf(_SC_PAGESIZE));
    LinuxPhysicalMemoryWindow window(path);
    ASSERT_TRUE(window.ResolveNativeServices());
    ASSERT_TRUE(window.Open());

    MemoryView view;
    ASSERT_TRUE(window.MapRange(0xE1234, 0x100, view));
    EXPECT_EQ(view.physicalAddress, 0xE1234 & ~(page - 1));
    EXPECT_EQ(view.length % page, 0u);
    EXPECT_GE(view.physicalAddress + view.length, 0xE1234u + 0x100u);
    const std::uint64_t at = 0xE1234;
    EXPECT_EQ(view.data[at - view.physicalAddress], static_cast<std::uint8_t>((at >> 8) ^ at));

    // The F0000h window comes back exactly as asked, being page-aligned.
    MemoryView rom;
    ASSERT_TRUE(window.MapRange(0xF0000, 0x10000, rom));
    EXPECT_EQ(rom.physicalAddress, 0xF0000u);
    EXPECT_EQ(rom.length, 0x10000u);
    EXPECT_EQ(window.mappedViewCount(), 2u);

    EXPECT_TRUE(window.UnmapRange(view));
    EXPECT_FALSE(window.UnmapRange(view)) << "a view is released once";
    EXPECT_TRUE(window.UnmapRange(rom));
    EXPECT_FALSE(IsMapped(path));
    window.Close();
    EXPECT_FALSE(window.isOpen());
}

TEST(LinuxPhysicalMemoryWindow, RefusesWhatItCannotMap) {
    TempDirectory dir;
    LinuxPhysicalMemoryWindow missing((dir.path() / "no-such-device").string());
    ASSERT_TRUE(missing.ResolveNativeServices());
    EXPECT_FALSE(missing.Open());

    LinuxPhysicalMemoryWindow window(WritePatternedMemory(dir));
    MemoryView view;
    EXPECT_FALSE(window.MapRange(0, 0x1000, view)) << "not open";
    ASSERT_TRUE(window.ResolveNativeServices());
    ASSERT_TRUE(window.Open());
    EXPECT_FALSE(window.MapRange(0, 0, view)) << "nothing asked";
    EXPECT_FALSE(window.MapRange(0xFFFFFFFFFFFFF000ull, 0x2000, view)) << "past the address space";
    EXPECT_EQ(window.mappedViewCount(), 0u);
}

TEST(LinuxPhysicalMemoryWindow, GoingAwayUnmapsAndCloses) {
    TempDirectory dir;
    const std::string path = WritePatternedMemory(dir);
    const std::size_t descriptorsBefore = OpenDescriptors();
    {
        LinuxPhysicalMemoryWindow window(path);
        ASSERT_TRUE(window.ResolveNativeServices());
        ASSERT_TRUE(window.Open());
        MemoryView view;
        ASSERT_TRUE(window.MapRange(0xF0000, 0x10000, view));
        EXPECT_TRUE(IsMapped(path));
        EXPECT_EQ(OpenDescriptors(), descriptorsBefore + 1);
    }
    EXPECT_FALSE(IsMapped(path));
    EXPECT_EQ(OpenDescriptors(), descriptorsBefore);
}

// A whole reading through the Linux window: the table and entry point laid
// out in the file as they lie in memory; afterwards nothing stays mapped or
// open, also when the reading fails half-way.
TEST(LinuxPhysicalMemoryWindow, ReadingReleasesEverything) {
    TempDirectory dir;
    const Table table = BuildTable({MakeStructure(2, 8, {{4, 1}, {5, 2}}, {"Quokka", "QB-1"})});
    Bytes memory(0x100000, 0);
    for (const sim::MemoryRegion& region : MachineWithTable(table, 0xE0000, 0x400)) {
        std::copy(region.bytes.begin(), region.bytes.end(), memory.begin() + region.address);
    }
    const std::string whole = dir.writeBytes("whole", memory);
    // Memory that ends before the table: its window cannot be mapped.
    const std::string cut = dir.writeBytes("cut", Bytes(memory.begin() + 0, memory.end()));
    const std::size_t descriptorsBefore = OpenDescriptors();

    DmiSummary summary;
    MemorySlotSizes slots;
    slots.capacity = kMemorySlotCapacity;
    {
        DmiReader reader(std::make_unique<LinuxPhysicalMemoryWindow>(whole));
        ASSERT_TRUE(ReadDmi(reader, summary, slots));
        EXPECT_FALSE(IsMapped(whole));
        EXPECT_EQ(OpenDescriptors(), descriptorsBefore);
    }
    EXPECT_EQ(summary.manufacturer.str(), "Quokka");
    EXPECT_EQ(summary.model.str(), "QB-1");
    (void)cut;
}

}  // namespace
}  // namespace romwise::dmi_test

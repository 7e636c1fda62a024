// The ROM window on Linux: a read-only, shared mapping of a file standing in
// for /dev/mem, and IdentifyBios over it.
#include <gtest/gtest.h>

#include <unistd.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "platform/linux/linux_rom_mappings.h"
#include "tests/bios/crafted_rom.h"

namespace romwise::bios_test {
namespace {

namespace fs = std::filesystem;

// "Physical memory" of 1 MiB in a scratch file: every byte below the ROM
// window tells its address, the window holds `rom`.
class StandInMemory {
  public:
    explicit StandInMemory(const CraftedRom& rom) {
        static std::atomic<int> counter{0};
        directory_ = fs::temp_directory_path() /
                     ("romwise-rom-" + std::to_string(getpid()) + "-" + std::to_string(++counter));
        fs::create_directories(directory_);
        std::vector<char> bytes(kRomBase + kRomLength);
        for (std::size_t i = 0; i < kRomBase; ++i) {
            bytes[i] = static_cast<char>((i >> 8) ^ i);
        }
        std::copy(rom.data(), rom.data() + kRomLength, bytes.begin() + kRomBase);
        std::ofstream(path(), std::ios::binary).write(bytes.data(), bytes.size());
    }
    ~StandInMemory() {
        std::error_code ignored;
        fs::remove_all(directory_, ignored);
    }
    StandInMemory(const StandInMemory&) = delete;
    StandInMemory& operator=(const StandInMemory&) = delete;

    std::string path() const { return (directory_ / "mem").string(); }
    std::string directory() const { return directory_.string(); }

  private:
    fs::path directory_;
};

// The permissions /proc/self/maps lists for the mapping of `path` ("r--s"
// is read-only and shared), or the empty text when it is not mapped.
std::string MappingPermissions(const std::string& path) {
    std::ifstream maps("/proc/self/maps");
    for (std::string line; std::getline(maps, line);) {
        if (line.size() > path.size() &&
            line.compare(line.size() - path.size(), path.size(), path) == 0) {
            const std::size_t blank = line.find(' ');
            return line.substr(blank + 1, 4);
        }
    }
    return "";
}

// A driver whose only working service is the Linux ROM mapping.
class MappingOnlyDriver final : public HardwareDriver {
  public:
    explicit MappingOnlyDriver(std::string devicePath) : mappings_(std::move(devicePath)) {}
    bool isActive() override { return true; }
    bool tryReadPortByte(std::uint32_t, std::uint8_t&) override { return false; }
    bool tryReadPortDword(std::uint32_t, std::uint32_t&) override { return false; }
    bool tryWritePortByte(std::uint32_t, std::uint8_t) override { return false; }
    bool tryWritePortDword(std::uint32_t, std::uint32_t) override { return false; }
    const std::uint8_t* mapPhysToLinear(std::uint32_t address, std::uint32_t length) override {
        return mappings_.map(address, length);
    }
    LinuxRomMappings& mappings() { return mappings_; }

  private:
    LinuxRomMappings mappings_;
};

TEST(LinuxRomMappingsTest, MapsTheRomWindowReadOnlyAndSharedOncePerRange) {
    CraftedRom rom;
    rom.put(0x0000, "first").put(0xFFF5, "11/03/99");
    const StandInMemory memory(rom);
    {
        LinuxRomMappings mappings(memory.path());
        const std::uint8_t* window = mappings.map(kRomBase, kRomLength);
        ASSERT_NE(window, nullptr);
        EXPECT_EQ(std::string(reinterpret_cast<const char*>(window), 5), "first");
        EXPECT_EQ(std::string(reinterpret_cast<const char*>(window) + 0xFFF5, 8), "11/03/99");
        EXPECT_EQ(MappingPermissions(memory.path()), "r--s");

        // A later pass asks again and gets the same view, not another one.
        EXPECT_EQ(mappings.map(kRomBase, kRomLength), window);
        EXPECT_EQ(mappings.mappedRangeCount(), 1u);

        // A range that does not start on a page still points at its own byte.
        const std::uint8_t* inside = mappings.map(0xE1234, 0x10);
        ASSERT_NE(inside, nullptr);
        EXPECT_EQ(*inside, static_cast<std::uint8_t>((0xE1234 >> 8) ^ 0xE1234));
        EXPECT_EQ(mappings.mappedRangeCount(), 2u);
    }
    // The views go with the object that mapped them.
    EXPECT_EQ(MappingPermissions(memory.path()), "");
}

TEST(LinuxRomMappingsTest, UnmappableDevicesAndRangesGiveNoView) {
    const StandInMemory memory{CraftedRom()};
    EXPECT_EQ(LinuxRomMappings(memory.directory() + "/absent").map(kRomBase, kRomLength), nullptr);
    // A directory opens but cannot be mapped.
    EXPECT_EQ(LinuxRomMappings(memory.directory()).map(kRomBase, kRomLength), nullptr);
    LinuxRomMappings mappings(memory.path());
    EXPECT_EQ(mappings.map(kRomBase, 0), nullptr);
    EXPECT_EQ(mappings.map(0xFFFFFFFF, 0xFFFFFFFF), nullptr);
    EXPECT_EQ(mappings.mappedRangeCount(), 0u);
}

TEST(LinuxRomMappingsTest, IdentifyBiosReadsTheMappedWindowOrFailsWithoutOne) {
    CraftedRom rom;
    rom.put(0x0040, "Award Software").put(0xE061, std::string("Award Modular BIOS v4.51PG\0", 27));
    rom.put(0xFFF5, "11/03/99");
    const StandInMemory memory(rom);

    MappingOnlyDriver driver(memory.path());
    BiosLines lines;
    ASSERT_TRUE(IdentifyBios(driver, lines.date, lines.type, lines.id, lines.signOn));
    EXPECT_EQ(lines.date, "BIOS Date: 11/03/99");
    EXPECT_EQ(lines.type, "BIOS Type: Award Modular BIOS v4.51PG");
    ASSERT_TRUE(IdentifyBios(driver, lines.date, lines.type, lines.id, lines.signOn));
    EXPECT_EQ(driver.mappings().mappedRangeCount(), 1u);

    MappingOnlyDriver without(memory.directory() + "/absent");
    lines.type = "kept";
    EXPECT_FALSE(IdentifyBios(without, lines.date, lines.type, lines.id, lines.signOn));
    EXPECT_EQ(lines.type, "kept");
}

}  // namespace
}  // namespace romwise::bios_test

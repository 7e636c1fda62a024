// What the system offers, seen through the driver's and the configuration
// space's interfaces: the listed devices' registers and the offered ROM
// window's bounds.
#include <gtest/gtest.h>

#include "hw/listed_pci_config.h"
#include "hw/offered_rom_window.h"
#include "hw/rom_window.h"

namespace romwise {
namespace {

TEST(ListedPciConfig, AnswersIdAndRevisionOfListedDevicesOnly) {
    ListedPciConfigAccess pci({{0, 0, 0, 0x8086, 0x7190, 3}, {0, 7, 1, 0x8086, 0x7111, 1}});
    EXPECT_EQ(pci.ReadConfigDword(0, 0, 0, 0x00), 0x71908086u);
    EXPECT_EQ(pci.ReadConfigDword(0, 0, 0, 0x08), 3u);
    EXPECT_EQ(pci.ReadConfigDword(0, 0, 0, 0x0B), 3u);  // inside the same dword
    EXPECT_EQ(pci.ReadConfigDword(0, 0, 0, 0x2C), 0u);
    EXPECT_EQ(pci.ReadConfigDword(0, 7, 1, 0x00), 0x71118086u);
    EXPECT_EQ(pci.ReadConfigDword(0, 7, 0, 0x00), 0xFFFFFFFFu);
    EXPECT_EQ(pci.ReadConfigDword(1, 0, 0, 0x00), 0xFFFFFFFFu);
    EXPECT_EQ(pci.ReadConfigDword(0, 32, 0, 0x00), 0x71908086u);  // device masked to 0-31
}

TEST(OfferedRomWindow, MapsInsideTheWindowAndReachesNoPort) {
    std::vector<std::uint8_t> bytes(kRomLength, 0);
    bytes[0xFFF5] = '1';
    OfferedRomWindow rom(bytes);
    const std::uint8_t* whole = rom.mapPhysToLinear(kRomBase, kRomLength);
    ASSERT_NE(whole, nullptr);
    EXPECT_EQ(whole[0xFFF5], '1');
    EXPECT_EQ(rom.mapPhysToLinear(0xFFFF5, 11), whole + 0xFFF5);
    EXPECT_EQ(rom.mapPhysToLinear(0xFFFF5, 12), nullptr);
    EXPECT_EQ(rom.mapPhysToLinear(0xEFFFF, 2), nullptr);
    EXPECT_EQ(rom.mapPhysToLinear(0xFFFFFFFFu, 0xFFFFFFFFu), nullptr);

    OfferedRomWindow shortWindow(std::vector<std::uint8_t>(0x100, 0));
    EXPECT_EQ(shortWindow.mapPhysToLinear(kRomBase, kRomLength), nullptr);

    std::uint8_t value = 0x5A;
    EXPECT_FALSE(rom.tryReadPortByte(0x2E, value));
    EXPECT_EQ(value, 0x5A);
    EXPECT_FALSE(rom.tryWritePortDword(0xCF8, 0x80000000u));
}

}  // namespace
}  // namespace romwise

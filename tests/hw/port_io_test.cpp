// Port access and PCI configuration mechanism #1 over the driver seam.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "hw/pci_config_access.h"
#include "hw/port_io.h"

namespace romwise {
namespace {

// Records every request; reads answer `answer` unless requests fail, in
// which case they scribble over the value first, as a careless driver might.
class ScriptedDriver final : public HardwareDriver {
  public:
    bool isActive() override { return true; }
    bool tryReadPortByte(std::uint32_t port, std::uint8_t& value) override {
        requests.push_back("R " + hex(port));
        value = static_cast<std::uint8_t>(fail ? 0x5A : answer);
        return !fail;
    }
    bool tryReadPortDword(std::uint32_t port, std::uint32_t& value) override {
        requests.push_back("R32 " + hex(port));
        value = fail ? 0x5A5A5A5Au : answer;
        return !fail;
    }
    bool tryWritePortByte(std::uint32_t port, std::uint8_t value) override {
        requests.push_back("W " + hex(port) + " " + hex(value));
        return !fail;
    }
    bool tryWritePortDword(std::uint32_t port, std::uint32_t value) override {
        requests.push_back("W32 " + hex(port) + " " + hex(value));
        return !fail;
    }
    const std::uint8_t* mapPhysToLinear(std::uint32_t, std::uint32_t) override { return nullptr; }

    static std::string hex(std::uint32_t v) {
        char text[16];
        std::snprintf(text, sizeof text, "%X", v);
        return text;
    }

    bool fail = false;
    std::uint32_t answer = 0;
    std::vector<std::string> requests;
};

TEST(PortIo, ReadsTakeTheDriversAnswerAndFailedRequestsReadAllOnes) {
    ScriptedDriver driver;
    driver.answer = 0x12345678u;
    EXPECT_EQ(ReadPortByte(driver, 0x2F), 0x78) << "the low 8 bits";
    EXPECT_EQ(ReadPortDword(driver, 0xCFC), 0x12345678u);
    EXPECT_TRUE(WritePortByte(driver, 0x2E, 0x87));
    EXPECT_TRUE(WritePortDword(driver, 0xCF8, 0x80000000u));
    EXPECT_EQ(driver.requests,
              (std::vector<std::string>{"R 2F", "R32 CFC", "W 2E 87", "W32 CF8 80000000"}));

    driver.fail = true;
    EXPECT_EQ(ReadPortByte(driver, 0x2F), 0xFF);
    EXPECT_EQ(ReadPortDword(driver, 0xCFC), 0xFFFFFFFFu);
    EXPECT_FALSE(WritePortByte(driver, 0x2E, 0x87));
    EXPECT_FALSE(WritePortDword(driver, 0xCF8, 0));
}

TEST(PortIo, PortsAboveFFFFAreRefusedWithoutARequest) {
    ScriptedDriver driver;
    driver.answer = 0;
    EXPECT_EQ(ReadPortByte(driver, 0x1002E), 0xFF);
    EXPECT_EQ(ReadPortDword(driver, 0x10CFC), 0xFFFFFFFFu);
    EXPECT_FALSE(WritePortByte(driver, 0x1002E, 0x87));
    EXPECT_FALSE(WritePortDword(driver, 0x10CF8, 0));
    EXPECT_TRUE(driver.requests.empty()) << "no request may reach port 2Eh through aliasing";
    EXPECT_EQ(ReadPortByte(driver, 0xFFFF), 0x00) << "FFFFh is still a port";
}

TEST(PciConfigAccess, AddressFormationAndMasks) {
    struct Case {
        std::uint32_t bus, device, function, reg;
        std::uint32_t address;
    } cases[] = {
        {0, 0, 0, 0x08, 0x80000008u},   {0, 0, 0, 0x0B, 0x80000008u},
        {0, 0, 0, 0x09, 0x80000008u},   {0, 7, 0, 0x00, 0x80003800u},
        {0, 33, 0, 0x00, 0x80000800u},  {0, 31, 9, 0x00, 0x8000F900u},
        {255, 0, 7, 0xFF, 0x80FF07FCu}, {256, 0, 0, 0x100, 0x80000000u},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(pciConfigAddress(c.bus, c.device, c.function, c.reg), c.address)
            << c.bus << ":" << c.device << "." << c.function << " " << c.reg;
    }
}

TEST(PciConfigAccess, WritesTheAddressThenReadsTheData) {
    ScriptedDriver driver;
    driver.answer = 0x71908086u;
    PortPciConfigAccess pci(driver);
    EXPECT_EQ(pci.ReadConfigDword(0, 0, 0, 0x0B), 0x71908086u);
    EXPECT_EQ(driver.requests, (std::vector<std::string>{"W32 CF8 80000008", "R32 CFC"}));

    driver.fail = true;
    EXPECT_EQ(pci.ReadConfigDword(0, 1, 0, 0), 0xFFFFFFFFu) << "a failed request reads as absent";
}

}  // namespace
}  // namespace romwise

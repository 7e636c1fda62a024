// PCI configuration reads through the kernel's files: a made-up tree for the
// rules, and this machine's own sysfs for the real thing.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "platform/linux/linux_pci_config.h"

namespace romwise {
namespace {

namespace fs = std::filesystem;

class FakePciTree : public testing::Test {
  protected:
    void SetUp() override {
        // The process id keeps builds that run the same test at once apart.
        root_ = fs::temp_directory_path() /
                ("romwise-pci-" + std::to_string(getpid()) + "-" +
                 ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(root_);
        fs::create_directories(sysfs());
        fs::create_directories(proc());
    }
    void TearDown() override { fs::remove_all(root_); }

    std::string sysfs() const { return (root_ / "sys").string(); }
    std::string proc() const { return (root_ / "proc").string(); }

    static void writeConfig(const fs::path& file, std::vector<unsigned char> bytes) {
        fs::create_directories(file.parent_path());
        std::ofstream out(file, std::ios::binary);
        out.write(reinterpret_cast<const char*>(bytes.data()),
                  static_cast<std::streamsize>(bytes.size()));
    }

    // A 64-byte header: vendor 8086h, device 7190h, revision 3.
    static std::vector<unsigned char> header440bx() {
        std::vector<unsigned char> bytes(64, 0);
        bytes[0] = 0x86;
        bytes[1] = 0x80;
        bytes[2] = 0x90;
        bytes[3] = 0x71;
        bytes[8] = 0x03;
        bytes[9] = 0x00;
        bytes[10] = 0x00;
        bytes[11] = 0x06;
        return bytes;
    }

    fs::path root_;
};

TEST_F(FakePciTree, ReadsLittleEndianDwordsWithTheMasksOfMechanism1) {
    writeConfig(fs::path(sysfs()) / "0000:00:00.0" / "config", header440bx());
    writeConfig(fs::path(sysfs()) / "0000:00:1f.0" / "config", header440bx());
    LinuxPciConfigAccess pci(sysfs(), proc());
    EXPECT_EQ(pci.ReadConfigDword(0, 0, 0, 0x00), 0x71908086u);
    EXPECT_EQ(pci.ReadConfigDword(0, 0, 0, 0x0B), 0x06000003u) << "rounded down to 08h";
    EXPECT_EQ(pci.ReadConfigDword(0, 32, 0, 0x00), 0x71908086u) << "device 32 wraps to 0";
    EXPECT_EQ(pci.ReadConfigDword(0, 31, 0, 0x00), 0x71908086u) << "device 31 is 1f";
    EXPECT_EQ(pci.ReadConfigDword(0, 1, 0, 0x00), 0xFFFFFFFFu) << "absent device";
    EXPECT_EQ(pci.ReadConfigDword(0, 0, 0, 0x40), 0xFFFFFFFFu) << "past a 64-byte file";
}

TEST_F(FakePciTree, FallsBackToProcBusPci) {
    writeConfig(fs::path(proc()) / "00" / "07.0", header440bx());
    LinuxPciConfigAccess pci(sysfs(), proc());
    EXPECT_EQ(pci.ReadConfigDword(0, 7, 0, 0x00), 0x71908086u);
    EXPECT_EQ(pci.ReadConfigDword(0, 7, 1, 0x00), 0xFFFFFFFFu);
    EXPECT_TRUE(LinuxPciConfigAccess::available(sysfs(), proc()));
    EXPECT_FALSE(
        LinuxPciConfigAccess::available((root_ / "none").string(), (root_ / "none").string()));
}

std::uint32_t ReadHexFile(const fs::path& file) {
    std::ifstream in(file);
    std::string text;
    in >> text;
    return static_cast<std::uint32_t>(std::stoul(text, nullptr, 16));
}

TEST(LinuxPciConfigAccessOnThisMachine, HostBridgeIdsMatchWhatSysfsShows) {
    const fs::path device = "/sys/bus/pci/devices/0000:00:00.0";
    if (!fs::exists(device / "config") || !fs::exists(device / "vendor")) {
        GTEST_SKIP() << "this machine shows no PCI device 00:00.0 in sysfs";
    }
    LinuxPciConfigAccess pci;
    const std::uint32_t id = pci.ReadConfigDword(0, 0, 0, 0x00);
    EXPECT_EQ(id & 0xFFFF, ReadHexFile(device / "vendor"));
    EXPECT_EQ(id >> 16, ReadHexFile(device / "device"));
    if (fs::exists(device / "revision")) {
        EXPECT_EQ(pci.ReadConfigDword(0, 0, 0, 0x08) & 0xFF, ReadHexFile(device / "revision"));
    }
}

}  // namespace
}  // namespace romwise

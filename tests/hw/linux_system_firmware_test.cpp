// What Linux tells any user about bus 0 and the firmware, read from a made-up
// sysfs tree: which devices are listed and in what order, what a damaged or
// missing file leaves out, and the identity strings as far as they go.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <tuple>
#include <vector>

#include "platform/linux/linux_system_firmware.h"
#include "tests/support/scratch_files.h"

namespace romwise {
namespace {

namespace fs = std::filesystem;

class FakeSysfs : public testing::Test {
  protected:
    // A device folder under bus/pci/devices with its attribute files; a
    // file given as nullptr is not written.
    void device(const std::string& name, const char* vendor, const char* deviceId,
                const char* revision) {
        const fs::path folder = devices() / name;
        fs::create_directories(folder);
        const std::pair<const char*, const char*> files[] = {
            {"vendor", vendor}, {"device", deviceId}, {"revision", revision}};
        for (const auto& [file, text] : files) {
            if (text != nullptr) {
                tree_.write((folder / file).lexically_relative(tree_.path()).string(), text);
            }
        }
    }
    void identity(const std::string& name, const std::string& text) {
        fs::create_directories(tree_.path() / "class/dmi/id");
        tree_.write("class/dmi/id/" + name, text);
    }
    fs::path devices() const { return tree_.path() / "bus/pci/devices"; }
    LinuxSystemFirmware firmware() const { return LinuxSystemFirmware(tree_.path().string()); }

    test_support::TempDirectory tree_;
};

using Listed = std::tuple<int, int, int, int, int>;  // device, function, vendor, id, revision

std::vector<Listed> listed(const std::vector<ListedPciDevice>& devices) {
    std::vector<Listed> out;
    for (const ListedPciDevice& d : devices) {
        EXPECT_EQ(d.bus, 0) << "only bus 0 is listed";
        out.emplace_back(d.device, d.function, d.vendor, d.deviceId, d.revision);
    }
    return out;
}

TEST_F(FakeSysfs, ListsBus0OfDomain0InDeviceAndFunctionOrder) {
    device("0000:00:1f.3", "0x8086\n", "0x7113\n", "0x02\n");
    device("0000:01:00.0", "0x10de\n", "0x0020\n", "0x04\n");  // behind a bridge
    device("0001:00:00.0", "0x8086\n", "0x1234\n", "0x01\n");  // another domain
    device("0000:00:1f.0", "0x8086\n", "0x7110\n", "0x02\n");
    device("0000:00:07.1", "0x8086\n", "0x7111\n", "0x01\n");
    device("0000:00:0a.0", "0xffff\n", "0xffff\n", "0xff\n");  // listed as the system has it
    device("0000:00:20.0", "0x8086\n", "0x0001\n", "0x00\n");  // no such device number
    // The kernel's entries are links to the device's own folder.
    device("real/pci0000:00/0000:00:00.0", "0x8086\n", "0x7190\n", "0x03\n");
    fs::create_symlink(devices() / "real/pci0000:00/0000:00:00.0", devices() / "0000:00:00.0");

    const auto found = firmware().listPciDevices();
    ASSERT_TRUE(found.has_value());
    EXPECT_EQ(listed(*found), (std::vector<Listed>{{0x00, 0, 0x8086, 0x7190, 0x03},
                                                   {0x07, 1, 0x8086, 0x7111, 0x01},
                                                   {0x0A, 0, 0xFFFF, 0xFFFF, 0xFF},
                                                   {0x1F, 0, 0x8086, 0x7110, 0x02},
                                                   {0x1F, 3, 0x8086, 0x7113, 0x02}}));
    EXPECT_FALSE(firmware().readRomWindow()) << "Linux offers no ROM window without /dev/mem";
}

TEST_F(FakeSysfs, ADeviceWhoseIdsCannotBeReadIsLeftOut) {
    device("0000:00:01.0", "8086\n", "0x7190\n", "0x03\n");     // no 0x
    device("0000:00:02.0", "0x8086\n", "0x71901\n", "0x03\n");  // too wide
    device("0000:00:03.0", nullptr, "0x7190\n", "0x03\n");
    device("0000:00:04.0", "0x8086 \n", "0x7190\n", "0x03\n");  // trailing blank
    device("0000:00:05.0", "0x\n", "0x7190\n", "0x03\n");
    device("0000:00:06.0", "0x8086\n", "0x7190\n", nullptr);        // no revision at all
    fs::create_directories(devices() / "0000:00:07.0" / "vendor");  // not a file
    device("0000:00:07.0", nullptr, "0x7190\n", "0x03\n");
    // Without the revision attribute, byte 08h of the configuration header.
    device("0000:00:08.0", "0x1106\n", "0x0691\n", "0x1ff\n");
    tree_.writeBytes("bus/pci/devices/0000:00:08.0/config",
                     {0x06, 0x11, 0x91, 0x06, 0, 0, 0, 0, 0xC4});
    device("0000:00:09.0", "0x1106\n", "0x0686\n", "0x40");  // no newline is fine
    device("0000:00:1g.0", "0x8086\n", "0x7190\n", "0x03\n");
    device("0000:00:09.8", "0x8086\n", "0x7190\n", "0x03\n");

    const auto found = firmware().listPciDevices();
    ASSERT_TRUE(found.has_value());
    EXPECT_EQ(listed(*found), (std::vector<Listed>{{0x08, 0, 0x1106, 0x0691, 0xC4},
                                                   {0x09, 0, 0x1106, 0x0686, 0x40}}));
}

TEST_F(FakeSysfs, NoDeviceFolderIsNoListAndAnEmptyOneAnEmptyList) {
    EXPECT_FALSE(firmware().listPciDevices());
    fs::create_directories(devices());
    const auto found = firmware().listPciDevices();
    ASSERT_TRUE(found.has_value());
    EXPECT_TRUE(found->empty());
}

TEST_F(FakeSysfs, IdentityStringsAsFarAsTheSystemGivesThem) {
    EXPECT_FALSE(firmware().readIdentity()) << "no dmi/id folder";
    identity("bios_vendor", "\n");
    identity("board_name", "");
    EXPECT_FALSE(firmware().readIdentity()) << "only empty strings";

    identity("bios_vendor", "Award Software International, Inc.\n");
    identity("bios_date", "11/03/99\n");
    identity("board_name", "QB-440BX  \n");  // the firmware's own blanks stay
    fs::create_directories(tree_.path() / "class/dmi/id/board_vendor");  // not a file
    const auto found = firmware().readIdentity();
    ASSERT_TRUE(found.has_value());
    EXPECT_EQ(found->biosVendor, "Award Software International, Inc.");
    EXPECT_EQ(found->biosVersion, "");
    EXPECT_EQ(found->biosDate, "11/03/99");
    EXPECT_EQ(found->boardVendor, "");
    EXPECT_EQ(found->boardName, "QB-440BX  ");
}

TEST(LinuxSystemFirmwareOnThisMachine, ListsTheHostBridgeSysfsShows) {
    if (!fs::exists("/sys/bus/pci/devices/0000:00:00.0/vendor")) {
        GTEST_SKIP() << "this machine shows no PCI device 00:00.0 in sysfs";
    }
    const auto found = LinuxSystemFirmware().listPciDevices();
    ASSERT_TRUE(found.has_value());
    ASSERT_FALSE(found->empty());
    EXPECT_EQ((*found)[0].device, 0);
    EXPECT_EQ((*found)[0].function, 0);
}

}  // namespace
}  // namespace romwise

// The driver's devices on Linux. The /dev/port route is exercised on an
// ordinary file standing in for the port device (the file offset is the
// port); the port instructions are only asked for, never executed.
#include <fcntl.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <vector>

#include "hw/driver_opening.h"
#include "platform/linux/linux_driver_services.h"

namespace romwise {
namespace {

const std::string kDevice0 = std::string(kDevicePathPrefix) + "TVicDevice0";
const std::string kDevice1 = std::string(kDevicePathPrefix) + "TVicDevice1";

// A file of 400h bytes whose byte at offset p is p & FFh.
class FakePortFile {
  public:
    FakePortFile() {
        path_ = std::filesystem::temp_directory_path() /
                ("romwise-ports-" + std::to_string(getpid()) + ".bin");
        std::ofstream file(path_, std::ios::binary | std::ios::trunc);
        for (int port = 0; port < 0x400; ++port) {
            file.put(static_cast<char>(port & 0xFF));
        }
    }
    ~FakePortFile() { std::filesystem::remove(path_); }
    std::string path() const { return path_.string(); }

  private:
    std::filesystem::path path_;
};

// The record of an opened device, as the opening steps would leave it.
DriverRecord recordOf(DeviceHandle device) {
    DriverRecord record;
    record.deviceHandle = device;
    return record;
}

int openDescriptorCount() {
    int count = 0;
    for (const auto& entry : std::filesystem::directory_iterator("/proc/self/fd")) {
        (void)entry;
        ++count;
    }
    return count;
}

TEST(LinuxDriverServices, DeviceZeroReadsAndWritesThePortFileAndClosesIt) {
    FakePortFile ports;
    LinuxDriverServices services(ports.path());
    const int descriptorsBefore = openDescriptorCount();
    const DeviceHandle device = services.openDevice(kDevice0, kDriverDeviceOpen);
    ASSERT_NE(device, kNoDevice);
    {
        auto driver = services.deviceDriver(recordOf(device));
        ASSERT_NE(driver, nullptr);
        EXPECT_TRUE(driver->isActive());
        std::uint8_t byte = 0;
        ASSERT_TRUE(driver->tryReadPortByte(0x2F, byte));
        EXPECT_EQ(byte, 0x2F);
        std::uint32_t dword = 0;
        EXPECT_FALSE(driver->tryReadPortDword(0x100, dword))
            << "dword requests would be split into byte accesses";
        EXPECT_FALSE(driver->tryWritePortDword(0xCF8, 0x80000000u));
        ASSERT_TRUE(driver->tryWritePortByte(0x2E, 0x87));
        ASSERT_TRUE(driver->tryReadPortByte(0x2E, byte));
        EXPECT_EQ(byte, 0x87);
    }
    services.closeDevice(device);
    EXPECT_EQ(openDescriptorCount(), descriptorsBefore) << "closing the device closes the file";
    EXPECT_EQ(services.deviceDriver(recordOf(device)), nullptr) << "a closed device is gone";
}

TEST(LinuxDriverServices, OtherDevicesFilesAndServicesDoNotExist) {
    LinuxDriverServices services("/nonexistent/port");
    EXPECT_EQ(services.openDevice("\\\\.\\TVICHW32.vxd", kDriverDeviceOpen), kNoDevice);
    EXPECT_EQ(services.lastError(), static_cast<std::uint32_t>(ENOENT));
    EXPECT_EQ(services.openDevice("TVicDevice0", kDriverDeviceOpen), kNoDevice)
        << "only the device path names the device";
    EXPECT_EQ(services.systemDirectory(), "");
    EXPECT_FALSE(services.wow64SystemDirectory());
    EXPECT_EQ(services.findFirstFile("/etc/passwd"), kNoFileSearch);
    EXPECT_FALSE(services.copyFile("/etc/passwd", "/tmp/x", true));
    EXPECT_EQ(services.openServiceManager(kServiceManagerAllAccess), kNoServiceHandle);
    EXPECT_EQ(services.openService(1, kServiceName32, kServiceAllAccess), kNoServiceHandle);
    EXPECT_FALSE(services.startService(1));
    EXPECT_EQ(services.createService(1, ServiceDefinition{}), kNoServiceHandle);
    EXPECT_EQ(services.deviceDriver(recordOf(kNoDevice)), nullptr);
}

// Whether this process may use port instructions or /dev/port at all.
bool machineGrantsPortAccess() {
    if (access("/dev/port", F_OK) == 0) {
        return true;
    }
#if defined(__i386__) || defined(__x86_64__)
    LinuxDriverServices probe("/nonexistent/port");
    const DeviceHandle device = probe.openDevice(kDevice1, kDriverDeviceOpen);
    if (device != kNoDevice) {
        probe.closeDevice(device);
        return true;
    }
#endif
    return false;
}

TEST(LinuxDriverServices, AFailedOpenNamesEveryWayTriedOnce) {
    if (machineGrantsPortAccess()) {
        GTEST_SKIP() << "this machine grants I/O port access; the failure cannot be shown";
    }
    LinuxDriverServices services("/nonexistent/port");
    services.clearFailureNotes();
    EXPECT_FALSE(OpenHardwareDriver(services, "/usr/bin/", false, false));
    const std::string notes = services.failureNotes();
    EXPECT_EQ(notes.rfind("no I/O port access (TVicDevice1, port instructions: ioperm: ", 0), 0u)
        << notes;
    EXPECT_NE(notes.find("; TVicDevice0, /nonexistent/port: No such file or directory; no "
                         "service manager to load a driver). Run as root"),
              std::string::npos)
        << notes;
    EXPECT_EQ(notes.find("TVicDevice0", notes.find("TVicDevice0") + 1), std::string::npos)
        << "each way appears once";
    EXPECT_EQ(notes.find('\n'), std::string::npos) << "one line";

    services.clearFailureNotes();
    EXPECT_EQ(services.failureNotes(), "");
}

TEST(LinuxDriverServices, ALockedDownKernelIsNamedWithWhatStillWorks) {
    if (machineGrantsPortAccess()) {
        GTEST_SKIP() << "this machine grants I/O port access; the failure cannot be shown";
    }
    const std::filesystem::path lockdown =
        std::filesystem::temp_directory_path() / ("romwise-lockdown-" + std::to_string(getpid()));
    const auto notesWith = [&](const char* state) {
        std::ofstream(lockdown) << state << "\n";
        LinuxDriverServices services("/nonexistent/port", lockdown.string());
        EXPECT_FALSE(OpenHardwareDriver(services, "/usr/bin/", false, false));
        return services.failureNotes();
    };
    const std::string locked = notesWith("none [integrity] confidentiality");
    EXPECT_NE(locked.find("the kernel is locked down (integrity)"), std::string::npos) << locked;
    EXPECT_NE(locked.find("--machine FILE"), std::string::npos) << locked;
    EXPECT_EQ(locked.find("Run as root"), std::string::npos) << "root does not help here";

    const std::string open = notesWith("[none] integrity confidentiality");
    EXPECT_EQ(open.find("locked down"), std::string::npos) << open;
    EXPECT_NE(open.find("Run as root"), std::string::npos) << open;
    std::filesystem::remove(lockdown);
}

}  // namespace
}  // namespace romwise

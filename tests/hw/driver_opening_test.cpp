// Opening and closing the hardware-access driver, followed call by call on a
// simulated system whose files, services and devices each test sets up.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "hw/driver_opening.h"
#include "hw/service_driver_host.h"
#include "platform/sim/sim_driver_services.h"

namespace romwise {
namespace {

using sim::SimDriverServices;
using sim::SimDriverSetup;

constexpr const char* kProgramDirectory = "C:\\Program Files\\Romwise\\";
constexpr const char* kDriver32 = "C:\\WINDOWS\\system32\\Drivers\\TVICHW32.SYS";

// A simulated system with nothing on it but what the test sets up.
class SimSystem {
  public:
    explicit SimSystem(SimDriverSetup setup)
        : ports_(profile_.superio, profile_.pci),
          memory_(profile_.memory),
          services_(std::move(setup), ports_, memory_) {}

    SimDriverServices& services() { return services_; }

    std::optional<DriverRecord> open(bool is64Bit = false, bool isWin9x = false) {
        return OpenHardwareDriver(services_, kProgramDirectory, is64Bit, isWin9x);
    }

    // The name of each call, without its arguments and result.
    std::vector<std::string> callNames() const {
        std::vector<std::string> names;
        for (const std::string& call : services_.calls()) {
            names.push_back(call.substr(0, call.find('(')));
        }
        return names;
    }

    bool called(const std::string& name) const {
        for (const std::string& call : callNames()) {
            if (call == name) {
                return true;
            }
        }
        return false;
    }

  private:
    sim::MachineProfile profile_;
    sim::SimPortSpace ports_;
    sim::SimPhysicalMemory memory_;
    SimDriverServices services_;
};

SimDriverSetup running() {
    SimDriverSetup setup;
    setup.serviceInstalled = true;
    setup.serviceRunning = true;
    return setup;
}

SimDriverSetup installedNotRunning() {
    SimDriverSetup setup;
    setup.serviceInstalled = true;
    return setup;
}

SimDriverSetup notInstalled() {
    return SimDriverSetup{};
}

SimDriverSetup missing() {
    SimDriverSetup setup;
    setup.programHasDriverFiles = false;
    return setup;
}

TEST(OpenHardwareDriver, ADirectOpenTouchesNeitherTheServiceManagerNorAnyFile) {
    SimSystem system(running());
    const auto record = system.open();
    ASSERT_TRUE(record);
    EXPECT_EQ(system.services().calls(),
              std::vector<std::string>{"CreateFile(\\\\.\\TVicDevice1, 1, 0, 3, 80h) = 1"});
    EXPECT_TRUE(record->openedDirectly);
    EXPECT_FALSE(record->isWin9x);
    EXPECT_EQ(record->serviceName, "TVICHW32");
    EXPECT_EQ(record->serviceManager, kNoServiceHandle);
    EXPECT_EQ(record->controlCodes, kNtControlCodes);
    EXPECT_EQ(system.services().openHandleCount(), 1u) << "only the device stays open";
}

TEST(OpenHardwareDriver, InstallsStartsAndOpensWithTheDocumentedParameters) {
    SimSystem system(notInstalled());
    const auto record = system.open();
    ASSERT_TRUE(record);
    const std::vector<std::string> expected = {
        "CreateFile(\\\\.\\TVicDevice1, 1, 0, 3, 80h) = -1",
        "OpenSCManager(F003Fh) = 1",
        "OpenService(1, TVICHW32, F01FFh) = 0",
        "GetSystemDirectory() = C:\\WINDOWS\\system32",
        "FindFirstFile(C:\\WINDOWS\\system32\\Drivers\\TVICHW32.SYS) = -1",
        "CopyFile(C:\\Program Files\\Romwise\\TVICHW32.SYS, "
        "C:\\WINDOWS\\system32\\Drivers\\TVICHW32.SYS, 1) = 1",
        "CreateService(1, TVICHW32, TVICHW32, F01FFh, 1, 3, 1, "
        "C:\\WINDOWS\\system32\\Drivers\\TVICHW32.SYS) = 2",
        "CloseServiceHandle(2)",
        "OpenService(1, TVICHW32, F01FFh) = 3",
        "StartService(3) = 1",
        "GetLastError() = 0",
        "CloseServiceHandle(3)",
        "CreateFile(\\\\.\\TVicDevice1, 1, 0, 3, 80h) = 4",
        "CloseServiceHandle(1)",
    };
    EXPECT_EQ(system.services().calls(), expected);
    EXPECT_FALSE(record->openedDirectly) << "opened through the service route";
    EXPECT_EQ(record->serviceManager, kNoServiceHandle) << "closed at the end of the route";
    EXPECT_EQ(system.services().files().at(kDriver32), SimDriverServices::kProgramCopy);
    EXPECT_EQ(system.services().openHandleCount(), 1u);
}

TEST(OpenHardwareDriver, AnInstalledServiceIsStartedWithoutInstallingAgain) {
    SimSystem system(installedNotRunning());
    ASSERT_TRUE(system.open());
    const std::vector<std::string> expected = {
        "CreateFile",   "OpenSCManager",      "OpenService", "StartService",
        "GetLastError", "CloseServiceHandle", "CreateFile",  "CloseServiceHandle"};
    EXPECT_EQ(system.callNames(), expected);
    EXPECT_TRUE(system.services().serviceRunning("TVICHW32"));
}

TEST(OpenHardwareDriver, TheSecondDeviceGetsTheWholeSequenceWithTheServiceRunning) {
    // The started driver offers only the older device name.
    SimDriverSetup onlyDevice0 = installedNotRunning();
    onlyDevice0.deviceNames = {"TVicDevice0"};
    SimSystem system(onlyDevice0);
    const auto record = system.open();
    ASSERT_TRUE(record);
    const std::vector<std::string> expected = {
        "CreateFile(\\\\.\\TVicDevice1, 1, 0, 3, 80h) = -1",
        "OpenSCManager(F003Fh) = 1",
        "OpenService(1, TVICHW32, F01FFh) = 2",
        "StartService(2) = 1",
        "GetLastError() = 0",
        "CloseServiceHandle(2)",
        "CreateFile(\\\\.\\TVicDevice1, 1, 0, 3, 80h) = -1",
        "CloseServiceHandle(1)",
        "CreateFile(\\\\.\\TVicDevice0, 1, 0, 3, 80h) = 3",
    };
    EXPECT_EQ(system.services().calls(), expected);
    EXPECT_TRUE(record->openedDirectly);

    // A driver that offers neither device: the second round finds the
    // service already running, counts that as started and opens again.
    SimDriverSetup noDevice = installedNotRunning();
    noDevice.deviceNames = {};
    SimSystem none(noDevice);
    EXPECT_FALSE(none.open());
    const std::vector<std::string> secondRound = {
        "CreateFile(\\\\.\\TVicDevice0, 1, 0, 3, 80h) = -1",
        "OpenSCManager(F003Fh) = 3",
        "OpenService(3, TVICHW32, F01FFh) = 4",
        "StartService(4) = 0",
        "GetLastError() = 1056",
        "CloseServiceHandle(4)",
        "CreateFile(\\\\.\\TVicDevice0, 1, 0, 3, 80h) = -1",
        "CloseServiceHandle(3)",
    };
    const std::vector<std::string>& calls = none.services().calls();
    ASSERT_EQ(calls.size(), 16u);
    EXPECT_EQ(std::vector<std::string>(calls.begin() + 8, calls.end()), secondRound);
    EXPECT_FALSE(none.called("CreateService")) << "a running service is never installed";
    EXPECT_EQ(none.services().openHandleCount(), 0u);
}

TEST(OpenHardwareDriver, SixtyFourBitWindowsInstallsUnderTheWow64Directory) {
    SimDriverSetup setup = notInstalled();
    setup.wow64Directory = "C:\\WINDOWS\\SysWOW64";
    SimSystem system(setup);
    const auto record = system.open(true);
    ASSERT_TRUE(record);
    EXPECT_EQ(record->serviceName, "TVICHW64");
    const std::string target = "C:\\WINDOWS\\SysWOW64\\Drivers\\TVICHW64.SYS";
    EXPECT_EQ(system.services().serviceBinaryPath("TVICHW64"), target);
    EXPECT_EQ(system.services().files().at(target), SimDriverServices::kProgramCopy);
    EXPECT_TRUE(system.called("GetSystemWow64Directory"));
    EXPECT_FALSE(system.called("GetSystemDirectory"));
    EXPECT_FALSE(system.services().serviceBinaryPath("TVICHW32"));
}

TEST(OpenHardwareDriver, SixtyFourBitWithoutAWow64DirectoryInstallsNothing) {
    SimSystem system(notInstalled());
    EXPECT_FALSE(system.open(true));
    EXPECT_FALSE(system.called("CopyFile"));
    EXPECT_FALSE(system.called("CreateService"));
    EXPECT_TRUE(system.services().files().empty());
}

TEST(OpenHardwareDriver, AnExistingDriverFileIsNeverOverwritten) {
    SimDriverSetup setup = notInstalled();
    setup.files[kDriver32] = "an older driver";
    SimSystem system(setup);
    ASSERT_TRUE(system.open());
    EXPECT_FALSE(system.called("CopyFile"));
    EXPECT_EQ(system.services().files().at(kDriver32), "an older driver");
    EXPECT_EQ(system.services().serviceBinaryPath("TVICHW32"), kDriver32);
    EXPECT_EQ(system.services().openHandleCount(), 1u) << "the file search was released";
}

TEST(OpenHardwareDriver, AServiceLeftFromAnEarlierRunCountsAsInstalled) {
    // Registered, but its driver file is gone: the start fails, the file is
    // copied back, the creation answers "exists", and the second start works.
    SimDriverSetup setup = installedNotRunning();
    setup.installedFilesPresent = false;
    SimSystem system(setup);
    ASSERT_TRUE(system.open());
    const std::vector<std::string> expected = {
        "CreateFile",        "OpenSCManager",      "OpenService",        "StartService",
        "GetLastError",      "CloseServiceHandle", "GetSystemDirectory", "FindFirstFile",
        "CopyFile",          "CreateService",      "GetLastError",       "OpenService",
        "StartService",      "GetLastError",       "CloseServiceHandle", "CreateFile",
        "CloseServiceHandle"};
    EXPECT_EQ(system.callNames(), expected);
    EXPECT_EQ(system.services().calls()[10], "GetLastError() = 1073");
}

TEST(OpenHardwareDriver, AMissingDriverEndsWithNothingOpenAfterBothDevices) {
    SimSystem system(missing());
    EXPECT_FALSE(system.open());
    std::vector<std::string> opened;
    for (const std::string& call : system.services().calls()) {
        if (call.rfind("CreateFile", 0) == 0) {
            opened.push_back(call);
        }
    }
    // Only the direct opens: without a driver file every start fails.
    EXPECT_EQ(opened,
              (std::vector<std::string>{"CreateFile(\\\\.\\TVicDevice1, 1, 0, 3, 80h) = -1",
                                        "CreateFile(\\\\.\\TVicDevice0, 1, 0, 3, 80h) = -1"}));
    EXPECT_EQ(system.services().openHandleCount(), 0u) << "every handle was closed";
}

TEST(OpenHardwareDriver, ARefusedServiceManagerStopsTheServiceRoute) {
    SimDriverSetup setup = notInstalled();
    setup.administrator = false;
    SimSystem system(setup);
    EXPECT_FALSE(system.open());
    const std::vector<std::string> expected = {"CreateFile", "OpenSCManager", "CreateFile",
                                               "OpenSCManager"};
    EXPECT_EQ(system.callNames(), expected);
}

TEST(OpenHardwareDriver, Windows9xCopiesTheVirtualDeviceFirstAndOpensItByName) {
    SimDriverSetup setup = notInstalled();
    setup.systemDirectory = "C:\\WINDOWS\\SYSTEM";
    SimSystem system(setup);
    const auto record = system.open(false, true);
    ASSERT_TRUE(record);
    const std::vector<std::string> expected = {
        "GetSystemDirectory() = C:\\WINDOWS\\SYSTEM",
        "FindFirstFile(C:\\WINDOWS\\SYSTEM\\TVICHW32.vxd) = -1",
        "CopyFile(C:\\Program Files\\Romwise\\TVICHW32.vxd, C:\\WINDOWS\\SYSTEM\\TVICHW32.vxd, 1) "
        "= 1",
        "CreateFile(\\\\.\\TVICHW32.vxd, 1, 0, 3, 80h) = 1",
    };
    EXPECT_EQ(system.services().calls(), expected);
    EXPECT_TRUE(record->isWin9x);
    EXPECT_TRUE(record->openedDirectly);
    EXPECT_EQ(record->controlCodes, kWin9xControlCodes);
}

TEST(OpenHardwareDriver, Windows9xTriesTheSameVirtualDeviceTwiceAndNoService) {
    SimDriverSetup setup = missing();
    setup.systemDirectory = "C:\\WINDOWS\\SYSTEM";
    SimSystem system(setup);
    EXPECT_FALSE(system.open(false, true));
    const std::vector<std::string> round = {"GetSystemDirectory", "FindFirstFile", "CopyFile",
                                            "CreateFile"};
    std::vector<std::string> twice = round;
    twice.insert(twice.end(), round.begin(), round.end());
    EXPECT_EQ(system.callNames(), twice);
    EXPECT_EQ(system.services().calls()[3], system.services().calls()[7]);
    EXPECT_EQ(system.services().calls()[3], "CreateFile(\\\\.\\TVICHW32.vxd, 1, 0, 3, 80h) = -1");

    // A virtual device already in place is found, not copied, and opened.
    SimDriverSetup present = running();
    present.systemDirectory = "C:\\WINDOWS\\SYSTEM";
    SimSystem installed(present);
    EXPECT_TRUE(installed.open(false, true));
    EXPECT_EQ(installed.callNames(),
              (std::vector<std::string>{"GetSystemDirectory", "FindFirstFile", "FindClose",
                                        "CreateFile"}));
}

TEST(CloseHardwareDriver, ClosesTheDeviceAndEmptiesTheReference) {
    SimSystem system(running());
    ServiceDriverHost host(system.services());
    std::unique_ptr<HardwareDriver> driver =
        host.openHardwareDriver(kProgramDirectory, false, false);
    ASSERT_NE(driver, nullptr);
    EXPECT_TRUE(driver->isActive());
    CloseHardwareDriver(driver);
    EXPECT_EQ(driver, nullptr);
    EXPECT_EQ(system.services().calls().back(), "CloseHandle(1)");
    EXPECT_EQ(system.services().openHandleCount(), 0u);

    CloseHardwareDriver(driver);  // nothing held: nothing to close
    EXPECT_EQ(system.services().calls().size(), 2u);

    DriverRecord record;
    CloseDriverDevice(system.services(), record);
    EXPECT_EQ(system.services().calls().size(), 2u) << "a record without a device closes nothing";
}

TEST(ServiceDriverHost, InactiveDriversOpenAndFailedOpensSayWhy) {
    SimDriverSetup inactive = running();
    inactive.driverActive = false;
    SimSystem quiet(inactive);
    ServiceDriverHost quietHost(quiet.services());
    auto driver = quietHost.openHardwareDriver(kProgramDirectory, false, false);
    ASSERT_NE(driver, nullptr);
    EXPECT_FALSE(driver->isActive());
    EXPECT_EQ(quietHost.lastFailureReason(), "");

    SimDriverSetup absent = missing();
    absent.failureNote = "no driver on this machine";
    SimSystem system(absent);
    ServiceDriverHost host(system.services());
    EXPECT_EQ(host.openHardwareDriver(kProgramDirectory, false, false), nullptr);
    EXPECT_EQ(host.lastFailureReason(), "no driver on this machine");
}

// The platforms' host: the services it made from its arguments are the ones
// the opening steps call, and the device closes through them.
TEST(OwningServiceDriverHost, OpensAndClosesThroughTheServicesItOwns) {
    sim::MachineProfile profile;
    sim::SimPortSpace ports(profile.superio, profile.pci);
    sim::SimPhysicalMemory memory(profile.memory);
    OwningServiceDriverHost<SimDriverServices> host(running(), ports, memory);
    auto driver = host.openHardwareDriver(kProgramDirectory, false, false);
    ASSERT_NE(driver, nullptr);
    EXPECT_TRUE(driver->isActive());
    EXPECT_EQ(host.services().openHandleCount(), 1u);
    driver.reset();
    EXPECT_EQ(host.services().calls().back(), "CloseHandle(1)");

    SimDriverSetup absent = missing();
    absent.failureNote = "no driver here";
    OwningServiceDriverHost<SimDriverServices> failing(absent, ports, memory);
    EXPECT_EQ(failing.openHardwareDriver(kProgramDirectory, false, false), nullptr);
    EXPECT_EQ(failing.lastFailureReason(), "no driver here");
}

}  // namespace
}  // namespace romwise

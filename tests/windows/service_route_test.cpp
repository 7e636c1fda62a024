// The service route of the driver's opening on a real service control
// manager (wine's): with no driver to open, the shared opening steps register
// the kernel-driver service with the definition Windows needs, copy the
// program's driver file into the Drivers folder without ever overwriting
// one there, and on the next run find the service existing. Only under wine:
// the test registers and deletes a service and writes into the system
// folder, which nobody should do on a real Windows.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "hw/driver_opening.h"
#include "platform/windows/windows_driver_services.h"
#include "platform/windows/windows_system_directories.h"
#include "wine_host.h"

namespace romwise {
namespace {

using test::ScratchFolder;

// Passes every call on and records what service creation answered.
class RecordingServices final : public DriverServices {
  public:
    explicit RecordingServices(DriverServices& inner) : inner_(inner) {}

    struct Creation {
        bool created;
        std::uint32_t error;
    };
    std::vector<Creation> creations;
    int starts = 0;

    DeviceHandle openDevice(std::string_view path, const DeviceOpenParameters& p) override {
        return inner_.openDevice(path, p);
    }
    void closeDevice(DeviceHandle device) override { inner_.closeDevice(device); }
    std::unique_ptr<HardwareDriver> deviceDriver(const DriverRecord& record) override {
        return inner_.deviceDriver(record);
    }
    std::string systemDirectory() override { return inner_.systemDirectory(); }
    std::optional<std::string> wow64SystemDirectory() override {
        return inner_.wow64SystemDirectory();
    }
    FileSearchHandle findFirstFile(std::string_view path) override {
        return inner_.findFirstFile(path);
    }
    void findClose(FileSearchHandle search) override { inner_.findClose(search); }
    bool copyFile(std::string_view from, std::string_view to, bool failIfExists) override {
        return inner_.copyFile(from, to, failIfExists);
    }
    ServiceHandle openServiceManager(std::uint32_t access) override {
        return inner_.openServiceManager(access);
    }
    ServiceHandle openService(ServiceHandle manager, std::string_view name,
                              std::uint32_t access) override {
        return inner_.openService(manager, name, access);
    }
    bool startService(ServiceHandle service) override {
        ++starts;
        return inner_.startService(service);
    }
    ServiceHandle createService(ServiceHandle manager, const ServiceDefinition& d) override {
        const ServiceHandle service = inner_.createService(manager, d);
        creations.push_back({service != kNoServiceHandle, inner_.lastError()});
        return service;
    }
    void closeServiceHandle(ServiceHandle handle) override { inner_.closeServiceHandle(handle); }
    std::uint32_t lastError() override { return inner_.lastError(); }
    std::string failureNotes() const override { return inner_.failureNotes(); }
    void clearFailureNotes() override { inner_.clearFailureNotes(); }

  private:
    DriverServices& inner_;
};

struct ServiceConfig {
    DWORD type;
    DWORD startType;
    DWORD errorControl;
    std::string binaryPath;
};

// What the service manager says of a service, asked independently of the
// program (QueryServiceConfigA).
std::optional<ServiceConfig> queryServiceConfig(const char* name) {
    const SC_HANDLE manager = OpenSCManagerA(nullptr, nullptr, SC_MANAGER_CONNECT);
    if (manager == nullptr) {
        return std::nullopt;
    }
    std::optional<ServiceConfig> config;
    if (const SC_HANDLE service = OpenServiceA(manager, name, SERVICE_QUERY_CONFIG)) {
        DWORD needed = 0;
        QueryServiceConfigA(service, nullptr, 0, &needed);
        std::vector<unsigned char> buffer(needed);
        auto* info = reinterpret_cast<QUERY_SERVICE_CONFIGA*>(buffer.data());
        if (needed > 0 && QueryServiceConfigA(service, info, needed, &needed)) {
            config = ServiceConfig{info->dwServiceType, info->dwStartType, info->dwErrorControl,
                                   info->lpBinaryPathName ? info->lpBinaryPathName : ""};
        }
        CloseServiceHandle(service);
    }
    CloseServiceHandle(manager);
    return config;
}

void deleteService(const char* name) {
    const SC_HANDLE manager = OpenSCManagerA(nullptr, nullptr, SC_MANAGER_ALL_ACCESS);
    if (manager == nullptr) {
        return;
    }
    if (const SC_HANDLE service = OpenServiceA(manager, name, DELETE)) {
        DeleteService(service);
        CloseServiceHandle(service);
    }
    CloseServiceHandle(manager);
}

std::string lowerCase(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

class ServiceRoute : public ::testing::Test {
  protected:
    void SetUp() override {
        if (!test::runningUnderWine()) {
            GTEST_SKIP() << "registers a kernel-driver service: only in a throwaway wine prefix";
        }
        deleteService(kServiceName32);
        DeleteFileA(installedFile().c_str());
    }
    void TearDown() override {
        if (test::runningUnderWine()) {
            deleteService(kServiceName32);
            DeleteFileA(installedFile().c_str());
        }
    }
    static std::string installedFile() {
        return systemDirectory() + "\\Drivers\\" + kServiceName32 + ".SYS";
    }

    ScratchFolder program;
};

TEST_F(ServiceRoute, RegistersAnOnDemandKernelDriverAndFindsItExistingNextTime) {
    WindowsDriverServices windows({program.path()});
    RecordingServices services(windows);

    EXPECT_FALSE(OpenHardwareDriver(services, program.path(), false, false))
        << "there is no driver to start";
    const auto config = queryServiceConfig(kServiceName32);
    ASSERT_TRUE(config) << "the service was not registered";
    EXPECT_EQ(config->type, static_cast<DWORD>(SERVICE_KERNEL_DRIVER));
    EXPECT_EQ(config->startType, static_cast<DWORD>(SERVICE_DEMAND_START));
    EXPECT_EQ(config->errorControl, static_cast<DWORD>(SERVICE_ERROR_NORMAL));
    EXPECT_EQ(lowerCase(config->binaryPath), lowerCase(installedFile()))
        << "the executable is the copy in the system's Drivers folder";
    ASSERT_FALSE(services.creations.empty());
    EXPECT_TRUE(services.creations.front().created);

    // The next run (and already the second device name) finds it existing,
    // counts it as installed and tries to start it again.
    services.creations.clear();
    services.starts = 0;
    EXPECT_FALSE(OpenHardwareDriver(services, program.path(), false, false));
    ASSERT_EQ(services.creations.size(), 2u) << "one install per device name";
    for (const auto& creation : services.creations) {
        EXPECT_FALSE(creation.created);
        EXPECT_EQ(creation.error, kErrorServiceExists);
    }
    EXPECT_EQ(services.starts, 4) << "start, then start again after the install, per device name";

    const std::string notes = services.failureNotes();
    EXPECT_NE(notes.find("could not open \\\\.\\TVicDevice1, \\\\.\\TVicDevice0"),
              std::string::npos)
        << notes;
    EXPECT_NE(notes.find("the TVICHW32 service did not start"), std::string::npos) << notes;
    EXPECT_NE(notes.find(program.path() + "TVICHW32.SYS is missing"), std::string::npos) << notes;
    EXPECT_NE(notes.find("TVicHW32.dll was not found (looked in " + program.path() + ")"),
              std::string::npos)
        << notes;
}

TEST_F(ServiceRoute, CopiesTheProgramsDriverFileButNeverOverwritesOneThere) {
    test::writeFileBytes(program.file("TVICHW32.SYS"), "the program's first copy");
    WindowsDriverServices services({program.path()});
    EXPECT_FALSE(OpenHardwareDriver(services, program.path(), false, false));
    EXPECT_EQ(test::readFileBytes(installedFile()), "the program's first copy");

    test::writeFileBytes(program.file("TVICHW32.SYS"), "a newer copy");
    EXPECT_FALSE(OpenHardwareDriver(services, program.path(), false, false));
    EXPECT_EQ(test::readFileBytes(installedFile()), "the program's first copy");
}

}  // namespace
}  // namespace romwise

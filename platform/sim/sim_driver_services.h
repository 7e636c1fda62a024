// The simulated system under the hardware-access driver: its files, its
// service manager with the driver's service, and the driver's devices. It
// answers the opening steps the way the real system would and records every
// call, so each branch of the opening can be followed call by call.
#pragma once

#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "hw/driver_services.h"
#include "platform/sim/machine_profile.h"
#include "platform/sim/sim_physical_memory.h"
#include "platform/sim/sim_port_space.h"

namespace romwise::sim {

// The state of the simulated system before the first call. The profile's
// `driver` value chooses it (simDriverSetupFor); tests may change it.
struct SimDriverSetup {
    // The program's directory holds the driver files (TVICHW32.SYS,
    // TVICHW64.SYS, TVICHW32.vxd, TVICHW64.vxd).
    bool programHasDriverFiles = true;
    // Both services are registered, with their driver files in place.
    bool serviceInstalled = false;
    // false: the services are registered but their driver files are gone.
    bool installedFilesPresent = true;
    bool serviceRunning = false;
    // The activity check's answer once the device is open.
    bool driverActive = true;
    bool romMappable = true;
    // The service manager opens only for an administrator.
    bool administrator = true;
    // The devices a running driver creates.
    std::set<std::string> deviceNames = {"TVicDevice1", "TVicDevice0"};
    std::string systemDirectory = "C:\\WINDOWS\\system32";
    std::optional<std::string> wow64Directory;
    // Further files already on the system: path -> contents.
    std::map<std::string, std::string> files;
    // What a failed open tells the user, when anything.
    std::string failureNote;
};

SimDriverSetup simDriverSetupFor(const MachineProfile& profile);

class SimDriverServices final : public DriverServices {
  public:
    // What the copies of the program's driver files and the files of an
    // installed driver hold.
    static constexpr const char* kProgramCopy = "program's copy";
    static constexpr const char* kInstalledCopy = "installed copy";

    static constexpr std::uint32_t kErrorFileNotFound = 2;
    static constexpr std::uint32_t kErrorAccessDenied = 5;
    static constexpr std::uint32_t kErrorFileExists = 80;
    static constexpr std::uint32_t kErrorServiceDoesNotExist = 1060;

    SimDriverServices(SimDriverSetup setup, SimPortSpace& ports, const SimPhysicalMemory& memory);

    DeviceHandle openDevice(std::string_view path, const DeviceOpenParameters& parameters) override;
    void closeDevice(DeviceHandle device) override;
    std::unique_ptr<HardwareDriver> deviceDriver(const DriverRecord& record) override;
    std::string systemDirectory() override;
    std::optional<std::string> wow64SystemDirectory() override;
    FileSearchHandle findFirstFile(std::string_view path) override;
    void findClose(FileSearchHandle search) override;
    bool copyFile(std::string_view source, std::string_view target, bool failIfExists) override;
    ServiceHandle openServiceManager(std::uint32_t desiredAccess) override;
    ServiceHandle openService(ServiceHandle manager, std::string_view serviceName,
                              std::uint32_t desiredAccess) override;
    bool startService(ServiceHandle service) override;
    ServiceHandle createService(ServiceHandle manager,
                                const ServiceDefinition& definition) override;
    void closeServiceHandle(ServiceHandle handle) override;
    std::uint32_t lastError() override;
    std::string failureNotes() const override { return failedOpens_ ? setup_.failureNote : ""; }
    void clearFailureNotes() override { failedOpens_ = false; }

    // Every call so far, one line each, e.g. "CreateFile(\\.\TVicDevice1,
    // 1, 0, 3, 80h) = 1", "OpenSCManager(F003Fh) = 0", "GetLastError() = 1056".
    const std::vector<std::string>& calls() const { return calls_; }
    void clearCalls() { calls_.clear(); }

    // What the system holds now.
    const std::map<std::string, std::string>& files() const { return files_; }
    bool serviceRunning(const std::string& name) const;
    std::optional<std::string> serviceBinaryPath(const std::string& name) const;
    // Handles given out and not closed yet.
    std::size_t openHandleCount() const;

  private:
    struct Service {
        std::string binaryPath;
        bool running = false;
    };

    bool sourceFileExists(std::string_view path) const;
    bool deviceAvailable(std::string_view path) const;
    std::intptr_t nextHandle() { return nextHandle_++; }
    void record(std::string line) { calls_.push_back(std::move(line)); }
    std::uint32_t fail(std::uint32_t error) { return lastError_ = error; }

    SimDriverSetup setup_;
    SimPortSpace& ports_;
    const SimPhysicalMemory& memory_;
    std::map<std::string, std::string> files_;
    std::map<std::string, Service> services_;
    std::set<DeviceHandle> devices_;
    std::set<FileSearchHandle> searches_;
    std::set<ServiceHandle> managers_;
    std::map<ServiceHandle, std::string> serviceHandles_;
    std::intptr_t nextHandle_ = 1;
    std::uint32_t lastError_ = 0;
    bool failedOpens_ = false;
    std::vector<std::string> calls_;
};

}  // namespace romwise::sim

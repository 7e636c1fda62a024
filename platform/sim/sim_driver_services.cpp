#include "platform/sim/sim_driver_services.h"

#include <array>
#include <cstdio>

#include "hw/driver_opening.h"
#include "platform/encoding/text_encoding.h"
#include "platform/sim/sim_port_driver.h"

namespace romwise::sim {

namespace {

constexpr std::array<const char*, 4> kDriverFileNames = {"TVICHW32.SYS", "TVICHW64.SYS",
                                                         "TVICHW32.vxd", "TVICHW64.vxd"};
constexpr const char* kMissingDriverNote =
    "the machine profile has no hardware-access driver (driver: missing)";
constexpr std::uint32_t kWindows9xPlatform = 1;

std::string hex(std::uint32_t value) {
    char text[16];
    std::snprintf(text, sizeof text, "%Xh", static_cast<unsigned>(value));
    return text;
}

std::string number(std::intptr_t value) {
    return std::to_string(value);
}

std::string_view fileNameOf(std::string_view path) {
    const std::size_t separator = path.find_last_of("\\/");
    return separator == std::string_view::npos ? path : path.substr(separator + 1);
}

bool endsWith(std::string_view text, std::string_view tail) {
    return text.size() >= tail.size() && text.substr(text.size() - tail.size()) == tail;
}

}  // namespace

SimDriverSetup simDriverSetupFor(const MachineProfile& profile) {
    SimDriverSetup setup;
    setup.administrator = profile.administrator;
    setup.romMappable = profile.romMappable;
    setup.wow64Directory = profile.os.wow64Directory;
    if (profile.os.family == OsFamily::Windows && profile.os.platformId == kWindows9xPlatform) {
        setup.systemDirectory = "C:\\WINDOWS\\SYSTEM";
    }
    switch (profile.driver) {
        case DriverOutcome::Direct:
            setup.serviceInstalled = true;
            setup.serviceRunning = true;
            break;
        case DriverOutcome::Inactive:
            setup.serviceInstalled = true;
            setup.serviceRunning = true;
            setup.driverActive = false;
            break;
        case DriverOutcome::AfterStart:
            setup.serviceInstalled = true;
            break;
        case DriverOutcome::AfterInstall:
            break;
        case DriverOutcome::Missing:
            setup.programHasDriverFiles = false;
            setup.failureNote = kMissingDriverNote;
            if (profile.driverFailure.has_value()) {
                setup.failureNote = utf8ToWindows1252(profile.driverFailure.value());
            }
            break;
    }
    return setup;
}

SimDriverServices::SimDriverServices(SimDriverSetup setup, SimPortSpace& ports,
                                     const SimPhysicalMemory& memory)
    : setup_(std::move(setup)), ports_(ports), memory_(memory), files_(setup_.files) {
    if (!setup_.serviceInstalled) {
        return;
    }
    const std::string& system = setup_.systemDirectory;
    const std::string& system64 = setup_.wow64Directory ? *setup_.wow64Directory : system;
    const std::string driver32 = system + "\\Drivers\\TVICHW32.SYS";
    const std::string driver64 = system64 + "\\Drivers\\TVICHW64.SYS";
    if (setup_.installedFilesPresent) {
        for (const std::string& path :
             {driver32, driver64, system + "\\TVICHW32.vxd", system + "\\TVICHW64.vxd"}) {
            files_.emplace(path, kInstalledCopy);
        }
    }
    services_[kServiceName32] = Service{driver32, setup_.serviceRunning};
    services_[kServiceName64] = Service{driver64, setup_.serviceRunning};
}

bool SimDriverServices::deviceAvailable(std::string_view path) const {
    const std::string_view prefix = kDevicePathPrefix;
    if (path.substr(0, prefix.size()) != prefix) {
        return false;
    }
    const std::string_view name = path.substr(prefix.size());
    if (endsWith(name, ".vxd")) {
        // Windows 9x loads the virtual device from the system directory.
        return files_.count(setup_.systemDirectory + "\\" + std::string(name)) != 0;
    }
    if (setup_.deviceNames.count(std::string(name)) == 0) {
        return false;
    }
    for (const auto& [serviceName, service] : services_) {
        if (service.running) {
            return true;
        }
    }
    return false;
}

DeviceHandle SimDriverServices::openDevice(std::string_view path,
                                           const DeviceOpenParameters& parameters) {
    DeviceHandle device = kNoDevice;
    if (deviceAvailable(path)) {
        device = nextHandle();
        devices_.insert(device);
    } else {
        fail(kErrorFileNotFound);
        failedOpens_ = true;
    }
    record("CreateFile(" + std::string(path) + ", " + std::to_string(parameters.access) + ", " +
           std::to_string(parameters.shareMode) + ", " +
           std::to_string(parameters.creationDisposition) + ", " +
           hex(parameters.flagsAndAttributes) + ") = " + number(device));
    return device;
}

void SimDriverServices::closeDevice(DeviceHandle device) {
    record("CloseHandle(" + number(device) + ")");
    devices_.erase(device);
}

std::unique_ptr<HardwareDriver> SimDriverServices::deviceDriver(const DriverRecord& record) {
    if (devices_.count(record.deviceHandle) == 0) {
        return nullptr;
    }
    return std::make_unique<SimPortDriver>(ports_, memory_, setup_.driverActive,
                                           setup_.romMappable);
}

std::string SimDriverServices::systemDirectory() {
    record("GetSystemDirectory() = " + setup_.systemDirectory);
    return setup_.systemDirectory;
}

std::optional<std::string> SimDriverServices::wow64SystemDirectory() {
    record("GetSystemWow64Directory() = " +
           (setup_.wow64Directory ? *setup_.wow64Directory : std::string("none")));
    return setup_.wow64Directory;
}

FileSearchHandle SimDriverServices::findFirstFile(std::string_view path) {
    FileSearchHandle search = kNoFileSearch;
    if (files_.count(std::string(path)) != 0) {
        search = nextHandle();
        searches_.insert(search);
    } else {
        fail(kErrorFileNotFound);
    }
    record("FindFirstFile(" + std::string(path) + ") = " + number(search));
    return search;
}

void SimDriverServices::findClose(FileSearchHandle search) {
    record("FindClose(" + number(search) + ")");
    searches_.erase(search);
}

bool SimDriverServices::sourceFileExists(std::string_view path) const {
    if (files_.count(std::string(path)) != 0) {
        return true;
    }
    if (!setup_.programHasDriverFiles) {
        return false;
    }
    for (const char* name : kDriverFileNames) {
        if (fileNameOf(path) == name) {
            return true;
        }
    }
    return false;
}

bool SimDriverServices::copyFile(std::string_view source, std::string_view target,
                                 bool failIfExists) {
    bool copied = false;
    if (!sourceFileExists(source)) {
        fail(kErrorFileNotFound);
    } else if (failIfExists && files_.count(std::string(target)) != 0) {
        fail(kErrorFileExists);
    } else {
        const auto found = files_.find(std::string(source));
        files_[std::string(target)] = found != files_.end() ? found->second : kProgramCopy;
        copied = true;
    }
    record("CopyFile(" + std::string(source) + ", " + std::string(target) + ", " +
           (failIfExists ? "1" : "0") + ") = " + (copied ? "1" : "0"));
    return copied;
}

ServiceHandle SimDriverServices::openServiceManager(std::uint32_t desiredAccess) {
    ServiceHandle manager = kNoServiceHandle;
    if (setup_.administrator) {
        manager = static_cast<ServiceHandle>(nextHandle());
        managers_.insert(manager);
    } else {
        fail(kErrorAccessDenied);
    }
    record("OpenSCManager(" + hex(desiredAccess) + ") = " + std::to_string(manager));
    return manager;
}

ServiceHandle SimDriverServices::openService(ServiceHandle manager, std::string_view serviceName,
                                             std::uint32_t desiredAccess) {
    ServiceHandle service = kNoServiceHandle;
    const std::string name(serviceName);
    if (managers_.count(manager) == 0) {
        fail(kErrorAccessDenied);
    } else if (services_.count(name) == 0) {
        fail(kErrorServiceDoesNotExist);
    } else {
        service = static_cast<ServiceHandle>(nextHandle());
        serviceHandles_[service] = name;
    }
    record("OpenService(" + std::to_string(manager) + ", " + name + ", " + hex(desiredAccess) +
           ") = " + std::to_string(service));
    return service;
}

bool SimDriverServices::startService(ServiceHandle service) {
    bool started = false;
    const auto handle = serviceHandles_.find(service);
    if (handle == serviceHandles_.end()) {
        fail(kErrorAccessDenied);
    } else {
        Service& target = services_[handle->second];
        if (target.running) {
            fail(kErrorServiceAlreadyRunning);
        } else if (files_.count(target.binaryPath) == 0) {
            fail(kErrorFileNotFound);
        } else {
            target.running = true;
            lastError_ = 0;
            started = true;
        }
    }
    record("StartService(" + std::to_string(service) + ") = " + (started ? "1" : "0"));
    return started;
}

ServiceHandle SimDriverServices::createService(ServiceHandle manager,
                                               const ServiceDefinition& definition) {
    ServiceHandle service = kNoServiceHandle;
    if (managers_.count(manager) == 0) {
        fail(kErrorAccessDenied);
    } else if (services_.count(definition.serviceName) != 0) {
        fail(kErrorServiceExists);
    } else {
        services_[definition.serviceName] = Service{definition.binaryPath, false};
        service = static_cast<ServiceHandle>(nextHandle());
        serviceHandles_[service] = definition.serviceName;
    }
    record("CreateService(" + std::to_string(manager) + ", " + definition.serviceName + ", " +
           definition.displayName + ", " + hex(definition.desiredAccess) + ", " +
           std::to_string(definition.serviceType) + ", " + std::to_string(definition.startType) +
           ", " + std::to_string(definition.errorControl) + ", " + definition.binaryPath +
           ") = " + std::to_string(service));
    return service;
}

void SimDriverServices::closeServiceHandle(ServiceHandle handle) {
    record("CloseServiceHandle(" + std::to_string(handle) + ")");
    managers_.erase(handle);
    serviceHandles_.erase(handle);
}

std::uint32_t SimDriverServices::lastError() {
    record("GetLastError() = " + std::to_string(lastError_));
    return lastError_;
}

bool SimDriverServices::serviceRunning(const std::string& name) const {
    const auto found = services_.find(name);
    return found != services_.end() && found->second.running;
}

std::optional<std::string> SimDriverServices::serviceBinaryPath(const std::string& name) const {
    const auto found = services_.find(name);
    if (found == services_.end()) {
        return std::nullopt;
    }
    return found->second.binaryPath;
}

std::size_t SimDriverServices::openHandleCount() const {
    return devices_.size() + searches_.size() + managers_.size() + serviceHandles_.size();
}

}  // namespace romwise::sim

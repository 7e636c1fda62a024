#include "hw/driver_opening.h"

#include <string>

namespace romwise {

namespace {

constexpr const char* kVirtualDeviceExtension = ".vxd";
constexpr const char* kKernelDriverExtension = ".SYS";
constexpr const char* kDriversFolder = "\\Drivers\\";

std::string joined(std::string_view first, std::string_view second, std::string_view third = {}) {
    std::string text;
    text.reserve(first.size() + second.size() + third.size());
    text.append(first).append(second).append(third);
    return text;
}

// Only whether the file exists is asked; the search is released at once.
bool FileExists(DriverServices& services, const std::string& path) {
    const FileSearchHandle search = services.findFirstFile(path);
    if (search == kNoFileSearch) {
        return false;
    }
    services.findClose(search);
    return true;
}

// Copies `source` to `target` unless the target exists; an existing target
// is never overwritten, even when it differs from the program's copy.
void CopyUnlessPresent(DriverServices& services, const std::string& source,
                       const std::string& target) {
    if (!FileExists(services, target)) {
        services.copyFile(source, target, true);
    }
}

DeviceHandle OpenDevice(DriverServices& services, const std::string& path) {
    return services.openDevice(path, kDriverDeviceOpen);
}

void CloseServiceManager(DriverServices& services, DriverRecord& record) {
    services.closeServiceHandle(record.serviceManager);
    record.serviceManager = kNoServiceHandle;
}

// Windows 9x: the virtual device file goes into the system directory and is
// opened by its own name; no service is involved and nothing is retried.
void OpenVirtualDevice(DriverServices& services, DriverRecord& record,
                       std::string_view sourceDirectory) {
    const std::string fileName = joined(record.serviceName, kVirtualDeviceExtension);
    const std::string systemDirectory = services.systemDirectory();
    if (!systemDirectory.empty()) {
        CopyUnlessPresent(services, joined(sourceDirectory, fileName),
                          joined(systemDirectory, "\\", fileName));
    }
    record.openedDirectly = true;
    record.deviceHandle = OpenDevice(services, joined(kDevicePathPrefix, fileName));
}

void OpenServiceDevice(DriverServices& services, DriverRecord& record,
                       std::string_view sourceDirectory, std::string_view deviceName,
                       bool is64Bit) {
    const std::string devicePath = joined(kDevicePathPrefix, deviceName);
    record.openedDirectly = true;
    record.deviceHandle = OpenDevice(services, devicePath);
    if (record.deviceHandle != kNoDevice) {
        return;
    }

    record.openedDirectly = false;
    record.serviceManager = services.openServiceManager(kServiceManagerAllAccess);
    if (record.serviceManager == kNoServiceHandle) {
        return;
    }
    if (StartDriverService(services, record)) {
        record.deviceHandle = OpenDevice(services, devicePath);
        CloseServiceManager(services, record);
        return;
    }
    if (InstallDriverService(services, record, sourceDirectory, is64Bit) &&
        StartDriverService(services, record)) {
        record.deviceHandle = OpenDevice(services, devicePath);
    }
    CloseServiceManager(services, record);
}

}  // namespace

std::optional<DriverRecord> OpenHardwareDriver(DriverServices& services,
                                               std::string_view programDirectory, bool is64Bit,
                                               bool isWin9x) {
    const char* serviceName = is64Bit ? kServiceName64 : kServiceName32;
    DriverRecord record;
    for (const char* deviceName : kDriverDeviceNames) {
        OpenDriverDevice(services, record, serviceName, programDirectory, deviceName, is64Bit,
                         isWin9x);
        if (record.deviceHandle != kNoDevice) {
            return record;
        }
    }
    return std::nullopt;
}

void OpenDriverDevice(DriverServices& services, DriverRecord& record, std::string_view serviceName,
                      std::string_view sourceDirectory, std::string_view deviceName, bool is64Bit,
                      bool isWin9x) {
    record.deviceHandle = kNoDevice;
    record.isWin9x = isWin9x;
    record.serviceName.assign(serviceName);
    record.controlCodes = isWin9x ? kWin9xControlCodes : kNtControlCodes;
    if (isWin9x) {
        OpenVirtualDevice(services, record, sourceDirectory);
    } else {
        OpenServiceDevice(services, record, sourceDirectory, deviceName, is64Bit);
    }
}

bool StartDriverService(DriverServices& services, const DriverRecord& record) {
    const ServiceHandle service =
        services.openService(record.serviceManager, record.serviceName, kServiceAllAccess);
    if (service == kNoServiceHandle) {
        return false;
    }
    const bool started = services.startService(service);
    const std::uint32_t error = services.lastError();
    services.closeServiceHandle(service);
    return started || error == kErrorServiceAlreadyRunning;
}

bool InstallDriverService(DriverServices& services, const DriverRecord& record,
                          std::string_view sourceDirectory, bool is64Bit) {
    // Without a system directory there is nowhere sound to put the driver.
    std::optional<std::string> systemDirectory;
    if (is64Bit) {
        systemDirectory = services.wow64SystemDirectory();
    } else {
        systemDirectory = services.systemDirectory();
    }
    if (!systemDirectory || systemDirectory->empty()) {
        return false;
    }
    const std::string fileName = joined(record.serviceName, kKernelDriverExtension);
    const std::string target = joined(*systemDirectory, kDriversFolder, fileName);
    CopyUnlessPresent(services, joined(sourceDirectory, fileName), target);

    ServiceDefinition definition;
    definition.serviceName = record.serviceName;
    definition.displayName = record.serviceName;
    definition.desiredAccess = kServiceAllAccess;
    definition.serviceType = kServiceTypeKernelDriver;
    definition.startType = kServiceStartOnDemand;
    definition.errorControl = kServiceErrorNormal;
    definition.binaryPath = target;
    const ServiceHandle service = services.createService(record.serviceManager, definition);
    if (service == kNoServiceHandle) {
        return services.lastError() == kErrorServiceExists;
    }
    services.closeServiceHandle(service);
    return true;
}

void CloseDriverDevice(DriverServices& services, DriverRecord& record) {
    if (record.deviceHandle != kNoDevice) {
        services.closeDevice(record.deviceHandle);
        record.deviceHandle = kNoDevice;
    }
}

void CloseHardwareDriver(std::unique_ptr<HardwareDriver>& driver) {
    driver.reset();
}

}  // namespace romwise

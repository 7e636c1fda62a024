// The platform operations that installing and opening the hardware-access
// driver calls: opening and closing the driver's device, the system
// directories, finding and copying a file, and the service manager. Each
// platform supplies them; the opening steps themselves (driver_opening.h)
// are the same everywhere.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "hw/hardware_driver.h"

namespace romwise {

struct DriverRecord;

// An open device; kNoDevice when an open failed.
using DeviceHandle = std::intptr_t;
inline constexpr DeviceHandle kNoDevice = -1;

// A service manager or service handle; kNoServiceHandle when an open failed.
using ServiceHandle = std::uintptr_t;
inline constexpr ServiceHandle kNoServiceHandle = 0;

// A file search in progress; kNoFileSearch when nothing was found.
using FileSearchHandle = std::intptr_t;
inline constexpr FileSearchHandle kNoFileSearch = -1;

// How a device is opened: the access rights, the sharing, the creation
// disposition and the file attributes of the platform's file-open call.
struct DeviceOpenParameters {
    std::uint32_t access = 0;
    std::uint32_t shareMode = 0;
    std::uint32_t creationDisposition = 0;
    std::uint32_t flagsAndAttributes = 0;
};

// What registering a kernel-driver service passes.
struct ServiceDefinition {
    std::string serviceName;
    std::string displayName;
    std::uint32_t desiredAccess = 0;
    std::uint32_t serviceType = 0;
    std::uint32_t startType = 0;
    std::uint32_t errorControl = 0;
    std::string binaryPath;
};

class DriverServices {
  public:
    virtual ~DriverServices() = default;

    virtual DeviceHandle openDevice(std::string_view path,
                                    const DeviceOpenParameters& parameters) = 0;
    virtual void closeDevice(DeviceHandle device) = 0;

    // Port and ROM access through the device the opening steps opened; its
    // activity check is the driver's own. The whole record is handed over,
    // because a platform's driver library may read more of it than the
    // device (Windows: the package's DLL reads the record as the steps left
    // it). nullptr when the platform cannot use the device. Notes on why the
    // device cannot be used go to failureNotes().
    virtual std::unique_ptr<HardwareDriver> deviceDriver(const DriverRecord& record) = 0;

    // The system directory, without a trailing separator; empty when the
    // platform has none.
    virtual std::string systemDirectory() = 0;
    // The WOW64 system directory; nothing when the platform has no such
    // directory or cannot say where it is.
    virtual std::optional<std::string> wow64SystemDirectory() = 0;

    virtual FileSearchHandle findFirstFile(std::string_view path) = 0;
    virtual void findClose(FileSearchHandle search) = 0;
    virtual bool copyFile(std::string_view source, std::string_view target, bool failIfExists) = 0;

    virtual ServiceHandle openServiceManager(std::uint32_t desiredAccess) = 0;
    virtual ServiceHandle openService(ServiceHandle manager, std::string_view serviceName,
                                      std::uint32_t desiredAccess) = 0;
    // Starts the service without arguments.
    virtual bool startService(ServiceHandle service) = 0;
    virtual ServiceHandle createService(ServiceHandle manager,
                                        const ServiceDefinition& definition) = 0;
    virtual void closeServiceHandle(ServiceHandle handle) = 0;

    // The error code of the last operation that failed.
    virtual std::uint32_t lastError() = 0;

    // Notes on why device opens failed since the last clearFailureNotes(),
    // worded for a user (which access methods were tried, the system's
    // answer to each); empty when the platform has nothing to add.
    virtual std::string failureNotes() const { return {}; }
    virtual void clearFailureNotes() {}
};

}  // namespace romwise

// Installing, opening and closing the hardware-access driver: open its
// device directly, else start its kernel service, else install the service
// (copying the driver file into the system's drivers folder) and start it,
// then open the device again; all of it once for each of the two device
// names. Windows 9x loads a virtual device file instead and has no service.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "hw/driver_services.h"
#include "hw/hardware_driver.h"

namespace romwise {

// The control codes of the driver's port requests, chosen by platform.
struct DriverControlCodes {
    std::uint32_t readCode = 0;
    std::uint32_t writeByteCode = 0;
    std::uint32_t writeDwordCode = 0;

    friend bool operator==(const DriverControlCodes&, const DriverControlCodes&) = default;
};

inline constexpr DriverControlCodes kNtControlCodes{0x80002030, 0x80002034, 0x8000203C};
inline constexpr DriverControlCodes kWin9xControlCodes{12, 13, 15};

inline constexpr const char* kServiceName32 = "TVICHW32";
inline constexpr const char* kServiceName64 = "TVICHW64";
// Tried in this order.
inline constexpr std::array<const char*, 2> kDriverDeviceNames = {"TVicDevice1", "TVicDevice0"};
inline constexpr const char* kDevicePathPrefix = "\\\\.\\";

// Read access, no sharing, open existing, normal attributes.
inline constexpr DeviceOpenParameters kDriverDeviceOpen{1, 0, 3, 0x80};

inline constexpr std::uint32_t kServiceManagerAllAccess = 0xF003F;
inline constexpr std::uint32_t kServiceAllAccess = 0xF01FF;
inline constexpr std::uint32_t kServiceTypeKernelDriver = 1;
inline constexpr std::uint32_t kServiceStartOnDemand = 3;
inline constexpr std::uint32_t kServiceErrorNormal = 1;

inline constexpr std::uint32_t kErrorServiceAlreadyRunning = 1056;
inline constexpr std::uint32_t kErrorServiceExists = 1073;

// The opened driver as the port and ROM access reads it.
struct DriverRecord {
    DeviceHandle deviceHandle = kNoDevice;
    bool isWin9x = false;
    // True while a direct open is tried; false once the service route is
    // taken, also when that route then opens the device.
    bool openedDirectly = false;
    // Valid only inside the service route.
    ServiceHandle serviceManager = kNoServiceHandle;
    std::string serviceName;  // at most 11 characters
    DriverControlCodes controlCodes = kNtControlCodes;
};

// Opens the device under "TVicDevice1", else under "TVicDevice0"; the
// record when one opened, nothing otherwise. `programDirectory` holds the
// driver files and ends in its separator.
std::optional<DriverRecord> OpenHardwareDriver(DriverServices& services,
                                               std::string_view programDirectory, bool is64Bit,
                                               bool isWin9x);

// One whole attempt for one device name; `record.deviceHandle` says
// whether it opened.
void OpenDriverDevice(DriverServices& services, DriverRecord& record, std::string_view serviceName,
                      std::string_view sourceDirectory, std::string_view deviceName, bool is64Bit,
                      bool isWin9x);

// Starts the record's service through its open service manager; a service
// that is already running counts as started.
bool StartDriverService(DriverServices& services, const DriverRecord& record);

// Copies the driver file next to the system's drivers unless a file of that
// name is there already, and registers the kernel service; a service that
// exists from an earlier run counts as installed.
bool InstallDriverService(DriverServices& services, const DriverRecord& record,
                          std::string_view sourceDirectory, bool is64Bit);

// Closes the record's device, if open, and marks it not open.
void CloseDriverDevice(DriverServices& services, DriverRecord& record);

// Closes the process's driver and empties the reference to it, so that the
// next detection pass opens the driver again.
void CloseHardwareDriver(std::unique_ptr<HardwareDriver>& driver);

}  // namespace romwise

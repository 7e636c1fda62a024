// The system under the hardware-access driver on Windows: the driver's
// device (CreateFileA), the system directories, file search and copy, and
// the service control manager. The opening steps themselves are the shared
// ones (hw/driver_opening.h). Every failure is remembered, so that a failed
// open can tell the user which device paths were tried, what the service
// manager answered, what was missing where, and whether TVicHW32.dll is
// there.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "hw/driver_services.h"

namespace romwise {

class WindowsDriverServices final : public DriverServices {
  public:
    // TVicHW32.dll is looked for in `librarySearchFolders`, in order.
    WindowsDriverServices();
    explicit WindowsDriverServices(std::vector<std::string> librarySearchFolders);

    DeviceHandle openDevice(std::string_view path, const DeviceOpenParameters& parameters) override;
    void closeDevice(DeviceHandle device) override;
    // The device's port requests; the activity check and the ROM window
    // need TVicHW32.dll, without which the driver is inactive.
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
    // GetLastError() as it was right after the last operation that failed.
    std::uint32_t lastError() override { return lastError_; }
    std::string failureNotes() const override;
    void clearFailureNotes() override;

  private:
    struct FailedOpen {
        std::string path;
        std::uint32_t error;
    };

    std::uint32_t takeLastError();
    void note(std::string text);

    std::vector<std::string> librarySearchFolders_;
    std::uint32_t lastError_ = 0;
    std::vector<FailedOpen> failedOpens_;
    std::vector<std::string> notes_;
    std::map<ServiceHandle, std::string> serviceNames_;
};

}  // namespace romwise

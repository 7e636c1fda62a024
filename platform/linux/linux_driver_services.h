// The system under the hardware-access driver on Linux: port and ROM
// access. The driver's two devices stand for the two ways Linux offers to
// user space: "TVicDevice1" for the port instructions (after ioperm() or
// iopl()), "TVicDevice0" for the kernel's /dev/port. The ROM window is a
// read-only mapping of /dev/mem. There is no service manager, so a device
// that does not open stays closed, and the reason says which ways were
// tried and what the system answered.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "hw/driver_services.h"
#include "platform/linux/linux_lockdown.h"

namespace romwise {

class LinuxDriverServices final : public DriverServices {
  public:
    explicit LinuxDriverServices(std::string portDevicePath = "/dev/port",
                                 std::string lockdownPath = kLockdownPath)
        : portDevicePath_(std::move(portDevicePath)), lockdownPath_(std::move(lockdownPath)) {}
    ~LinuxDriverServices() override;
    LinuxDriverServices(const LinuxDriverServices&) = delete;
    LinuxDriverServices& operator=(const LinuxDriverServices&) = delete;

    DeviceHandle openDevice(std::string_view path, const DeviceOpenParameters& parameters) override;
    void closeDevice(DeviceHandle device) override;
    std::unique_ptr<HardwareDriver> deviceDriver(const DriverRecord& record) override;
    // No system directories, files to install or services on Linux.
    std::string systemDirectory() override { return {}; }
    std::optional<std::string> wow64SystemDirectory() override { return std::nullopt; }
    FileSearchHandle findFirstFile(std::string_view path) override;
    void findClose(FileSearchHandle) override {}
    bool copyFile(std::string_view source, std::string_view target, bool failIfExists) override;
    ServiceHandle openServiceManager(std::uint32_t desiredAccess) override;
    ServiceHandle openService(ServiceHandle, std::string_view, std::uint32_t) override;
    bool startService(ServiceHandle service) override;
    ServiceHandle createService(ServiceHandle, const ServiceDefinition&) override;
    void closeServiceHandle(ServiceHandle) override {}
    // The errno value of the last operation that failed.
    std::uint32_t lastError() override { return lastError_; }
    std::string failureNotes() const override;
    void clearFailureNotes() override {
        notes_.clear();
        serviceManagerAsked_ = false;
    }

  private:
    enum class DeviceKind { PortInstructions, PortFile };
    struct OpenedDevice {
        DeviceKind kind;
        int fd;                     // PortFile only
        std::uint32_t portsOpened;  // PortInstructions: ports below this are open
    };

    DeviceHandle openPortInstructions();
    DeviceHandle openPortFile();
    DeviceHandle failOpen(int error, std::string note);

    std::string portDevicePath_;
    std::string lockdownPath_;
    std::map<DeviceHandle, OpenedDevice> devices_;
    DeviceHandle nextHandle_ = 1;
    std::uint32_t lastError_ = 0;
    std::vector<std::string> notes_;
    bool serviceManagerAsked_ = false;
};

}  // namespace romwise

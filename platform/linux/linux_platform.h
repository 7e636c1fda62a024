// This computer, on Linux.
#pragma once

#include <memory>

#include "app/platform.h"
#include "platform/linux/linux_hardware.h"
#include "platform/linux/linux_os_services.h"
#include "platform/linux/linux_processor_access.h"

namespace romwise {

// Opens addresses with xdg-open, and starts the standard browser directly.
class LinuxShell final : public Shell {
  public:
    bool openAddress(const std::string& address) override;
    bool startBrowser(const std::string& parameters) override;
};

class LinuxPlatform final : public Platform {
  public:
    OsServices& os() override { return os_; }
    DriverHost& driverHost() override { return driverHost_; }
    ProcessorAccess& processor() override { return processor_; }
    Shell& shell() override { return shell_; }
    std::unique_ptr<PhysicalMemoryWindow> createPhysicalMemoryWindow() override;
    std::unique_ptr<PciConfigAccess> createPciConfigAccess(HardwareDriver& driver) override;

  private:
    LinuxOsServices os_;
    LinuxDriverHost driverHost_;
    LinuxProcessorAccess processor_;
    LinuxShell shell_;
};

}  // namespace romwise

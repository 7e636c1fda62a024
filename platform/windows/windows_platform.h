// This computer, on Windows.
#pragma once

#include <memory>

#include "hw/service_driver_host.h"
#include "hw/system_firmware.h"
#include "model/platform.h"
#include "platform/windows/windows_driver_services.h"
#include "platform/windows/windows_firmware_tables.h"
#include "platform/windows/windows_os_services.h"
#include "platform/windows/windows_processor_access.h"
#include "platform/windows/windows_shell.h"
#include "platform/windows/windows_system_firmware.h"

namespace romwise {

class WindowsPlatform final : public Platform {
  public:
    OsServices& os() override { return os_; }
    DriverHost& driverHost() override { return driverHost_; }
    ProcessorAccess& processor() override { return processor_; }
    Shell& shell() override { return shell_; }
    std::unique_ptr<PhysicalMemoryWindow> createPhysicalMemoryWindow() override;
    FirmwareTables& firmwareTables() override { return firmwareTables_; }
    SystemFirmware& systemFirmware() override { return systemFirmware_; }
    // Configuration mechanism #1 through the driver's port requests: Windows
    // offers user mode no configuration space of its own.
    std::unique_ptr<PciConfigAccess> createPciConfigAccess(HardwareDriver& driver) override;

  private:
    WindowsOsServices os_;
    OwningServiceDriverHost<WindowsDriverServices> driverHost_;
    WindowsProcessorAccess processor_;
    WindowsShell shell_;
    WindowsFirmwareTables firmwareTables_;
    WindowsSystemFirmware systemFirmware_;
};

}  // namespace romwise

// This computer, on Linux.
#pragma once

#include <memory>

#include "hw/pci_config_access.h"
#include "hw/physical_memory_window.h"
#include "hw/service_driver_host.h"
#include "model/platform.h"
#include "platform/linux/linux_driver_services.h"
#include "platform/linux/linux_firmware_tables.h"
#include "platform/linux/linux_os_services.h"
#include "platform/linux/linux_processor_access.h"
#include "platform/linux/linux_shell.h"
#include "platform/linux/linux_system_firmware.h"

namespace romwise {

class LinuxPlatform final : public Platform {
  public:
    OsServices& os() override { return os_; }
    DriverHost& driverHost() override { return driverHost_; }
    ProcessorAccess& processor() override { return processor_; }
    Shell& shell() override { return shell_; }
    std::unique_ptr<PhysicalMemoryWindow> createPhysicalMemoryWindow() override;
    FirmwareTables& firmwareTables() override { return firmwareTables_; }
    SystemFirmware& systemFirmware() override { return systemFirmware_; }
    std::unique_ptr<PciConfigAccess> createPciConfigAccess(HardwareDriver& driver) override;

  private:
    LinuxOsServices os_;
    OwningServiceDriverHost<LinuxDriverServices> driverHost_;
    LinuxProcessorAccess processor_;
    LinuxShell shell_;
    LinuxFirmwareTables firmwareTables_;
    LinuxSystemFirmware systemFirmware_;
};

}  // namespace romwise

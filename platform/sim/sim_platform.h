// A whole simulated machine built from a machine profile.
#pragma once

#include <memory>

#include "hw/pci_config_access.h"
#include "hw/physical_memory_window.h"
#include "hw/service_driver_host.h"
#include "hw/system_firmware.h"
#include "model/platform.h"
#include "platform/sim/machine_profile.h"
#include "platform/sim/sim_driver_services.h"
#include "platform/sim/sim_firmware_tables.h"
#include "platform/sim/sim_os_services.h"
#include "platform/sim/sim_physical_memory.h"
#include "platform/sim/sim_port_space.h"
#include "platform/sim/sim_processor_access.h"
#include "platform/sim/sim_shell.h"
#include "platform/sim/sim_system_firmware.h"

namespace romwise::sim {

// Owns the profile and every simulated device. Drivers, windows and PCI
// accesses it hands out refer to it and must not outlive it. State that real
// hardware keeps (Super I/O lock state and registers, a started driver
// service, the virtual clock) lasts as long as the platform.
class SimPlatform final : public Platform {
  public:
    explicit SimPlatform(MachineProfile profile);
    SimPlatform(const SimPlatform&) = delete;
    SimPlatform& operator=(const SimPlatform&) = delete;

    OsServices& os() override { return os_; }
    DriverHost& driverHost() override { return driverHost_; }
    ProcessorAccess& processor() override { return processor_; }
    Shell& shell() override { return shell_; }
    std::unique_ptr<PhysicalMemoryWindow> createPhysicalMemoryWindow() override;
    FirmwareTables& firmwareTables() override { return firmwareTables_; }
    SystemFirmware& systemFirmware() override { return systemFirmware_; }
    std::unique_ptr<PciConfigAccess> createPciConfigAccess(HardwareDriver& driver) override;

    const SimPhysicalMemory& physicalMemory() const { return memory_; }
    SimDriverServices& simDriverServices() { return driverHost_.services(); }
    SimShell& simShell() { return shell_; }

  private:
    const MachineProfile profile_;
    SimPortSpace ports_;
    SimPhysicalMemory memory_;
    OwningServiceDriverHost<SimDriverServices> driverHost_;
    SimProcessorAccess processor_;
    SimOsServices os_;
    SimShell shell_;
    SimFirmwareTables firmwareTables_;
    SimSystemFirmware systemFirmware_;
};

}  // namespace romwise::sim

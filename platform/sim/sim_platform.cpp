#include "platform/sim/sim_platform.h"

#include <utility>

#include "hw/pci_config_access.h"

namespace romwise::sim {

SimPlatform::SimPlatform(MachineProfile profile)
    : profile_(std::move(profile)),
      ports_(profile_.superio, profile_.pci, profile_.portReads),
      memory_(profile_.memory),
      driverHost_(simDriverSetupFor(profile_), ports_, memory_),
      processor_(profile_.cpu),
      os_(profile_),
      shell_(profile_.browser),
      firmwareTables_(offeredSmbiosTables(profile_)),
      systemFirmware_(profile_, memory_) {}

std::unique_ptr<PhysicalMemoryWindow> SimPlatform::createPhysicalMemoryWindow() {
    return std::make_unique<SimPhysicalMemoryWindow>(memory_, profile_.physicalMemory);
}

std::unique_ptr<PciConfigAccess> SimPlatform::createPciConfigAccess(HardwareDriver& driver) {
    // The simulated port space answers configuration mechanism #1 itself.
    return std::make_unique<PortPciConfigAccess>(driver);
}

}  // namespace romwise::sim

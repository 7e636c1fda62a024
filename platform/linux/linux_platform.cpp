#include "platform/linux/linux_platform.h"
#include "platform/linux/linux_pci_config.h"
#include "platform/linux/linux_physical_memory.h"

namespace romwise {

std::unique_ptr<PhysicalMemoryWindow> LinuxPlatform::createPhysicalMemoryWindow() {
    return std::make_unique<LinuxPhysicalMemoryWindow>();
}

// Configuration space through the kernel where it offers it; the port
// mechanism only where it does not (see docs/hardware-access.md).
std::unique_ptr<PciConfigAccess> LinuxPlatform::createPciConfigAccess(HardwareDriver& driver) {
    if (LinuxPciConfigAccess::available()) {
        return std::make_unique<LinuxPciConfigAccess>();
    }
    return std::make_unique<PortPciConfigAccess>(driver);
}

}  // namespace romwise

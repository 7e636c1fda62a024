#include "platform/windows/windows_platform.h"

#include "hw/pci_config_access.h"
#include "platform/windows/windows_physical_memory.h"

namespace romwise {

std::unique_ptr<PhysicalMemoryWindow> WindowsPlatform::createPhysicalMemoryWindow() {
    return std::make_unique<WindowsPhysicalMemoryWindow>();
}

std::unique_ptr<PciConfigAccess> WindowsPlatform::createPciConfigAccess(HardwareDriver& driver) {
    return std::make_unique<PortPciConfigAccess>(driver);
}

}  // namespace romwise

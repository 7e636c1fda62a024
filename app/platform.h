// Everything outside the program that a detection pass reaches, in one place.
#pragma once

#include <memory>

#include "cpu/processor_access.h"
#include "hw/driver_host.h"
#include "hw/pci_config_access.h"
#include "hw/physical_memory_window.h"
#include "os/os_services.h"
#include "report/shell.h"

namespace romwise {

class Platform {
  public:
    virtual ~Platform() = default;

    virtual OsServices& os() = 0;
    virtual DriverHost& driverHost() = 0;
    virtual ProcessorAccess& processor() = 0;
    virtual Shell& shell() = 0;
    // A fresh window for one SMBIOS reading.
    virtual std::unique_ptr<PhysicalMemoryWindow> createPhysicalMemoryWindow() = 0;
    // PCI configuration reads for one scan, through the open driver where the
    // platform has no kernel interface of its own.
    virtual std::unique_ptr<PciConfigAccess> createPciConfigAccess(HardwareDriver& driver) = 0;
};

}  // namespace romwise

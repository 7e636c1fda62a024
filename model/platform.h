// Everything outside the program that a detection pass reaches: one object
// per seam. The seams' interfaces live beside the code that uses them (hw/,
// cpu/, os/, report/); this bundle only names them, so that a front end can
// hand the engine one platform (this computer, or a machine profile).
#pragma once

#include <memory>

namespace romwise {

class DriverHost;
class FirmwareTables;
class HardwareDriver;
class OsServices;
class PciConfigAccess;
class PhysicalMemoryWindow;
class ProcessorAccess;
class Shell;
class SystemFirmware;

class Platform {
  public:
    virtual ~Platform() = default;

    virtual OsServices& os() = 0;
    virtual DriverHost& driverHost() = 0;
    virtual ProcessorAccess& processor() = 0;
    virtual Shell& shell() = 0;
    // A fresh window for one SMBIOS reading.
    virtual std::unique_ptr<PhysicalMemoryWindow> createPhysicalMemoryWindow() = 0;
    // The platform's own copy of the SMBIOS tables, taken where physical
    // memory gives none.
    virtual FirmwareTables& firmwareTables() = 0;
    // PCI configuration reads for one scan, through the open driver where the
    // platform has no kernel interface of its own.
    virtual std::unique_ptr<PciConfigAccess> createPciConfigAccess(HardwareDriver& driver) = 0;
    // What the operating system offers without the driver: the ROM window,
    // its list of PCI devices, the firmware's identity strings.
    virtual SystemFirmware& systemFirmware() = 0;
};

}  // namespace romwise

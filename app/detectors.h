// The detectors a pass calls, behind one interface so that the run's own
// rules can be tested with detectors that return chosen results.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "dmi/dmi_summary.h"
#include "hw/hardware_driver.h"
#include "hw/system_firmware.h"
#include "model/detection_results.h"
#include "model/fixed_text.h"
#include "os/os_info.h"

namespace romwise {

struct ProcessorIdentity {
    FixedText<64> name;
    std::int32_t measuredMhz = -1;
};

// What the operating system offers a pass that may not use the driver.
struct SystemOffer {
    std::optional<std::vector<std::uint8_t>> romWindow;
    bool smbiosTables = false;
    std::optional<std::vector<ListedPciDevice>> pciDevices;
    std::optional<FirmwareIdentity> identity;

    // Whether the firmware-tables route has anything to read the firmware
    // from; a device list alone is not enough.
    bool offersFirmware() const { return romWindow || smbiosTables || identity; }
};

class Detectors {
  public:
    virtual ~Detectors() = default;

    // Nothing when the object cannot be created.
    virtual std::unique_ptr<OsInfo> createOsInfo() = 0;
    // Ports 2Eh and 4Eh are not probed when `skipPorts2E4E` is set.
    virtual bool identifySuperIo(HardwareDriver& driver, bool skipPorts2E4E,
                                 FixedText<260>& line) = 0;
    // Sets `skipPorts2E4E` when the chipset found rules those ports out.
    virtual bool identifyChipset(HardwareDriver& driver, FixedText<260>& line,
                                 bool& skipPorts2E4E) = 0;
    virtual bool identifyBios(HardwareDriver& driver, DetectionResults& results) = 0;
    virtual void shortenAwardBiosId(const FixedText<80>& typeLine, FixedText<128>& idLine) = 0;
    virtual bool readDmi(DmiSummary& summary, MemorySlotSizes& slots) = 0;

    // The firmware-tables route: what the system offers, the chipset from
    // its device list, the DMI data from its copy of the tables alone.
    virtual SystemOffer readSystemOffer() = 0;
    virtual bool identifyListedChipset(const std::vector<ListedPciDevice>& devices,
                                       FixedText<260>& line, bool& skipPorts2E4E) = 0;
    virtual bool readDmiFromTables(DmiSummary& summary, MemorySlotSizes& slots) = 0;
    virtual ProcessorIdentity identifyProcessor() = 0;
    virtual void readLocaleAndTimeZone(DetectionResults& results) = 0;
    virtual void buildUpgradeUrls(DetectionResults& results, const char* biosVendorCode) = 0;
};

}  // namespace romwise

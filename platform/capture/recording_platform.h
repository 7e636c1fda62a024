// A platform that passes everything to another one and keeps what a machine
// profile needs to replay the pass: the ROM window the BIOS step mapped, the
// answers of every byte port read, the PCI configuration the chipset and
// Super I/O steps read, and how the driver opened. What the machine tells
// of itself whenever asked (operating system, processor, SMBIOS tables) is
// asked again when the capture is made.
#pragma once

#include <map>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

#include "hw/driver_host.h"
#include "hw/pci_config_access.h"
#include "hw/physical_memory_window.h"
#include "hw/system_firmware.h"
#include "model/platform.h"
#include "platform/capture/recording_system_firmware.h"
#include "platform/sim/machine_capture.h"

namespace romwise {

// What the pass itself did, kept by the recording seams.
struct PassRecord {
    std::optional<std::vector<std::uint8_t>> rom;
    bool romRefused = false;
    std::map<std::uint16_t, std::vector<std::uint8_t>> portReads;
    std::map<std::pair<std::uint32_t, std::uint32_t>, std::uint32_t> pciReads;  // device, reg
    bool driverOpenAsked = false;
    bool driverOpened = false;
    std::string driverFailure;
    std::optional<bool> driverActive;
    // What the system offered a pass by the firmware-tables route.
    SystemOfferRecord offers;
};

class RecordingPlatform final : public Platform {
  public:
    explicit RecordingPlatform(Platform& inner);
    ~RecordingPlatform() override;

    OsServices& os() override { return inner_.os(); }
    DriverHost& driverHost() override { return *driverHost_; }
    ProcessorAccess& processor() override { return inner_.processor(); }
    Shell& shell() override { return inner_.shell(); }
    std::unique_ptr<PhysicalMemoryWindow> createPhysicalMemoryWindow() override {
        return inner_.createPhysicalMemoryWindow();
    }
    FirmwareTables& firmwareTables() override { return inner_.firmwareTables(); }
    SystemFirmware& systemFirmware() override { return systemFirmware_; }
    std::unique_ptr<PciConfigAccess> createPciConfigAccess(HardwareDriver& driver) override;

    const PassRecord& record() const { return record_; }
    Platform& inner() { return inner_; }

  private:
    Platform& inner_;
    PassRecord record_;
    std::unique_ptr<DriverHost> driverHost_;
    RecordingSystemFirmware systemFirmware_;
};

// The capture of the machine behind `platform` after a pass recorded by it.
// `measuredMhz`: the processor clock the pass measured, when it did; else it
// is measured now. `browserOpened`/`browserStarted`: what the pass's browser
// launches answered, when it made them.
sim::MachineCapture captureMachine(RecordingPlatform& platform,
                                   std::optional<std::int32_t> measuredMhz,
                                   std::optional<bool> browserOpened,
                                   std::optional<bool> browserStarted);

}  // namespace romwise

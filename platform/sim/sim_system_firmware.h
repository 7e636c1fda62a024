// What a machine profile's operating system offers without the driver.
#pragma once

#include "hw/system_firmware.h"
#include "platform/sim/machine_profile.h"
#include "platform/sim/sim_physical_memory.h"

namespace romwise::sim {

// The tables the profile's firmware-table interface offers: the dump's,
// when `firmwareTables` is set, and on Linux only to the administrator.
std::optional<SmbiosTables> offeredSmbiosTables(const MachineProfile& profile);

class SimSystemFirmware final : public SystemFirmware {
  public:
    SimSystemFirmware(const MachineProfile& profile, const SimPhysicalMemory& memory)
        : profile_(profile), memory_(memory) {}

    std::optional<std::vector<std::uint8_t>> readRomWindow() override;
    std::optional<std::vector<ListedPciDevice>> listPciDevices() override;
    std::optional<FirmwareIdentity> readIdentity() override;

  private:
    const MachineProfile& profile_;
    const SimPhysicalMemory& memory_;
};

}  // namespace romwise::sim

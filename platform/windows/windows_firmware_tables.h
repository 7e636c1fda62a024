// The firmware's SMBIOS tables as Windows hands them out
// (GetSystemFirmwareTable 'RSMB'): the way in on every Windows since
// Server 2003 SP1, where \device\physicalmemory is closed to programs.
#pragma once

#include "hw/firmware_tables.h"

namespace romwise {

class WindowsFirmwareTables final : public FirmwareTables {
  public:
    // The table with a "_SM3_" entry point made for it from the version the
    // service reports; nothing where the service is missing (looked up at
    // run time: Windows XP before x64 lacks it) or gives no table.
    std::optional<SmbiosTables> readSmbiosTables() override;
};

}  // namespace romwise

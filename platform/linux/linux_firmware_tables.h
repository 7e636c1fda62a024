// The kernel's copy of the SMBIOS tables: /sys/firmware/dmi/tables holds the
// firmware's entry point and the structure table, readable by root, also
// where /dev/mem is locked down.
#pragma once

#include <string>

#include "hw/firmware_tables.h"

namespace romwise {

class LinuxFirmwareTables final : public FirmwareTables {
  public:
    explicit LinuxFirmwareTables(std::string directory = "/sys/firmware/dmi/tables")
        : directory_(std::move(directory)) {}

    // Both files whole (the table up to kLongestSmbiosTable bytes), or
    // nothing when either is missing, unreadable or not a regular file.
    std::optional<SmbiosTables> readSmbiosTables() override;

  private:
    std::string directory_;
};

}  // namespace romwise

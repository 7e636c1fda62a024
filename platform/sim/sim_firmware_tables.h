// The firmware-table source of a machine profile.
#pragma once

#include <optional>

#include "hw/firmware_tables.h"

namespace romwise::sim {

// The platform's own copy of the SMBIOS tables, as the profile offers it.
class SimFirmwareTables final : public FirmwareTables {
  public:
    explicit SimFirmwareTables(const std::optional<SmbiosTables>& tables) : tables_(tables) {}
    std::optional<SmbiosTables> readSmbiosTables() override { return tables_; }

  private:
    std::optional<SmbiosTables> tables_;
};

}  // namespace romwise::sim

// The firmware's identity strings (BIOS vendor, version and release date;
// board maker and model) from an SMBIOS table, as Linux's /sys/class/dmi/id
// hands them to any user.
#pragma once

#include <optional>

#include "hw/firmware_tables.h"
#include "hw/system_firmware.h"

namespace romwise {

// The strings of the first BIOS Information (type 0) and the first Base
// Board Information (type 2) structure; nothing when the tables hold no
// usable entry point or neither structure names a string.
std::optional<FirmwareIdentity> ReadIdentityStrings(const SmbiosTables& tables);

// The smallest tables that give `identity` back: a BIOS Information and a
// Base Board Information structure holding the strings, behind a 64-bit
// entry point. A capture of a machine that offered only the strings keeps
// them so.
SmbiosTables IdentityTables(const FirmwareIdentity& identity);

}  // namespace romwise

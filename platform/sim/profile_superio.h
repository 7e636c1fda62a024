// The profile's "superio" key: the Super I/O chips of the simulated port
// space, each with its ports, the write sequences that unlock and lock it,
// and its registers. Every chip's ports are its own and lie outside PCI
// configuration (CF8h-CFFh).
#pragma once

#include <string>

#include "platform/sim/machine_profile.h"
#include "platform/sim/profile_fields.h"
#include "platform/sim/profile_value.h"

namespace romwise::sim {

// Reads the list of chips into `profile.superio`.
void readSuperIo(const ProfileFields& fields, const ProfileValue& value, const std::string& key,
                 MachineProfile& profile);

}  // namespace romwise::sim

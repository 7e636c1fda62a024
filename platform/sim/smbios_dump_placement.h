// Puts an SMBIOS dump into simulated physical memory the way a BIOS would
// have it: the structure table at E0000h and the entry point, pointing there,
// in the BIOS ROM window.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <vector>

#include "hw/firmware_tables.h"
#include "platform/sim/machine_profile.h"

namespace romwise::sim {

// What is wrong with a dump, as a phrase for a refusal message.
class SmbiosDumpError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// `dump` is a file in `dmidecode --dump-bin` form: a "_SM_", "_SM3_" or bare
// "_DMI_" entry point at offset 0 and the structure table at the file offset
// its address field names (or, for a copy of memory taken from E0000h, at the
// address less E0000h). Appends to `memory` the table at E0000h and the
// entry point, with its table address set to E0000h and its checksums
// recomputed, at the first 16-byte-aligned offset of the F0000h window (as
// `memory` builds it so far) whose 32 bytes are all 00h or all FFh.
// Throws SmbiosDumpError for a table over 64 KiB or past the end of the file,
// a damaged entry point, or a window without a free slot.
void placeSmbiosDump(const std::vector<std::uint8_t>& dump, std::vector<MemoryRegion>& memory);

// The dump's entry point as the file holds it and the table its address
// field names, as a platform's own copy of the tables offers them. Throws
// SmbiosDumpError as placeSmbiosDump does for the dump itself.
SmbiosTables splitSmbiosDump(const std::vector<std::uint8_t>& dump);

}  // namespace romwise::sim

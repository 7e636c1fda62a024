// Reads the SMBIOS/DMI structure table through a physical memory window, or
// where that finds no table, from the platform's own copy of it.
#pragma once

#include "dmi/dmi_reader.h"
#include "dmi/dmi_summary.h"
#include "model/detection_results.h"

namespace romwise {

// One reading: finds the entry point, extracts what the detection run needs
// and releases the window. False when neither physical memory (no window, no
// entry point or no table window) nor the platform's copy gave a table; then
// nothing is written. A legacy "_DMI_" entry point gives true
// without writing anything. Text fields the table does not provide keep what
// the caller put there; numbers the table does not provide become 0. Slots
// are appended to `slots` up to its capacity.
bool ReadDmi(DmiReader& reader, DmiSummary& summary, MemorySlotSizes& slots);

}  // namespace romwise

// The steps of the extraction, each reading the table with its own walks.
#pragma once

#include "dmi/dmi_summary.h"
#include "dmi/smbios_context.h"
#include "model/detection_results.h"

namespace romwise {

// ROM size, BIOS characteristics, version, vendor and release date from the first BIOS
// Information structure.
void ExtractBiosInformation(const SmbiosContext& context, DmiSummary& summary);

// Maker and model from the last Base Board Information structure, or from
// the last System Information structure when the board maker is a Dell.
void ExtractMakerAndModel(const SmbiosContext& context, DmiSummary& summary);

// Name and speeds of the first Processor Information structure.
void ExtractProcessor(const SmbiosContext& context, DmiSummary& summary);

// Installed memory and the per-slot sizes, from the Memory Device
// structures or else the Memory Module ones.
void ExtractInstalledMemory(const SmbiosContext& context, DmiSummary& summary,
                            MemorySlotSizes& slots);

// The largest memory the board takes, from the Physical Memory Array or else
// the Memory Controller structure.
void ExtractMaximumMemory(const SmbiosContext& context, DmiSummary& summary);

}  // namespace romwise

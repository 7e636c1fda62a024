#include "dmi/read_dmi.h"

#include "dmi/dmi_extraction.h"
#include "dmi/entry_point.h"
#include "dmi/smbios_context.h"

namespace romwise {

namespace {

void ExtractDmi(const SmbiosContext& context, DmiSummary& summary, MemorySlotSizes& slots) {
    summary.majorVersion = context.majorVersion();
    summary.minorVersion = context.minorVersion();
    ExtractBiosInformation(context, summary);
    ExtractMakerAndModel(context, summary);
    ExtractProcessor(context, summary);
    ExtractInstalledMemory(context, summary, slots);
    ExtractMaximumMemory(context, summary);
}

}  // namespace

bool ReadDmi(DmiReader& reader, DmiSummary& summary, MemorySlotSizes& slots) {
    SmbiosContext context;
    bool found = FindEntryPoint(reader, context);
    if (!found) {
        // Physical memory gave no table: the platform's own copy, if any.
        context = SmbiosContext{};
        found = TakeFirmwareTables(reader, context);
    }
    if (found && context.hasStructureTable()) {
        ExtractDmi(context, summary, slots);
    }
    reader.release();
    return found;
}

}  // namespace romwise

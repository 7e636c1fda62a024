#include "dmi/read_dmi.h"

namespace romwise {

bool ReadDmi(DmiReader& /*reader*/, DmiSummary& /*summary*/, MemorySlotSizes& /*slots*/) {
    // The entry point search is not built yet: no table is ever found, so the
    // run takes its processor and memory fallbacks.
    return false;
}

}  // namespace romwise

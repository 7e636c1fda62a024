#include "cpu/cpu_info.h"

namespace romwise {

void CpuInfo::identifyProcessor() {
    // Decoding and clock measurement are not built yet: the record stays
    // empty, with no name and no measured clock.
    (void)processor_;
}

}  // namespace romwise

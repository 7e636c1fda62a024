#include "chips/chipset_detector.h"

#include "chips/skip_ports.h"

namespace romwise {

bool& skipPorts2E4E() {
    static bool skip = false;
    return skip;
}

bool ChipsetDetector::identify(FixedText<260>& /*line*/) {
    // The vendor and model tables are not built yet: no chipset is named.
    (void)pci_;
    return false;
}

}  // namespace romwise

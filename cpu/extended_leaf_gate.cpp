#include "cpu/extended_leaf_gate.h"

namespace romwise {

ExtendedLeafGate extendedLeafGate(CpuVendor vendor, std::int32_t family, std::int32_t model) {
    for (const VendorLeafRule& rule : kVendorLeafRules) {
        if (rule.vendor != vendor) {
            continue;
        }
        if (family < rule.minimumFamily) {
            return family == rule.answeredFamily ? ExtendedLeafGate::OpenWhenAnswered
                                                 : ExtendedLeafGate::Closed;
        }
        for (const ModelFloor& floor : rule.floors) {
            if (family == floor.family && model < floor.minimumModel) {
                return ExtendedLeafGate::Closed;
            }
        }
        return ExtendedLeafGate::Open;
    }
    return ExtendedLeafGate::Open;
}

}  // namespace romwise

#include "cpu/cpu_vendor.h"

namespace romwise {

CpuVendor vendorFromText(std::string_view text) {
    for (const VendorText& entry : kVendorTexts) {
        if (text == entry.text) {
            return entry.vendor;
        }
    }
    return CpuVendor::UnknownVendor;
}

}  // namespace romwise

#include "cpu/model_tables.h"

#include "cpu/cpu_info.h"

namespace romwise {

namespace {

constexpr std::int32_t kPentium4Family = 15;
// From this extended family on, family 15 of Intel is outside the tables.
constexpr std::int32_t kFirstUntabledExtendedFamily = 2;

const FamilyNames* findFamily(const CpuInfo& cpu) {
    for (const FamilyNames& entry : kFamilyNames) {
        if (entry.vendor != cpu.vendor) {
            continue;
        }
        if (entry.family == kAnyFamily) {
            return &entry;
        }
        if (entry.family == cpu.family &&
            (cpu.family != kPentium4Family || entry.extendedFamily == cpu.extendedFamily)) {
            return &entry;
        }
    }
    return nullptr;
}

std::string_view vendorFallback(CpuVendor vendor) {
    for (const VendorFallback& entry : kVendorFallbacks) {
        if (entry.vendor == vendor) {
            return entry.text;
        }
    }
    return "Unknown family";
}

}  // namespace

bool nameFromTables(CpuInfo& cpu) {
    if (cpu.vendor == CpuVendor::Intel && cpu.family == kPentium4Family &&
        cpu.extendedFamily >= kFirstUntabledExtendedFamily) {
        return true;
    }
    const FamilyNames* family = findFamily(cpu);
    if (family == nullptr) {
        cpu.name.assign(vendorFallback(cpu.vendor));
        return false;
    }
    for (const ModelName& entry : family->models) {
        if (entry.model == kAnyModel || entry.model == cpu.model) {
            const bool mp = cpu.isMpCapable && !entry.mpCapableText.empty();
            cpu.name.assign(mp ? entry.mpCapableText : entry.text);
            return true;
        }
    }
    cpu.name.assign(family->fallback);
    return false;
}

}  // namespace romwise

// Which processors may be asked for the extended identification leaves
// (80000000h and up). Older parts of some makers answer those leaves with
// garbage or hang, so each maker has a minimum family and model.
#pragma once

#include <array>
#include <cstdint>

#include "cpu/cpu_vendor.h"

namespace romwise {

enum class ExtendedLeafGate {
    Closed,            // never ask
    Open,              // ask leaf 80000000h for the highest extended leaf
    OpenWhenAnswered,  // ask, but trust it only when EAX bit 31 is set
};

// "Not this family with a model below this one."
struct ModelFloor {
    std::int32_t family = -1;  // -1: no floor
    std::int32_t minimumModel = 0;
};

struct VendorLeafRule {
    CpuVendor vendor;
    std::int32_t minimumFamily;
    std::array<ModelFloor, 2> floors;
    // A family below the minimum that is let through when leaf 80000000h
    // answers like an extended leaf: Intel's family-6 processors, from the
    // Pentium III on to every Core, which report family 6 whatever their age.
    // Older family-6 parts answer with basic-leaf data, whose bit 31 is clear.
    std::int32_t answeredFamily = -1;
};

// Makers not listed have no condition.
inline constexpr std::array<VendorLeafRule, 5> kVendorLeafRules{{
    {CpuVendor::Amd, 5, {{{5, 6}, {}}}},
    {CpuVendor::Intel, 15, {{{}, {}}}, 6},
    {CpuVendor::Cyrix, 5, {{{5, 4}, {6, 5}}}},
    {CpuVendor::Centaur, 5, {{{5, 8}, {}}}},
    {CpuVendor::Transmeta, 5, {{{}, {}}}},
}};

ExtendedLeafGate extendedLeafGate(CpuVendor vendor, std::int32_t family, std::int32_t model);

}  // namespace romwise

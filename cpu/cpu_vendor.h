// The processor's maker, as its identification instruction names it.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace romwise {

enum class CpuVendor : std::uint32_t {
    Amd = 0,
    Intel = 1,
    Nsc = 2,
    Umc = 3,
    Cyrix = 4,
    NexGen = 5,
    Centaur = 6,
    Rise = 7,
    Transmeta = 8,
    UnknownVendor = 9,
};

struct VendorText {
    std::string_view text;  // always the full 12 characters
    CpuVendor vendor;
};

// Tested in this order; the first text equal to all 12 characters wins.
// National Semiconductor's Geode processors spell their text with a
// lower-case "by"; both spellings name the maker.
inline constexpr std::array<VendorText, 12> kVendorTexts{{
    {"GenuineIntel", CpuVendor::Intel},
    {"UMC UMC UMC ", CpuVendor::Umc},
    {"AuthenticAMD", CpuVendor::Amd},
    {"AMD ISBETTER", CpuVendor::Amd},
    {"CyrixInstead", CpuVendor::Cyrix},
    {"NexGenDriven", CpuVendor::NexGen},
    {"CentaurHauls", CpuVendor::Centaur},
    {"RiseRiseRise", CpuVendor::Rise},
    {"GenuineTMx86", CpuVendor::Transmeta},
    {"TransmetaCPU", CpuVendor::Transmeta},
    {"Geode By NSC", CpuVendor::Nsc},
    {"Geode by NSC", CpuVendor::Nsc},
}};

// The maker named by the 12 vendor characters of leaf 0 (EBX, EDX, ECX);
// `UnknownVendor` for any other text, including a shorter or longer one.
CpuVendor vendorFromText(std::string_view text);

}  // namespace romwise

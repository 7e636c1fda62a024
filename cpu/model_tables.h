// Model names for processors that give no brand string, by maker, family and
// model. Texts are Windows-1252: AEh is the registered sign, 99h the trade
// mark sign, B5h the micro sign; backslashes and trailing blanks belong to
// the texts.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

#include "cpu/cpu_vendor.h"

namespace romwise {

class CpuInfo;

inline constexpr std::int32_t kAnyModel = -1;
inline constexpr std::int32_t kAnyFamily = -1;

struct ModelName {
    std::int32_t model;  // kAnyModel: every model of the family
    std::string_view text;
    // Used instead of `text` for a processor that reports itself able to run
    // with others (leaf 80000001h EDX bit 19); empty when the model has none.
    std::string_view mpCapableText = {};
};

struct FamilyNames {
    CpuVendor vendor;
    std::int32_t family;          // kAnyFamily: every family of the maker
    std::int32_t extendedFamily;  // only for family 15 of Intel; else 0
    std::span<const ModelName> models;
    std::string_view fallback;  // for a model not listed
};

struct VendorFallback {
    CpuVendor vendor;
    std::string_view text;  // for a family not listed
};

namespace model_names {
inline constexpr ModelName kIntel386[] = {{kAnyModel, "Newer i80386 family"}};
inline constexpr ModelName kIntel486[] = {
    {0, "i80486DX-25/33"},      {1, "i80486DX-50"}, {2, "i80486SX"},
    {3, "i80486DX2"},           {4, "i80486SL"},    {5, "i80486SX2"},
    {7, "i80486DX2 WriteBack"}, {8, "i80486DX4"},   {9, "i80486DX4 WriteBack"},
};
inline constexpr ModelName kIntelPentium[] = {
    {0, "P5 A-Step"},        {1, "P5"},   {2, "P54C"},
    {3, "P24T OverDrive"},   {4, "P55C"}, {7, "P54C"},
    {8, "P55C (0.25\xB5m)"},
};
inline constexpr ModelName kIntelP6[] = {
    {0, "P6 A-Step"},
    {1, "P6"},
    {3, "Pentium\xAE II (0.28 \xB5m)"},
    {5, "Pentium\xAE II (0.25 \xB5m)"},
    {6, "Pentium\xAE II With On-Die L2 Cache"},
    {7, "Pentium\xAE III (0.25 \xB5m)"},
    {8, "Pentium\xAE III (0.18 \xB5m) With 256 KB On-Die L2 Cache "},
    {10, "Pentium\xAE III (0.18 \xB5m) With 1 Or 2 MB On-Die L2 Cache "},
    {11, "Pentium\xAE III (0.13 \xB5m) With 256 Or 512 KB On-Die L2 Cache "},
};
inline constexpr ModelName kIntelMerced[] = {{kAnyModel, "Intel Merced (IA-64)"}};
inline constexpr ModelName kIntelPentium4[] = {
    {0, "Pentium\xAE IV (0.18 \xB5m)"},
    {1, "Pentium\xAE IV (0.18 \xB5m)"},
    {2, "Pentium\xAE IV (0.13 \xB5m)"},
};
inline constexpr ModelName kIntelMcKinley[] = {{kAnyModel, "Intel McKinley (IA-64)"}};

inline constexpr ModelName kAmd486[] = {
    {3, "80486DX2"}, {7, "80486DX2 WriteBack"},
    {8, "80486DX4"}, {9, "80486DX4 WriteBack"},
    {14, "5x86"},    {15, "5x86WB"},
};
inline constexpr ModelName kAmd586[] = {
    {0, "SSA5 (PR75, PR90, PR100)"},
    {1, "5k86 (PR120, PR133)"},
    {2, "5k86 (PR166)"},
    {3, "5k86 (PR200)"},
    {6, "K6 (0.30 \xB5m)"},
    {7, "K6 (0.25 \xB5m)"},
    {8, "K6-2"},
    {9, "K6-III"},
    {13, "K6-2+ or K6-III+ (0.18 \xB5m)"},
};
inline constexpr ModelName kAmdK7[] = {
    {1, "Athlon\x99 (0.25 \xB5m)"},
    {2, "Athlon\x99 (0.18 \xB5m)"},
    {3, "Duron\x99 (SF core)"},
    {4, "Athlon\x99 (Thunderbird core)"},
    {6, "Athlon\x99 (Palomino core)"},
    {7, "Duron\x99 (Morgan core)"},
    {8, "Athlon\x99 XP (Thoroughbred core)", "Athlon\x99 MP (Thoroughbred core)"},
};

inline constexpr ModelName kCyrix5x86[] = {{4, "MediaGX GX, GXm"}, {9, "5x86"}};
inline constexpr ModelName kCyrix6x86[] = {{2, "Cx6x86"}, {4, "MediaGX GXm"}};
inline constexpr ModelName kCyrix6x86Mx[] = {
    {0, "6x86MX"},
    {5, "Cyrix M2 Core"},
    {6, "WinChip C5A Core"},
    {7, "WinChip C5B\\C5C Core"},
    {8, "WinChip C5C-T Core"},
};

inline constexpr ModelName kNsc[] = {{kAnyModel, "Cx486SLC \\ DLC \\ Cx486S A-Step"}};
inline constexpr ModelName kUmc486[] = {{1, "U5D"}, {2, "U5S"}};
inline constexpr ModelName kNexGen586[] = {{0, "Nx586 or Nx586FPU"}};
inline constexpr ModelName kCentaur586[] = {{4, "C6"}, {8, "C2"}, {9, "C3"}};
inline constexpr ModelName kCentaur686[] = {{6, "VIA Cyrix III - Samuel"}};
inline constexpr ModelName kRise586[] = {{0, "mP6 (0.25 \xB5m)"}, {2, "mP6 (0.18 \xB5m)"}};
inline constexpr ModelName kTransmeta586[] = {{4, "Crusoe TM3x00 and TM5x00"}};
}  // namespace model_names

inline constexpr FamilyNames kFamilyNames[] = {
    {CpuVendor::Intel, 3, 0, model_names::kIntel386, {}},
    {CpuVendor::Intel, 4, 0, model_names::kIntel486, "Unknown 80486 family"},
    {CpuVendor::Intel, 5, 0, model_names::kIntelPentium,
     "Unknown Pentium\xAE"
     " family"},
    {CpuVendor::Intel, 6, 0, model_names::kIntelP6, "Unknown P6 family"},
    {CpuVendor::Intel, 7, 0, model_names::kIntelMerced, {}},
    {CpuVendor::Intel, 15, 0, model_names::kIntelPentium4, "Unknown Pentium 4 family"},
    {CpuVendor::Intel, 15, 1, model_names::kIntelMcKinley, {}},
    {CpuVendor::Amd, 4, 0, model_names::kAmd486, "Unknown 80486 family"},
    {CpuVendor::Amd, 5, 0, model_names::kAmd586, "Unknown 80586 family"},
    {CpuVendor::Amd, 6, 0, model_names::kAmdK7, "Unknown K7 family"},
    {CpuVendor::Cyrix, 4, 0, model_names::kCyrix5x86, "Unknown Cx5x86 family"},
    {CpuVendor::Cyrix, 5, 0, model_names::kCyrix6x86, "Unknown Cx6x86 family"},
    {CpuVendor::Cyrix, 6, 0, model_names::kCyrix6x86Mx, "Unknown 6x86MX\\Cyrix III family"},
    {CpuVendor::Nsc, kAnyFamily, 0, model_names::kNsc, {}},
    {CpuVendor::Umc, 4, 0, model_names::kUmc486, "Unknown UMC family"},
    {CpuVendor::NexGen, 5, 0, model_names::kNexGen586, "Unknown NexGen family"},
    {CpuVendor::Centaur, 5, 0, model_names::kCentaur586, "Unknown IDT\\Centaur family"},
    {CpuVendor::Centaur, 6, 0, model_names::kCentaur686, "Unknown IDT\\Centaur family"},
    {CpuVendor::Rise, 5, 0, model_names::kRise586, "Unknown Rise family"},
    {CpuVendor::Transmeta, 5, 0, model_names::kTransmeta586, "Unknown Crusoe family"},
};

inline constexpr VendorFallback kVendorFallbacks[] = {
    {CpuVendor::Intel, "Unknown Intel family"},
    {CpuVendor::Amd, "Unknown AMD family"},
    {CpuVendor::Cyrix, "Unknown Cyrix family"},
    {CpuVendor::Umc, "Unknown UMC family"},
    {CpuVendor::NexGen, "Unknown NexGen family"},
    {CpuVendor::Centaur, "Unknown IDT\\Centaur family"},
    {CpuVendor::Rise, "Unknown Rise family"},
    {CpuVendor::Transmeta, "Unknown Transmeta family"},
    {CpuVendor::UnknownVendor, "Unknown family"},
};

// Writes the model's name into `cpu.name`; true for a recognised model, false
// when the name written is a maker's or family's "Unknown ..." text. An
// Intel family-15 processor of extended family 2 or more is outside the
// tables: its name is left as it is and counts as recognised.
bool nameFromTables(CpuInfo& cpu);

}  // namespace romwise

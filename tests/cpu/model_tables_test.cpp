// Model naming: every maker's table, the fallbacks and the special rules.
#include "cpu/model_tables.h"

#include <gtest/gtest.h>

#include <string>

#include "cpu/cpu_info.h"
#include "tests/cpu/scripted_processor.h"

namespace romwise {
namespace {

struct NameCase {
    CpuVendor vendor;
    std::int32_t family;
    std::int32_t model;
    const char* name;
    bool recognised;
    std::int32_t extendedFamily = 0;
    bool mpCapable = false;
};

class ModelNames : public ::testing::TestWithParam<NameCase> {};

TEST_P(ModelNames, NameTheModel) {
    const NameCase& c = GetParam();
    testing::ScriptedProcessor processor;
    CpuInfo cpu(processor);
    cpu.vendor = c.vendor;
    cpu.family = c.family;
    cpu.model = c.model;
    cpu.extendedFamily = c.extendedFamily;
    cpu.isMpCapable = c.mpCapable;
    cpu.name.assign("previous");
    EXPECT_EQ(nameFromTables(cpu), c.recognised);
    EXPECT_EQ(cpu.name.view(), c.name);
}

using V = CpuVendor;

INSTANTIATE_TEST_SUITE_P(
    Intel, ModelNames,
    ::testing::Values(NameCase{V::Intel, 3, 9, "Newer i80386 family", true},
                      NameCase{V::Intel, 4, 0, "i80486DX-25/33", true},
                      NameCase{V::Intel, 4, 9, "i80486DX4 WriteBack", true},
                      NameCase{V::Intel, 4, 6, "Unknown 80486 family", false},
                      NameCase{V::Intel, 5, 2, "P54C", true},
                      NameCase{V::Intel, 5, 7, "P54C", true},
                      NameCase{V::Intel, 5, 8, "P55C (0.25\xB5m)", true},
                      NameCase{V::Intel, 5, 5,
                               "Unknown Pentium\xAE"
                               " family",
                               false},
                      NameCase{V::Intel, 6, 7, "Pentium\xAE III (0.25 \xB5m)", true},
                      NameCase{V::Intel, 6, 3, "Pentium\xAE II (0.28 \xB5m)", true},
                      NameCase{V::Intel, 6, 11,
                               "Pentium\xAE III (0.13 \xB5m) With 256 Or 512 KB On-Die L2 Cache ",
                               true},
                      NameCase{V::Intel, 6, 9, "Unknown P6 family", false},
                      NameCase{V::Intel, 6, 13, "Unknown P6 family", false},
                      NameCase{V::Intel, 7, 0, "Intel Merced (IA-64)", true},
                      NameCase{V::Intel, 15, 1, "Pentium\xAE IV (0.18 \xB5m)", true},
                      NameCase{V::Intel, 15, 2, "Pentium\xAE IV (0.13 \xB5m)", true},
                      NameCase{V::Intel, 15, 3, "Unknown Pentium 4 family", false},
                      NameCase{V::Intel, 15, 0, "Intel McKinley (IA-64)", true, 1},
                      NameCase{V::Intel, 15, 0, "previous", true, 2},
                      NameCase{V::Intel, 15, 6, "previous", true, 3},
                      NameCase{V::Intel, 8, 0, "Unknown Intel family", false}));

INSTANTIATE_TEST_SUITE_P(
    Amd, ModelNames,
    ::testing::Values(NameCase{V::Amd, 4, 14, "5x86", true},
                      NameCase{V::Amd, 4, 4, "Unknown 80486 family", false},
                      NameCase{V::Amd, 5, 13, "K6-2+ or K6-III+ (0.18 \xB5m)", true},
                      NameCase{V::Amd, 5, 4, "Unknown 80586 family", false},
                      NameCase{V::Amd, 6, 4, "Athlon\x99 (Thunderbird core)", true},
                      NameCase{V::Amd, 6, 5, "Unknown K7 family", false},
                      NameCase{V::Amd, 6, 8, "Athlon\x99 XP (Thoroughbred core)", true},
                      NameCase{V::Amd, 6, 8, "Athlon\x99 MP (Thoroughbred core)", true, 0, true},
                      NameCase{V::Amd, 6, 6, "Athlon\x99 (Palomino core)", true, 0, true},
                      NameCase{V::Amd, 15, 4, "Unknown AMD family", false}));

INSTANTIATE_TEST_SUITE_P(
    OtherMakers, ModelNames,
    ::testing::Values(NameCase{V::Cyrix, 4, 4, "MediaGX GX, GXm", true},
                      NameCase{V::Cyrix, 4, 2, "Unknown Cx5x86 family", false},
                      NameCase{V::Cyrix, 5, 2, "Cx6x86", true},
                      NameCase{V::Cyrix, 5, 0, "Unknown Cx6x86 family", false},
                      NameCase{V::Cyrix, 6, 7, "WinChip C5B\\C5C Core", true},
                      NameCase{V::Cyrix, 6, 1, "Unknown 6x86MX\\Cyrix III family", false},
                      NameCase{V::Cyrix, 7, 0, "Unknown Cyrix family", false},
                      NameCase{V::Nsc, 4, 0, "Cx486SLC \\ DLC \\ Cx486S A-Step", true},
                      NameCase{V::Nsc, 9, 12, "Cx486SLC \\ DLC \\ Cx486S A-Step", true},
                      NameCase{V::Umc, 4, 2, "U5S", true},
                      NameCase{V::Umc, 4, 3, "Unknown UMC family", false},
                      NameCase{V::Umc, 5, 1, "Unknown UMC family", false},
                      NameCase{V::NexGen, 5, 0, "Nx586 or Nx586FPU", true},
                      NameCase{V::NexGen, 5, 1, "Unknown NexGen family", false},
                      NameCase{V::NexGen, 6, 0, "Unknown NexGen family", false},
                      NameCase{V::Centaur, 5, 9, "C3", true},
                      NameCase{V::Centaur, 6, 6, "VIA Cyrix III - Samuel", true},
                      NameCase{V::Centaur, 6, 7, "Unknown IDT\\Centaur family", false},
                      NameCase{V::Centaur, 7, 6, "Unknown IDT\\Centaur family", false},
                      NameCase{V::Rise, 5, 2, "mP6 (0.18 \xB5m)", true},
                      NameCase{V::Rise, 5, 1, "Unknown Rise family", false},
                      NameCase{V::Transmeta, 5, 4, "Crusoe TM3x00 and TM5x00", true},
                      NameCase{V::Transmeta, 5, 3, "Unknown Crusoe family", false},
                      NameCase{V::Transmeta, 15, 2, "Unknown Transmeta family", false},
                      NameCase{V::UnknownVendor, 5, 4, "Unknown family", false}));

TEST(ModelTables, TheLongestNameFitsWithItsTrailingBlank) {
    std::size_t longest = 0;
    for (const FamilyNames& family : kFamilyNames) {
        for (const ModelName& model : family.models) {
            longest = std::max({longest, model.text.size(), model.mpCapableText.size()});
        }
        longest = std::max(longest, family.fallback.size());
    }
    EXPECT_EQ(longest, 58u);
    EXPECT_LT(longest, kCpuNameCapacity);
}

TEST(ModelTables, EveryFallbackBeginsWithUnknownAndNoNameDoes) {
    for (const FamilyNames& family : kFamilyNames) {
        if (!family.fallback.empty()) {
            EXPECT_TRUE(family.fallback.starts_with("Unknown")) << family.fallback;
        }
        for (const ModelName& model : family.models) {
            EXPECT_FALSE(model.text.starts_with("Unknown")) << model.text;
        }
    }
    for (const VendorFallback& fallback : kVendorFallbacks) {
        EXPECT_TRUE(fallback.text.starts_with("Unknown")) << fallback.text;
    }
}

}  // namespace
}  // namespace romwise

// Identification over scripted leaves: the rules that are easy to get wrong.
#include "cpu/cpu_info.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/cpu/scripted_processor.h"

namespace romwise {
namespace {

using testing::ScriptedProcessor;

constexpr std::uint32_t kTsc = 1u << 4;

TEST(CpuInfo, WithoutTheInstructionOnlyThePresenceTestRuns) {
    ScriptedProcessor processor;
    processor.identificationPresent = false;
    processor.setVendor("GenuineIntel");
    processor.setSignature(0x673, 0xFFFFFFFF);
    CpuInfo cpu(processor);
    cpu.identifyProcessor();

    EXPECT_STREQ(cpu.displayName(), "");
    EXPECT_EQ(cpu.measuredMhz(), -1);
    EXPECT_LE(processor.executedLeaves.size(), 1u);
    EXPECT_EQ(processor.sseProbes + processor.bitScanLoops + processor.counterReads, 0);
    EXPECT_EQ(cpu.vendor, CpuVendor::UnknownVendor);
    EXPECT_TRUE(cpu.vendorText.empty());
    EXPECT_FALSE(cpu.hasFpu);
    EXPECT_EQ(cpu.family, 0);
    EXPECT_EQ(cpu.l1CacheKb, -1);
    EXPECT_EQ(cpu.l2CacheKb, -1);
    EXPECT_EQ(cpu.l3CacheKb, -1);
    EXPECT_EQ(cpu.clock, nullptr);
    EXPECT_TRUE(cpu.serialNumber.empty());
}

struct VendorCase {
    const char* text;
    CpuVendor vendor;
};

class VendorTexts : public ::testing::TestWithParam<VendorCase> {};

TEST_P(VendorTexts, SelectTheMaker) {
    ScriptedProcessor processor;
    processor.setVendor(GetParam().text);
    processor.setSignature(0x543);
    CpuInfo cpu(processor);
    ASSERT_TRUE(cpu.readVendorAndSignature());
    EXPECT_EQ(cpu.vendor, GetParam().vendor);
    EXPECT_EQ(cpu.vendorText.view(), std::string(GetParam().text).substr(0, 12));
}

INSTANTIATE_TEST_SUITE_P(AllTexts, VendorTexts,
                         ::testing::Values(VendorCase{"GenuineIntel", CpuVendor::Intel},
                                           VendorCase{"UMC UMC UMC ", CpuVendor::Umc},
                                           VendorCase{"UMC UMC UMC", CpuVendor::UnknownVendor},
                                           VendorCase{"AuthenticAMD", CpuVendor::Amd},
                                           VendorCase{"AMD ISBETTER", CpuVendor::Amd},
                                           VendorCase{"CyrixInstead", CpuVendor::Cyrix},
                                           VendorCase{"NexGenDriven", CpuVendor::NexGen},
                                           VendorCase{"CentaurHauls", CpuVendor::Centaur},
                                           VendorCase{"RiseRiseRise", CpuVendor::Rise},
                                           VendorCase{"GenuineTMx86", CpuVendor::Transmeta},
                                           VendorCase{"TransmetaCPU", CpuVendor::Transmeta},
                                           VendorCase{"Geode By NSC", CpuVendor::Nsc},
                                           VendorCase{"Geode by NSC", CpuVendor::Nsc},
                                           VendorCase{"Geode BY NSC", CpuVendor::UnknownVendor},
                                           VendorCase{"genuineintel", CpuVendor::UnknownVendor},
                                           VendorCase{"GenuineIotel", CpuVendor::UnknownVendor}));

TEST(CpuInfo, SignatureFieldsStayApart) {
    ScriptedProcessor processor;
    processor.setVendor("GenuineIntel");
    processor.setSignature(0x0FE3A9C7);
    CpuInfo cpu(processor);
    ASSERT_TRUE(cpu.readVendorAndSignature());
    EXPECT_EQ(cpu.stepping, 0x7);
    EXPECT_EQ(cpu.model, 0xC);
    EXPECT_EQ(cpu.family, 0x9);
    EXPECT_EQ(cpu.processorType, 0xA);
    EXPECT_EQ(cpu.extendedModel, 0x3);
    EXPECT_EQ(cpu.extendedFamily, 0xFE);
}

TEST(CpuInfo, AFaultInTheSignatureLeavesItUnset) {
    ScriptedProcessor processor;
    processor.setVendor("GenuineIntel");
    processor.setSignature(0x673);
    processor.faultingLeaves = {1};
    CpuInfo cpu(processor);
    EXPECT_FALSE(cpu.readVendorAndSignature());
    EXPECT_EQ(cpu.vendor, CpuVendor::UnknownVendor);
    EXPECT_TRUE(cpu.vendorText.empty());
    EXPECT_EQ(cpu.family, 0);
}

TEST(CpuInfo, StandardFeatureFlagsComeFromTheirBits) {
    struct Flag {
        int bit;
        bool CpuInfo::*field;
    };
    const Flag flags[] = {
        {0, &CpuInfo::hasFpu},   {4, &CpuInfo::hasTsc},           {23, &CpuInfo::hasMmx},
        {25, &CpuInfo::hasSse},  {26, &CpuInfo::hasSse2},         {30, &CpuInfo::isIa64},
        {9, &CpuInfo::hasApic},  {15, &CpuInfo::hasCmov},         {12, &CpuInfo::hasMtrr},
        {22, &CpuInfo::hasAcpi}, {18, &CpuInfo::hasSerialNumber}, {29, &CpuInfo::hasThermalMonitor},
    };
    for (const Flag& flag : flags) {
        ScriptedProcessor processor;
        processor.setVendor("AuthenticAMD");
        processor.setSignature(0x543, 1u << flag.bit);
        CpuInfo cpu(processor);
        cpu.readVendorAndSignature();
        ASSERT_TRUE(cpu.readStandardFeatures());
        for (const Flag& other : flags) {
            EXPECT_EQ(cpu.*other.field, other.bit == flag.bit)
                << "EDX bit " << flag.bit << ", flag of bit " << other.bit;
        }
    }
}

TEST(CpuInfo, SseIsUsableOnlyWhenTheProbeExecutes) {
    struct Case {
        bool flag;
        bool executes;
        bool usable;
        int probes;
    };
    for (const Case& c :
         {Case{true, true, true, 1}, Case{true, false, false, 1}, Case{false, true, false, 0}}) {
        ScriptedProcessor processor;
        processor.setVendor("GenuineIntel");
        processor.setSignature(0x673, c.flag ? 1u << 25 : 0);
        processor.sseExecutes = c.executes;
        CpuInfo cpu(processor);
        cpu.readVendorAndSignature();
        cpu.readStandardFeatures();
        EXPECT_EQ(cpu.hasSse, c.flag);
        EXPECT_EQ(cpu.sseUsable, c.usable);
        EXPECT_EQ(processor.sseProbes, c.probes);
    }
}

TEST(CpuInfo, HyperThreadingFieldsAreIntelOnly) {
    struct Case {
        const char* vendor;
        std::uint32_t edx;
        bool hyperThreading;
        std::uint32_t logical;
        std::uint32_t apicId;
    };
    constexpr std::uint32_t kHt = 1u << 28;
    constexpr std::uint32_t kApic = 1u << 9;
    const std::uint32_t ebx = 0x07040800;  // APIC ID 7, 4 logical processors
    for (const Case& c :
         {Case{"GenuineIntel", kHt | kApic, true, 4, 7}, Case{"GenuineIntel", kHt, true, 4, 0},
          Case{"GenuineIntel", kApic, false, 1, 0},
          Case{"AuthenticAMD", kHt | kApic, false, 0, 0}}) {
        ScriptedProcessor processor;
        processor.setVendor(c.vendor);
        processor.setSignature(0xF29, c.edx, ebx);
        CpuInfo cpu(processor);
        cpu.readVendorAndSignature();
        cpu.readStandardFeatures();
        EXPECT_EQ(cpu.hasHyperThreading, c.hyperThreading) << c.vendor << " " << c.edx;
        EXPECT_EQ(cpu.logicalProcessors, c.logical) << c.vendor << " " << c.edx;
        EXPECT_EQ(cpu.apicId, c.apicId) << c.vendor << " " << c.edx;
    }
}

TEST(CpuInfo, AFaultInTheFeatureLeafChangesNoFlag) {
    ScriptedProcessor processor;
    processor.setVendor("GenuineIntel");
    processor.setSignature(0x673, 0xFFFFFFFF);
    CpuInfo cpu(processor);
    cpu.readVendorAndSignature();
    processor.faultingLeaves = {1};
    EXPECT_FALSE(cpu.readStandardFeatures());
    EXPECT_FALSE(cpu.hasFpu);
    EXPECT_FALSE(cpu.hasTsc);
    EXPECT_EQ(cpu.logicalProcessors, 0u);
    EXPECT_EQ(processor.sseProbes, 0);
}

struct GateCase {
    const char* vendor;
    std::uint32_t signature;
    std::uint32_t highestExtendedLeaf;  // EAX of leaf 80000000h
    std::uint32_t leaf;
    bool available;
    bool asked;  // whether leaf 80000000h was executed
};

class ExtendedLeaves : public ::testing::TestWithParam<GateCase> {};

TEST_P(ExtendedLeaves, FollowTheMakersConditions) {
    const GateCase& c = GetParam();
    ScriptedProcessor processor;
    processor.setVendor(c.vendor);
    processor.setSignature(c.signature);
    processor.leaves[0x80000000u] = CpuidRegisters{c.highestExtendedLeaf, 0, 0, 0};
    CpuInfo cpu(processor);
    cpu.readVendorAndSignature();
    EXPECT_EQ(cpu.extendedLeafAvailable(c.leaf), c.available);
    EXPECT_EQ(processor.timesExecuted(0x80000000u) == 1, c.asked);
}

INSTANTIATE_TEST_SUITE_P(
    Rules, ExtendedLeaves,
    ::testing::Values(GateCase{"AuthenticAMD", 0x00000501, 0x80000005, 0x80000002, false, false},
                      GateCase{"AuthenticAMD", 0x00000562, 0x80000005, 0x80000002, true, true},
                      GateCase{"AuthenticAMD", 0x00000480, 0x80000005, 0x80000002, false, false},
                      GateCase{"AuthenticAMD", 0x00000644, 0x80000004, 0x80000005, false, true},
                      GateCase{"GenuineIntel", 0x00000F24, 0x80000004, 0x80000004, true, true},
                      GateCase{"GenuineIntel", 0x00000543, 0x80000004, 0x80000004, false, false},
                      // Family 6 answers like an extended leaf: a Core processor.
                      GateCase{"GenuineIntel", 0x000006F6, 0x80000008, 0x80000004, true, true},
                      GateCase{"GenuineIntel", 0x000006F6, 0x80000008, 0x80000009, false, true},
                      // Family 6 answering with basic-leaf data (the descriptors of leaf
                      // 2): a Pentium III, whose data would pass the range test.
                      GateCase{"GenuineIntel", 0x00000673, 0x03020101, 0x80000004, false, true},
                      GateCase{"GenuineIntel", 0x00000673, 0x00000000, 0x80000004, false, true},
                      GateCase{"CyrixInstead", 0x00000520, 0x80000005, 0x80000001, false, false},
                      GateCase{"CyrixInstead", 0x00000540, 0x80000005, 0x80000001, true, true},
                      GateCase{"CyrixInstead", 0x00000600, 0x80000005, 0x80000001, false, false},
                      GateCase{"CyrixInstead", 0x00000650, 0x80000005, 0x80000001, true, true},
                      GateCase{"CentaurHauls", 0x00000541, 0x80000005, 0x80000001, false, false},
                      GateCase{"CentaurHauls", 0x00000587, 0x80000005, 0x80000001, true, true},
                      GateCase{"GenuineTMx86", 0x00000480, 0x80000005, 0x80000001, false, false},
                      GateCase{"GenuineTMx86", 0x00000543, 0x80000006, 0x80000006, true, true},
                      GateCase{"RiseRiseRise", 0x00000300, 0x80000001, 0x80000001, true, true},
                      GateCase{"SiS SiS SiS ", 0x00000505, 0x00000000, 0x80000001, false, true},
                      // Compared without bit 31, as signed numbers.
                      GateCase{"AuthenticAMD", 0x00000F4A, 0x00000018, 0x80000004, true, true},
                      GateCase{"AuthenticAMD", 0x00000F4A, 0xFFFFFFFF, 0x80000004, true, true}));

TEST(CpuInfo, AFaultAskingTheExtendedRangeMakesLeavesUnavailable) {
    ScriptedProcessor processor;
    processor.setVendor("AuthenticAMD");
    processor.setSignature(0x644);
    processor.leaves[0x80000000u] = CpuidRegisters{0x80000008, 0, 0, 0};
    processor.faultingLeaves = {0x80000000u};
    CpuInfo cpu(processor);
    cpu.readVendorAndSignature();
    EXPECT_FALSE(cpu.extendedLeafAvailable(0x80000001u));
}

TEST(CpuInfo, ExtendedCachesAddInstructionAndDataCaches) {
    ScriptedProcessor processor;
    processor.setVendor("AuthenticAMD");
    processor.setSignature(0x644);
    processor.leaves[0x80000000u] = CpuidRegisters{0x80000006, 0, 0, 0};
    processor.leaves[0x80000005u] = CpuidRegisters{0, 0, 0x40020140, 0x40020140};
    processor.leaves[0x80000006u] = CpuidRegisters{0, 0, 0x01008140, 0};
    CpuInfo cpu(processor);
    cpu.readVendorAndSignature();
    ASSERT_TRUE(cpu.readExtendedCaches());
    EXPECT_EQ(cpu.l1CacheKb, 128);
    EXPECT_EQ(cpu.l2CacheKb, 256);
    EXPECT_EQ(cpu.l3CacheKb, -1);

    processor.leaves[0x80000000u].eax = 0x80000005;
    ASSERT_TRUE(cpu.readExtendedCaches()) << "one cache leaf is enough";
    EXPECT_EQ(cpu.l1CacheKb, 128);
    EXPECT_EQ(cpu.l2CacheKb, -1);

    processor.leaves[0x80000000u].eax = 0x80000004;
    EXPECT_FALSE(cpu.readExtendedCaches());
}

struct DescriptorCase {
    const char* what;
    std::vector<CpuidRegisters> executions;  // what leaf 2 answers, in turn
    bool succeeds;
    std::int32_t l1, l2, l3;
    int timesExecuted;
};

class CacheDescriptors : public ::testing::TestWithParam<DescriptorCase> {};

TEST_P(CacheDescriptors, AddUpOrFailTheStep) {
    const DescriptorCase& c = GetParam();
    // Leaf 2 answers each scripted execution in turn.
    class SequencedLeaf2 final : public ProcessorAccess {
      public:
        explicit SequencedLeaf2(const std::vector<CpuidRegisters>& answers) : answers_(answers) {}
        bool hasCpuid() override { return true; }
        bool cpuid(std::uint32_t leaf, CpuidRegisters& out) override {
            if (leaf != 2 || next_ >= answers_.size()) {
                return false;
            }
            out = answers_[next_++];
            return true;
        }
        bool readTimeStampCounter(std::uint64_t&) override { return false; }
        bool executeSseProbe() override { return false; }
        bool runBitScanLoop() override { return false; }
        bool queryPerformanceCounter(std::int64_t&) override { return false; }
        bool queryPerformanceFrequency(std::int64_t&) override { return false; }
        std::size_t executed() const { return next_; }

      private:
        std::vector<CpuidRegisters> answers_;
        std::size_t next_ = 0;
    } processor(c.executions);

    CpuInfo cpu(processor);
    EXPECT_EQ(cpu.readCacheDescriptors(), c.succeeds) << c.what;
    EXPECT_EQ(cpu.l1CacheKb, c.l1) << c.what;
    EXPECT_EQ(cpu.l2CacheKb, c.l2) << c.what;
    EXPECT_EQ(cpu.l3CacheKb, c.l3) << c.what;
    EXPECT_EQ(processor.executed(), static_cast<std::size_t>(c.timesExecuted)) << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    Leaf2, CacheDescriptors,
    ::testing::Values(
        DescriptorCase{"Pentium III", {{0x03020101, 0, 0, 0x0C040843}}, true, 32, 512, -1, 1},
        DescriptorCase{"49h is not a known descriptor",
                       {{0x00490001, 0, 0, 0x0C040843}},
                       false,
                       -1,
                       -1,
                       -1,
                       1},
        DescriptorCase{"40h after 43h", {{0x00404301, 0, 0, 0}}, true, -1, 512, -1, 1},
        DescriptorCase{"43h after 40h", {{0x00434001, 0, 0, 0}}, true, -1, 512, -1, 1},
        DescriptorCase{"40h alone", {{0x00004001, 0, 0, 0}}, true, -1, 0, -1, 1},
        DescriptorCase{"the larger size wins", {{0x00824101, 0x7E, 0, 0}}, true, -1, 256, -1, 1},
        DescriptorCase{"instruction cache alone", {{0x00000601, 0, 0, 0}}, true, 8, -1, -1, 1},
        DescriptorCase{"data cache alone", {{0x00006801, 0, 0, 0}}, true, 32, -1, -1, 1},
        DescriptorCase{"trace cache when no level 1", {{0x00007001, 0, 0, 0}}, true, 12, -1, -1, 1},
        DescriptorCase{
            "trace cache with a data cache", {{0x00700A01, 0, 0, 0}}, true, 8, -1, -1, 1},
        DescriptorCase{"level 3 in ECX", {{0x00000001, 0, 0x00002922, 0}}, true, -1, -1, 4096, 1},
        DescriptorCase{"a register with bit 31 set is read too",
                       {{0x00000001, 0x80000000, 0, 0}},
                       false,
                       -1,
                       -1,
                       -1,
                       1},
        DescriptorCase{"EAX byte 0 is the repeat count",
                       {{0x00000602, 0, 0, 0}, {0x00000A02, 0, 0, 0x45}},
                       true,
                       16,
                       2048,
                       -1,
                       2},
        DescriptorCase{
            "a fault in a repeated execution", {{0x00000603, 0, 0, 0}}, false, -1, -1, -1, 1}));

TEST(CpuInfo, DescriptorsFailingKeepTheExtendedCacheValues) {
    ScriptedProcessor processor;
    processor.setVendor("GenuineIntel");
    processor.setSignature(0xF24);
    processor.leaves[0x80000000u] = CpuidRegisters{0x80000004, 0, 0, 0};
    processor.leaves[2] = CpuidRegisters{0x00490001, 0, 0, 0};
    CpuInfo cpu(processor);
    cpu.identifyProcessor();
    EXPECT_EQ(processor.timesExecuted(2), 1);
    EXPECT_EQ(cpu.l1CacheKb, -1);
    EXPECT_EQ(cpu.l2CacheKb, -1);
    EXPECT_EQ(cpu.l3CacheKb, -1);
}

TEST(CpuInfo, ExtendedFeaturesByMaker) {
    struct Case {
        const char* vendor;
        std::uint32_t signature;
        std::uint32_t edx;
        bool threeDNow, threeDNowExt, amdMmxExt, mp, vendorMmxExt;
    };
    const std::uint32_t all = (1u << 31) | (1u << 30) | (1u << 22) | (1u << 19);
    for (const Case& c : {
             Case{"AuthenticAMD", 0x681, all, true, true, true, true, true},
             Case{"AuthenticAMD", 0x681, 1u << 24, false, false, false, false, false},
             Case{"CyrixInstead", 0x650, 1u << 24, false, false, false, false, true},
             Case{"CyrixInstead", 0x650, 1u << 22, false, false, true, false, false},
             Case{"CentaurHauls", 0x587, all, true, true, true, true, false},
             Case{"GenuineIntel", 0xF24, all, false, false, false, false, false},
         }) {
        ScriptedProcessor processor;
        processor.setVendor(c.vendor);
        processor.setSignature(c.signature);
        processor.leaves[0x80000000u] = CpuidRegisters{0x80000001, 0, 0, 0};
        processor.leaves[0x80000001u] = CpuidRegisters{0, 0, 0, c.edx};
        CpuInfo cpu(processor);
        cpu.readVendorAndSignature();
        cpu.readExtendedFeatures();
        const std::string what = std::string(c.vendor) + " " + std::to_string(c.edx);
        EXPECT_EQ(cpu.has3dNow, c.threeDNow) << what;
        EXPECT_EQ(cpu.has3dNowExt, c.threeDNowExt) << what;
        EXPECT_EQ(cpu.hasAmdMmxExt, c.amdMmxExt) << what;
        EXPECT_EQ(cpu.isMpCapable, c.mp) << what;
        EXPECT_EQ(cpu.hasVendorMmxExt, c.vendorMmxExt) << what;
    }
}

TEST(CpuInfo, BrandStringShiftIsForIntelOnly) {
    struct Case {
        const char* vendor;
        std::uint32_t signature;
        std::string brand;
        std::string name;
    };
    for (const Case& c : {
             Case{"GenuineIntel", 0xF24, "              Intel(R) Pentium(R) 4 CPU 1.60GHz",
                  "Intel(R) Pentium(R) 4 CPU 1.60GHz"},
             Case{"GenuineIntel", 0xF24, std::string("\0\0 Intel(R) Xeon(TM)", 20),
                  "Intel(R) Xeon(TM)"},
             Case{"AuthenticAMD", 0x681, "   AMD Athlon(tm) XP", "   AMD Athlon(tm) XP"},
             Case{"GenuineIntel", 0xF24, std::string(48, ' '), std::string(48, ' ')},
             Case{"GenuineIntel", 0xF24, std::string(47, ' ') + "X", "X"},
         }) {
        ScriptedProcessor processor;
        processor.setVendor(c.vendor);
        processor.setSignature(c.signature);
        processor.leaves[0x80000000u] = CpuidRegisters{0x80000004, 0, 0, 0};
        processor.setBrand(c.brand);
        CpuInfo cpu(processor);
        cpu.readVendorAndSignature();
        ASSERT_TRUE(cpu.readBrandString());
        EXPECT_EQ(std::string(cpu.displayName()), c.name) << c.vendor << " [" << c.brand << "]";
    }
}

TEST(CpuInfo, ABrandStringOfFortyEightCharactersIsKeptWhole) {
    const std::string brand = "AMD Athlon(tm) 64 X2 Dual Core Processor 3800+ZZ";
    ASSERT_EQ(brand.size(), 48u);
    ScriptedProcessor processor;
    processor.setVendor("AuthenticAMD");
    processor.setSignature(0x20FB1);
    processor.leaves[0x80000000u] = CpuidRegisters{0x80000008, 0, 0, 0};
    processor.setBrand(brand);
    CpuInfo cpu(processor);
    cpu.identifyProcessor();
    EXPECT_EQ(std::string(cpu.displayName()), brand);
}

TEST(CpuInfo, ABrandLeafFaultFallsBackToTheTables) {
    ScriptedProcessor processor;
    processor.setVendor("AuthenticAMD");
    processor.setSignature(0x644);
    processor.leaves[0x80000000u] = CpuidRegisters{0x80000004, 0, 0, 0};
    processor.setBrand("AMD Athlon(tm) Processor");
    processor.faultingLeaves = {0x80000003u};
    CpuInfo cpu(processor);
    EXPECT_FALSE(cpu.readBrandString());
    EXPECT_STREQ(cpu.displayName(), "");
    cpu.identifyProcessor();
    EXPECT_STREQ(cpu.displayName(), "Athlon\x99 (Thunderbird core)");
}

TEST(CpuInfo, SerialNumberIsPrintedMostSignificantByteFirst) {
    struct Case {
        std::uint32_t edx1;
        CpuidRegisters leaf3;
        const char* text;
    };
    for (const Case& c : {
             Case{1u << 18,
                  {0, 0x00000000, 0x12345678, 0x9ABCDEF0},
                  "0000-0000-1234-5678-9abc-def0"},
             Case{1u << 18,
                  {0, 0x0000A673, 0x51C0A7E2, 0x00006B3D},
                  "0000-a673-51c0-a7e2-0000-6b3d"},
             Case{0, {0, 1, 2, 3}, ""},
         }) {
        ScriptedProcessor processor;
        processor.setVendor("GenuineIntel");
        processor.setSignature(0x673, c.edx1);
        processor.leaves[3] = c.leaf3;
        CpuInfo cpu(processor);
        cpu.identifyProcessor();
        EXPECT_EQ(cpu.serialNumber.view(), c.text);
        EXPECT_EQ(processor.timesExecuted(3), c.edx1 != 0 ? 1 : 0);
    }
}

TEST(CpuInfo, AthlonModel8IsMpOrXpByItsExtendedFeatures) {
    for (bool mp : {true, false}) {
        ScriptedProcessor processor;
        processor.setVendor("AuthenticAMD");
        processor.setSignature(0x681, kTsc);
        processor.leaves[0x80000000u] = CpuidRegisters{0x80000001, 0, 0, 0};
        processor.leaves[0x80000001u] = CpuidRegisters{0, 0, 0, mp ? 1u << 19 : 0};
        CpuInfo cpu(processor);
        cpu.identifyProcessor();
        EXPECT_STREQ(cpu.displayName(), mp ? "Athlon\x99 MP (Thoroughbred core)"
                                           : "Athlon\x99 XP (Thoroughbred core)");
    }
}

TEST(CpuInfo, IntelFamily15OfALaterExtendedFamilyKeepsItsName) {
    ScriptedProcessor processor;
    processor.setVendor("GenuineIntel");
    processor.setSignature(0x00200F00);
    CpuInfo cpu(processor);
    cpu.identifyProcessor();
    EXPECT_EQ(cpu.extendedFamily, 2);
    EXPECT_STREQ(cpu.displayName(), "");
}

// A Core processor reports family 6 and carries a brand string; an old P6
// answers leaf 80000000h with basic-leaf data and keeps its table name.
TEST(CpuInfo, IntelFamily6UsesItsBrandStringWhenItHasOne) {
    ScriptedProcessor core;
    core.setVendor("GenuineIntel", 10);
    core.setSignature(0x000006F6, kTsc);
    core.leaves[0x80000000u] = CpuidRegisters{0x80000008, 0, 0, 0};
    core.setBrand("Intel(R) Core(TM)2 CPU          6600  @ 2.40GHz");
    CpuInfo modern(core);
    modern.identifyProcessor();
    EXPECT_STREQ(modern.displayName(), "Intel(R) Core(TM)2 CPU          6600  @ 2.40GHz");

    ScriptedProcessor katmai;
    katmai.setVendor("GenuineIntel");
    katmai.setSignature(0x00000673, kTsc);
    katmai.leaves[2] = CpuidRegisters{0x03020101, 0, 0, 0x0C040843};
    katmai.leaves[0x80000000u] = katmai.leaves[2];  // basic-leaf data
    katmai.setBrand("not a brand string");
    CpuInfo old(katmai);
    old.identifyProcessor();
    EXPECT_STREQ(old.displayName(), "Pentium\xAE III (0.25 \xB5m)");
    EXPECT_EQ(katmai.timesExecuted(0x80000002u), 0);
}

TEST(CpuInfo, StepsAfterAFaultStillRun) {
    ScriptedProcessor processor;
    processor.setVendor("GenuineIntel");
    processor.setSignature(0x673, kTsc | (1u << 18));
    processor.leaves[2] = CpuidRegisters{0x03020101, 0, 0, 0x0C040843};
    processor.leaves[3] = CpuidRegisters{0, 0, 0, 0x1};
    processor.faultingLeaves = {0x80000000u};
    CpuInfo cpu(processor);
    cpu.identifyProcessor();
    EXPECT_STREQ(cpu.displayName(), "Pentium\xAE III (0.25 \xB5m)");
    EXPECT_EQ(cpu.l2CacheKb, 512);
    EXPECT_EQ(cpu.serialNumber.view(), "0000-0000-0000-0000-0000-0001");
    EXPECT_NE(cpu.clock, nullptr);
}

}  // namespace
}  // namespace romwise

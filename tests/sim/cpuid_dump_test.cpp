// The processor part of a profile: CPUID text dumps, inline leaves and the
// difference between no `cpu` key and `cpu: null`.
#include <gtest/gtest.h>

#include "platform/sim/profile_loader.h"
#include "tests/sim/temp_profile_dir.h"

namespace romwise::sim {
namespace {

using testing::TempProfileDir;

void expectLeaf(const ProfileCpu& cpu, std::uint32_t leaf, std::uint32_t eax, std::uint32_t ebx,
                std::uint32_t ecx, std::uint32_t edx) {
    auto found = cpu.leaves.find(leaf);
    ASSERT_NE(found, cpu.leaves.end()) << "leaf " << std::hex << leaf;
    EXPECT_EQ(found->second.eax, eax) << "leaf " << std::hex << leaf;
    EXPECT_EQ(found->second.ebx, ebx) << "leaf " << std::hex << leaf;
    EXPECT_EQ(found->second.ecx, ecx) << "leaf " << std::hex << leaf;
    EXPECT_EQ(found->second.edx, edx) << "leaf " << std::hex << leaf;
}

TEST(CpuidDump, ReadsColonLinesAndKeepsTheFirstOfARepeatedLeaf) {
    TempProfileDir dir;
    dir.write("cpu.txt",
              "------[ CPU Info ]------\r\n"
              "CPUID Manufacturer: GenuineIntel\r\n"
              "CPUID Revision    : 000006F6h\r\n"
              "CPUID 00000000: 0000000A-756E6547-6C65746E-49656E69 [GenuineIntel]\r\n"
              "CPUID 00000001: 000006F6-00020800-0000E3BD-BFEBFBFF\r\n"
              "CPUID 00000004: 04000121-01C0003F-0000003F-00000001 [SL 00]\r\n"
              "CPUID 00000004: 04000122-01C0003F-0000003F-00000001 [SL 01]\r\n"
              "CPUID 80000002: 65746e49-2952286c-726f4320-4d542865\r\n"
              "CPUID 00000005: 00000040-00000040-00000003\r\n"
              "CPUID 00000006: 00000001-00000002-00000001-00000000x\r\n"
              "\r\n"
              "CPUID 00000001: 000006F6-01020800-0000E3BD-BFEBFBFF\r\n");
    const MachineProfile profile = dir.load(R"({"cpu": {"cpuidDump": "cpu.txt"}})");
    ASSERT_TRUE(profile.cpu.has_value());
    const ProfileCpu& cpu = *profile.cpu;
    expectLeaf(cpu, 0, 0x0000000A, 0x756E6547, 0x6C65746E, 0x49656E69);
    expectLeaf(cpu, 1, 0x000006F6, 0x00020800, 0x0000E3BD, 0xBFEBFBFF);
    expectLeaf(cpu, 4, 0x04000121, 0x01C0003F, 0x0000003F, 0x00000001);
    expectLeaf(cpu, 0x80000002, 0x65746E49, 0x2952286C, 0x726F4320, 0x4D542865);
    EXPECT_EQ(cpu.leaves.count(5), 0u) << "three registers are not a leaf";
    EXPECT_EQ(cpu.leaves.count(6), 0u) << "a register run into text is not a leaf";
    EXPECT_EQ(cpu.leaves.size(), 4u);
}

TEST(CpuidDump, ReadsLinesWithoutColon) {
    TempProfileDir dir;
    dir.write("p4.txt",
              "CPUID Registers (CPU #1):\n"
              "CPUID 00000000  \t00000005-756E6547-6C65746E-49656E69\n"
              "CPUID 00000001  \t00000F34-00020800-0000441D-BFEBFBFF\n"
              "CPUID 00000002\t605B5001-00000000-00000000-007C7040");
    const MachineProfile profile = dir.load(R"({"cpu": {"cpuidDump": "p4.txt"}})");
    expectLeaf(*profile.cpu, 0, 5, 0x756E6547, 0x6C65746E, 0x49656E69);
    expectLeaf(*profile.cpu, 1, 0xF34, 0x20800, 0x441D, 0xBFEBFBFF);
    expectLeaf(*profile.cpu, 2, 0x605B5001, 0, 0, 0x007C7040);
}

TEST(CpuidDump, InlineLeavesOverrideTheDump) {
    TempProfileDir dir;
    dir.write("cpu.txt",
              "CPUID 00000000: 00000001-756E6547-6C65746E-49656E69\n"
              "CPUID 00000001: 00000543-00000000-00000000-008001BF\n");
    const MachineProfile profile = dir.load(R"({"cpu": {
        "cpuidDump": "cpu.txt",
        "cpuid": {"0x1": ["0x52C", 0, 0, "0x1BF"], "0x80000000": [0, 0, 0, 0]},
        "sse": false, "clockMhz": 133, "counterFrequency": "0x369E99", "bsfLoopSeconds": 0.25}})");
    const ProfileCpu& cpu = *profile.cpu;
    expectLeaf(cpu, 0, 1, 0x756E6547, 0x6C65746E, 0x49656E69);
    expectLeaf(cpu, 1, 0x52C, 0, 0, 0x1BF);
    expectLeaf(cpu, 0x80000000, 0, 0, 0, 0);
    EXPECT_FALSE(cpu.sse);
    EXPECT_EQ(cpu.clockMhz, 133u);
    EXPECT_EQ(cpu.counterFrequency, 3579545u);
    EXPECT_DOUBLE_EQ(cpu.bsfLoopSeconds, 0.25);
}

TEST(CpuidDump, RefusesADumpWithoutLeaves) {
    TempProfileDir dir;
    dir.write("notes.txt", "CPUID Manufacturer: GenuineIntel\nnothing else\n");
    const ProfileError error = dir.refusal(R"({"cpu": {"cpuidDump": "notes.txt"}})");
    EXPECT_EQ(error.key(), "cpu.cpuidDump");
    EXPECT_NE(error.problem().find("no \"CPUID"), std::string::npos);
    EXPECT_EQ(dir.refusal(R"({"cpu": {"cpuidDump": "none.txt"}})").key(), "cpu.cpuidDump");
}

}  // namespace
}  // namespace romwise::sim

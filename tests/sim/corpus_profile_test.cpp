// Real dumps from the shared corpus, read in place: an AIDA64 CPUID report
// and a Dell memory copy of its SMBIOS area.
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <numeric>
#include <string>

#include <gtest/gtest.h>

#include "platform/sim/profile_loader.h"
#include "platform/sim/sim_physical_memory.h"
#include "tests/sim/temp_profile_dir.h"

namespace romwise::sim {
namespace {

namespace fs = std::filesystem;

TEST(CorpusProfile, LoadsARealCpuidReportAndSmbiosDump) {
    const fs::path corpus = ROMWISE_CORPUS_DIR;
    const fs::path cpuid = corpus / "cpuid/GenuineIntel00006F6_Conroe_CPUID.txt";
    const fs::path smbios = corpus / "smbios/dell_latitude-d610.bin";
    if (!fs::exists(cpuid) || !fs::exists(smbios)) {
        GTEST_SKIP() << "skipped: corpus not found";
    }
    testing::TempProfileDir dir;
    const MachineProfile profile = dir.load(R"({"cpu": {"cpuidDump": ")" + cpuid.string() +
                                            R"("}, "smbiosDump": ")" + smbios.string() + R"("})");

    // The report lists two logical processors; the first one's leaves count.
    const ProfileCpu& cpu = profile.cpu.value();
    EXPECT_EQ(cpu.leaves.at(0).ebx, 0x756E6547u);
    EXPECT_EQ(cpu.leaves.at(1).eax, 0x000006F6u);
    EXPECT_EQ(cpu.leaves.at(1).ebx, 0x00020800u);
    EXPECT_EQ(cpu.leaves.at(4).eax, 0x04000121u) << "sub-leaf 0 comes first";
    EXPECT_EQ(cpu.leaves.at(0x80000004).edx, 0x007A4847u);

    // The Dell file is a copy of memory from E0000h: entry point at 0, table
    // at 20h, its address field still E0020h; 2446 bytes of table.
    std::ifstream in(smbios, std::ios::binary);
    const std::vector<std::uint8_t> file((std::istreambuf_iterator<char>(in)),
                                         std::istreambuf_iterator<char>());
    const SimPhysicalMemory memory(profile.memory);
    const auto table = memory.read(0xE0000, 2446);
    EXPECT_TRUE(std::equal(table.begin(), table.end(), file.begin() + 0x20));
    const auto entry = memory.read(0xF0000, 0x1F);
    EXPECT_EQ(std::string(entry.begin(), entry.begin() + 4), "_SM_");
    EXPECT_EQ(entry[0x18] | entry[0x19] << 8 | entry[0x1A] << 16 | entry[0x1B] << 24, 0xE0000);
    EXPECT_EQ(std::accumulate(entry.begin(), entry.end(), 0u) & 0xFF, 0u);
    EXPECT_EQ(std::accumulate(entry.begin() + 0x10, entry.end(), 0u) & 0xFF, 0u);
}

}  // namespace
}  // namespace romwise::sim

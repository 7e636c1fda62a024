// Every real CPUID dump of the corpus, read in place, through the whole
// identification.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iostream>
#include <regex>
#include <sstream>
#include <string>

#include "cpu/cpu_info.h"
#include "platform/sim/cpuid_dump_parser.h"
#include "platform/sim/sim_devices.h"

namespace romwise {
namespace {

namespace fs = std::filesystem;

std::string readFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

TEST(CpuidCorpus, Explore) {
    const fs::path directory = fs::path(ROMWISE_CORPUS_DIR) / "cpuid";
    if (!fs::is_directory(directory)) {
        GTEST_SKIP() << "skipped: corpus not found at " << directory;
    }
    for (const auto& entry : fs::directory_iterator(directory)) {
        const std::string text = readFile(entry.path());
        sim::ProfileCpu profile;
        profile.leaves = sim::parseCpuidDump(text);
        profile.clockMhz = 1000;
        sim::SimProcessor processor(profile);
        CpuInfo cpu(processor);
        cpu.identifyProcessor();
        std::smatch m;
        std::string header;
        if (std::regex_search(text, m, std::regex("CPUID CPU Name *: *([^\\r\\n]*)"))) header = m[1];
        std::cout << entry.path().filename().string() << " | " << cpu.displayName() << " | " << header << " | " << cpu.measuredMhz() << " " << cpu.l1CacheKb << "/" << cpu.l2CacheKb << "/" << cpu.l3CacheKb << " " << cpu.serialNumber.c_str() << "\n";
    }
}

}  // namespace
}  // namespace romwise

// Every real CPUID dump of the corpus, read in place, through the whole
// identification: the signature and maker must agree with what the corpus
// listing and the dump's own header say, and the name with the processor's
// own brand string wherever the extended leaves may be used.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "cpu/cpu_info.h"
#include "platform/sim/cpuid_dump_parser.h"
#include "platform/sim/sim_processor_access.h"

namespace romwise {
namespace {

namespace fs = std::filesystem;

std::string readFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// One processor as the corpus listing describes it.
struct ListedDump {
    std::string file;             // relative to the corpus directory
    std::string vendorText;       // the 12 characters of leaf 0
    std::uint32_t signature = 0;  // EAX of leaf 1
};

// The rows "| cpuid/FILE | source | summary | "VENDOR" | EAX(1) | format |".
std::vector<ListedDump> listedDumps(const std::string& manifest) {
    static const std::regex row(
        R"row(^\| (cpuid/[^ |]+) \|[^|]*\|[^|]*\| "([^"]*)" \| ([0-9A-Fa-f]{8}) \|)row");
    std::vector<ListedDump> dumps;
    std::istringstream lines(manifest);
    std::string line;
    while (std::getline(lines, line)) {
        std::smatch m;
        if (std::regex_search(line, m, row)) {
            dumps.push_back(
                {m[1], m[2], static_cast<std::uint32_t>(std::stoul(m[3], nullptr, 16))});
        }
    }
    return dumps;
}

// The value of a "KEY : value" header line of the dump, without line ends.
std::optional<std::string> headerValue(const std::string& text, const std::string& key) {
    const std::regex line("(^|\\n)" + key + "[ \\t]*: ?([^\\r\\n]*)");
    std::smatch m;
    if (!std::regex_search(text, m, line)) {
        return std::nullopt;
    }
    return m[2].str();
}

// Blanks run together and trimmed: report tools print brand strings so.
std::string collapsedBlanks(const std::string& text) {
    std::string out;
    for (char c : text) {
        if (c == ' ' && (out.empty() || out.back() == ' ')) {
            continue;
        }
        out.push_back(c);
    }
    if (!out.empty() && out.back() == ' ') {
        out.pop_back();
    }
    return out;
}

// The brand string the dump's own leaves 80000002h-80000004h hold, up to its
// terminator; Intel's leading filler removed.
std::string brandFromLeaves(const std::map<std::uint32_t, sim::CpuidLeaf>& leaves, bool intel) {
    std::string brand;
    for (std::uint32_t leaf = 0x80000002u; leaf <= 0x80000004u; ++leaf) {
        const auto found = leaves.find(leaf);
        const sim::CpuidLeaf registers = found != leaves.end() ? found->second : sim::CpuidLeaf{};
        for (std::uint32_t value : {registers.eax, registers.ebx, registers.ecx, registers.edx}) {
            for (int byte = 0; byte < 4; ++byte) {
                brand.push_back(static_cast<char>((value >> (8 * byte)) & 0xFF));
            }
        }
    }
    if (intel) {
        const std::size_t first = brand.find_first_not_of(std::string(" \0", 2));
        brand.erase(0, first == std::string::npos ? 0 : first);
    }
    return brand.substr(0, brand.find('\0'));
}

// The EAX values of every leaf-1 line, as the dump writes them.
std::set<std::string> leaf1Signatures(const std::string& text) {
    static const std::regex line("CPUID 00000001[: \\t]+([0-9A-Fa-f]{8})-");
    std::set<std::string> signatures;
    for (auto it = std::sregex_iterator(text.begin(), text.end(), line);
         it != std::sregex_iterator(); ++it) {
        signatures.insert((*it)[1].str());
    }
    return signatures;
}

// The clock the report's "CPU Type" line names ("..., 1600 MHz ..."), else 1000.
std::uint32_t listedMhz(const std::string& text) {
    const std::optional<std::string> type = headerValue(text, "CPU Type");
    std::smatch m;
    if (type && std::regex_search(*type, m, std::regex(R"(, (\d+) MHz)"))) {
        return static_cast<std::uint32_t>(std::stoul(m[1]));
    }
    return 1000;
}

fs::path corpusDirectory() {
    return fs::path(ROMWISE_CORPUS_DIR);
}

std::vector<ListedDump> loadListing() {
    return listedDumps(readFile(corpusDirectory() / "MANIFEST.md"));
}

TEST(CpuidCorpus, EveryDumpAgreesWithItsListingAndHeader) {
    if (!fs::is_regular_file(corpusDirectory() / "MANIFEST.md")) {
        GTEST_SKIP() << "skipped: no corpus at " << corpusDirectory();
    }
    const std::vector<ListedDump> dumps = loadListing();
    std::size_t onDisk = 0;
    for (const auto& entry : fs::directory_iterator(corpusDirectory() / "cpuid")) {
        onDisk += entry.is_regular_file() ? 1 : 0;
    }
    ASSERT_EQ(dumps.size(), onDisk) << "every dump listed, every listed dump present";

    int brandsCompared = 0;
    int headerNamesCompared = 0;
    for (const ListedDump& dump : dumps) {
        SCOPED_TRACE(dump.file);
        const std::string text = readFile(corpusDirectory() / dump.file);
        sim::ProfileCpu profile;
        profile.leaves = sim::parseCpuidDump(text);
        ASSERT_TRUE(profile.leaves.count(0) != 0 && profile.leaves.count(1) != 0);
        profile.clockMhz = listedMhz(text);
        sim::SimProcessorAccess processor(profile);
        CpuInfo cpu(processor);
        cpu.identifyProcessor();

        // Maker and signature, as listed and as the dump's header says.
        EXPECT_EQ(cpu.vendorText.view(), dump.vendorText);
        EXPECT_EQ(cpu.stepping, static_cast<std::int32_t>(dump.signature & 0xF));
        EXPECT_EQ(cpu.model, static_cast<std::int32_t>((dump.signature >> 4) & 0xF));
        EXPECT_EQ(cpu.family, static_cast<std::int32_t>((dump.signature >> 8) & 0xF));
        EXPECT_EQ(cpu.processorType, static_cast<std::int32_t>((dump.signature >> 12) & 0xF));
        EXPECT_EQ(cpu.extendedModel, static_cast<std::int32_t>((dump.signature >> 16) & 0xF));
        EXPECT_EQ(cpu.extendedFamily, static_cast<std::int32_t>((dump.signature >> 20) & 0xFF));
        // Report tools name Transmeta's parts by their other vendor text, so
        // the header's text is compared by the maker it selects.
        if (const auto maker = headerValue(text, "CPUID Manufacturer")) {
            EXPECT_EQ(cpu.vendor, vendorFromText(maker->substr(0, 12))) << *maker;
        }
        // A report of several processors gives the revision of one of them;
        // the identification reads the first.
        if (const auto revision = headerValue(text, "CPUID Revision")) {
            EXPECT_TRUE(leaf1Signatures(text).count(revision->substr(0, 8)) != 0) << *revision;
        }

        // The name: the brand string wherever the extended leaves may be
        // used, a table name otherwise.
        const bool intel = cpu.vendor == CpuVendor::Intel;
        const bool brandAllowed = cpu.extendedLeafAvailable(0x80000002u) &&
                                  cpu.extendedLeafAvailable(0x80000003u) &&
                                  cpu.extendedLeafAvailable(0x80000004u);
        if (brandAllowed) {
            EXPECT_EQ(std::string(cpu.displayName()), brandFromLeaves(profile.leaves, intel));
            ++brandsCompared;
            if (const auto headerName = headerValue(text, "CPUID CPU Name")) {
                EXPECT_EQ(collapsedBlanks(cpu.displayName()), collapsedBlanks(*headerName));
                ++headerNamesCompared;
            }
        } else {
            EXPECT_NE(std::string(cpu.displayName()), "") << "a table name";
        }

        // The virtual clock is measured exactly.
        EXPECT_EQ(cpu.measuredMhz(), cpu.hasTsc ? static_cast<std::int32_t>(profile.clockMhz) : -1);
    }
    EXPECT_GE(brandsCompared, 40);
    EXPECT_GE(headerNamesCompared, 20);
}

// Named processors of the corpus whose outcome depends on the rules that are
// easy to get wrong: the family-6 gate of Intel, the shift of Intel's filler,
// the maker texts that match nothing, and the cache leaves.
TEST(CpuidCorpus, KnownProcessorsGetTheirNamesAndCaches) {
    if (!fs::is_directory(corpusDirectory() / "cpuid")) {
        GTEST_SKIP() << "skipped: no corpus at " << corpusDirectory();
    }
    struct Expected {
        const char* file;
        const char* name;
        CpuVendor vendor;
        std::int32_t l1, l2;
    };
    const Expected cases[] = {
        // A Pentium III answers 80000000h with nothing extended: table name,
        // caches from the leaf-2 descriptors.
        {"GenuineIntel0000673_P3_Katmai_CPUID.txt", "Pentium\xAE III (0.25 \xB5m)",
         CpuVendor::Intel, 32, 512},
        {"GenuineIntel0000683_P3_Coppermine_CPUID.txt",
         "Pentium\xAE III (0.18 \xB5m) With 256 KB On-Die L2 Cache ", CpuVendor::Intel, 32, 256},
        // Family-6 processors with a brand string use it, and the extended
        // cache leaves too (Intel leaves level 1 out of them: 0 KB).
        {"GenuineIntel00006F6_Conroe_CPUID.txt", "Intel(R) Core(TM)2 CPU         X6800  @ 2.93GHz",
         CpuVendor::Intel, 0, 4096},
        {"GenuineIntel00306C3_Haswell_CPUID.txt", "Intel(R) Core(TM) i7-4770 CPU @ 3.40GHz",
         CpuVendor::Intel, 0, 256},
        // Intel's filler before the brand is removed.
        {"GenuineIntel0000F24_P4_Northwood_CPUID.txt", "Intel(R) Pentium(R) 4 CPU 1.60GHz",
         CpuVendor::Intel, 8, 512},
        {"AuthenticAMD0000644_K7_Thunderbird_CPUID.txt", "AMD Athlon(tm) Processor", CpuVendor::Amd,
         128, 256},
        // A K5 of model 0 may not use extended leaves.
        {"AuthenticAMD0000501_K5_CPUID.txt", "SSA5 (PR75, PR90, PR100)", CpuVendor::Amd, -1, -1},
        {"GenuineIotel00306C3_Haswell_CPUID5.txt", nullptr, CpuVendor::UnknownVendor, -2, -2},
        {"Geode_by_NSC0000540_Geode_GX1_CPUID.txt",
         "Geode(TM) Integrated Processor by National Semi", CpuVendor::Nsc, -2, -2},
    };
    for (const Expected& c : cases) {
        SCOPED_TRACE(c.file);
        const fs::path path = corpusDirectory() / "cpuid" / c.file;
        ASSERT_TRUE(fs::is_regular_file(path));
        sim::ProfileCpu profile;
        profile.leaves = sim::parseCpuidDump(readFile(path));
        profile.clockMhz = 1000;
        sim::SimProcessorAccess processor(profile);
        CpuInfo cpu(processor);
        cpu.identifyProcessor();
        if (c.name != nullptr) {
            EXPECT_EQ(std::string(cpu.displayName()), c.name);
        }
        EXPECT_EQ(cpu.vendor, c.vendor);
        if (c.l1 != -2) {
            EXPECT_EQ(cpu.l1CacheKb, c.l1);
            EXPECT_EQ(cpu.l2CacheKb, c.l2);
        }
    }
}

}  // namespace
}  // namespace romwise

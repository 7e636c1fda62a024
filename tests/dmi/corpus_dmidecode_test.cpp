// Every SMBIOS dump of the shared corpus with an entry point, read by
// ReadDmi through a machine profile and compared with Debian's dmidecode
// decoding the same table. Where our rules differ from a plain decoding on
// purpose, the comparison says so at that field.
//
// Kinds of corpus files:
//   dump-bin        ("_SM_" at 0, table at the address field, 20h): profile
//                    and dmidecode read the file as it is;
//   memdump-E0000   (the same with the address field still E0020h): the
//                    profile reads the file; dmidecode a copy whose address
//                    field is 20h;
//   sysfs pairs     (NAME.smbios_entry_point + NAME.DMI): both read a dump
//                    put together from the pair in a temporary directory;
//   "_SM3_" only    a 64-bit entry point alone: read like the others;
//   raw tables      no entry point at all: skipped (nothing to compare).
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <numeric>
#include <optional>
#include <string>
#include <vector>

#include "dmi/little_endian.h"
#include "dmi/read_dmi.h"
#include "dmi/smbios_dump.h"
#include "platform/linux/linux_firmware_tables.h"
#include "platform/sim/profile_loader.h"
#include "platform/sim/sim_platform.h"
#include "platform/sim/smbios_dump_placement.h"
#include "tests/dmi/crafted_smbios.h"
#include "tests/dmi/dmidecode_decoding.h"
#include "tests/support/scratch_files.h"

namespace romwise::dmi_test {
namespace {

using test_support::CommandOutput;
using test_support::ReadFileBytes;
using test_support::RunCommand;
using test_support::ShellQuote;
using test_support::TempDirectory;

namespace fs = std::filesystem;

const fs::path kSmbiosCorpus = fs::path(ROMWISE_CORPUS_DIR) / "smbios";
constexpr char kNoCorpus[] = "(corpus not found)";
constexpr std::uint32_t kDumpTableOffset = 0x20;
// dmidecode lives in /usr/sbin, which a user's PATH may lack.
const std::string kWithSbin = "PATH=\"$PATH:/usr/sbin:/sbin\"; export PATH; ";

// The dump files, by name: NAME.bin, and NAME for a sysfs pair.
std::vector<std::string> CorpusDumps() {
    std::vector<std::string> names;
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(kSmbiosCorpus, error)) {
        const fs::path& path = entry.path();
        if (path.extension() == ".bin") {
            names.push_back(path.filename().string());
        } else if (path.extension() == ".smbios_entry_point") {
            names.push_back(path.stem().string());
        }
    }
    std::sort(names.begin(), names.end());
    if (names.empty()) {
        names.push_back(kNoCorpus);
    }
    return names;
}

bool StartsWith(const Bytes& bytes, const std::string& anchor) {
    return bytes.size() >= anchor.size() && std::equal(anchor.begin(), anchor.end(), bytes.begin());
}

struct PreparedDump {
    std::string skipReason;
    std::string profileDump;    // what the profile's "smbiosDump" names
    std::string dmidecodeDump;  // what dmidecode reads
};

PreparedDump Prepare(const std::string& name, const TempDirectory& dir) {
    PreparedDump prepared;
    const fs::path sysfsEntry = kSmbiosCorpus / (name + ".smbios_entry_point");
    Bytes entry;
    if (fs::exists(sysfsEntry)) {
        entry = ReadFileBytes(sysfsEntry);
        // Put together as --capture writes a dump: the table at 20h.
        const Bytes dump =
            DumpBin(SmbiosTables{entry, ReadFileBytes(kSmbiosCorpus / (name + ".DMI"))});
        prepared.profileDump = dir.writeBytes(name + ".dump", dump);
        prepared.dmidecodeDump = prepared.profileDump;
    } else {
        entry = ReadFileBytes(kSmbiosCorpus / name);
        prepared.profileDump = (kSmbiosCorpus / name).string();
        prepared.dmidecodeDump = prepared.profileDump;
        if (StartsWith(entry, "_SM_") && LoadDword(entry, 0x18) != kDumpTableOffset) {
            // A copy of memory from E0000h: dmidecode reads a rewritten copy.
            const Bytes table(entry.begin() + kDumpTableOffset, entry.end());
            prepared.dmidecodeDump =
                dir.writeBytes(name + ".dump", DumpBin(SmbiosTables{entry, table}));
        }
    }
    if (!StartsWith(entry, "_SM_") && !StartsWith(entry, "_SM3_")) {
        prepared.skipReason = "a structure table without an entry point";
    }
    return prepared;
}

struct Reading {
    bool found = false;
    DmiSummary summary;
    MemorySlotSizes slots;
};

// Reads with `reader` into a summary whose texts hold a marker, so that a
// field the table does not set shows as kept.
Reading ReadWith(DmiReader& reader) {
    Reading reading;
    reading.summary.manufacturer.assign(kKept);
    reading.summary.model.assign(kKept);
    reading.summary.biosVersion.assign(kKept);
    reading.summary.processorName.assign(kKept);
    reading.slots.capacity = kMemorySlotCapacity;
    reading.found = ReadDmi(reader, reading.summary, reading.slots);
    return reading;
}

Reading ReadThroughProfile(const std::string& smbiosDump, const TempDirectory& dir) {
    const std::string profile =
        dir.write("machine.json", R"({"smbiosDump": ")" + smbiosDump + R"("})");
    sim::SimPlatform platform(sim::loadMachineProfile(profile));
    DmiReader reader(platform.createPhysicalMemoryWindow());
    return ReadWith(reader);
}

// The same dump offered only as the kernel's copy in a /sys/firmware/dmi/
// tables folder: the entry point and the table, each in its own file.
Reading ReadThroughKernelCopy(const std::string& smbiosDump, const TempDirectory& dir) {
    const SmbiosTables tables = sim::splitSmbiosDump(ReadFileBytes(smbiosDump));
    const fs::path folder = dir.path() / "tables";
    fs::create_directories(folder);
    dir.writeBytes("tables/smbios_entry_point", tables.entryPoint);
    dir.writeBytes("tables/DMI", tables.table);
    LinuxFirmwareTables kernelCopy(folder.string());
    DmiReader reader(nullptr, &kernelCopy);  // no physical memory at all
    return ReadWith(reader);
}

void ExpectSameReading(const Reading& a, const Reading& b) {
    EXPECT_EQ(a.found, b.found);
    EXPECT_EQ(a.summary.majorVersion, b.summary.majorVersion);
    EXPECT_EQ(a.summary.minorVersion, b.summary.minorVersion);
    EXPECT_EQ(a.summary.romSizeBytes, b.summary.romSizeBytes);
    EXPECT_EQ(a.summary.biosCharacteristics, b.summary.biosCharacteristics);
    EXPECT_EQ(a.summary.manufacturer.str(), b.summary.manufacturer.str());
    EXPECT_EQ(a.summary.model.str(), b.summary.model.str());
    EXPECT_EQ(a.summary.biosVersion.str(), b.summary.biosVersion.str());
    EXPECT_EQ(a.summary.maxMemoryMb, b.summary.maxMemoryMb);
    EXPECT_EQ(a.summary.installedMemoryMb, b.summary.installedMemoryMb);
    EXPECT_EQ(a.summary.processorName.str(), b.summary.processorName.str());
    EXPECT_EQ(a.summary.currentSpeedMhz, b.summary.currentSpeedMhz);
    EXPECT_EQ(a.summary.maxSpeedMhz, b.summary.maxSpeedMhz);
    EXPECT_EQ(a.slots.count, b.slots.count);
    EXPECT_EQ(a.slots.sizeMb, b.slots.sizeMb);
}

std::vector<const DecodedStructure*> OfType(const std::vector<DecodedStructure>& all, int type) {
    std::vector<const DecodedStructure*> found;
    for (const DecodedStructure& s : all) {
        if (s.type == type) {
            found.push_back(&s);
        }
    }
    return found;
}

// Our text against dmidecode's: "<BAD INDEX>" means no string, so ours keeps
// what it held; "Not Specified" may be string number 0 or that very text.
template <std::size_t N>
void ExpectSameText(const FixedText<N>& ours, const std::optional<std::string>& shown,
                    const char* what) {
    if (!shown || *shown == "<BAD INDEX>") {
        EXPECT_EQ(ours.str(), kKept) << what;
    } else if (*shown == "Not Specified") {
        EXPECT_TRUE(ours.str() == kKept || ours.str() == *shown) << what << ": " << ours.str();
    } else {
        EXPECT_EQ(AsDmidecodeShowsIt(ours.str()), shown->substr(0, N - 1)) << what;
    }
}

// The size a Memory Device counts with in our rules: whole MB, from the
// Extended Size field for devices of 32 GB or more, as dmidecode shows it.
// dmidecode shows kilobyte sizes (bit 15), which our rules do not count, on
// purpose.
std::uint32_t CountedDeviceSize(const DecodedStructure& device) {
    const auto text = device.value("Size");
    if (!text || text->find("kB") != std::string::npos) {
        return 0;
    }
    return static_cast<std::uint32_t>(SizeInMegabytes(*text).value_or(0));
}

// "128 MB (Single-bank Connection)", "Not Installed", "Not Determinable".
std::uint32_t CountedModuleSize(const DecodedStructure& module) {
    const auto text = module.value("Installed Size");
    const auto megabytes = text ? SizeInMegabytes(*text) : std::nullopt;
    return megabytes ? static_cast<std::uint32_t>(*megabytes) : 0;
}

class CorpusDump : public ::testing::TestWithParam<std::string> {};

TEST_P(CorpusDump, ReadDmiAgreesWithDmidecode) {
    const std::string& name = GetParam();
    if (name == kNoCorpus) {
        GTEST_SKIP() << "skipped: corpus not found at " << kSmbiosCorpus;
    }
    if (RunCommand(kWithSbin + "command -v dmidecode >/dev/null").status != 0) {
        GTEST_SKIP() << "skipped: dmidecode is not installed";
    }
    TempDirectory dir;
    const PreparedDump prepared = Prepare(name, dir);
    if (!prepared.skipReason.empty()) {
        GTEST_SKIP() << "skipped: " << name << " is " << prepared.skipReason;
    }
    const Reading ours = ReadThroughProfile(prepared.profileDump, dir);
    {
        SCOPED_TRACE("the kernel's copy of the tables reads the same as physical memory");
        ExpectSameReading(ReadThroughKernelCopy(prepared.profileDump, dir), ours);
    }
    const CommandOutput decoded = RunCommand(kWithSbin + "dmidecode --from-dump " +
                                             ShellQuote(prepared.dmidecodeDump) + " 2>/dev/null");
    ASSERT_EQ(decoded.status, 0);
    const std::vector<DecodedStructure> table = ParseDmidecode(decoded.output);
    ASSERT_FALSE(table.empty());
    ASSERT_TRUE(ours.found);

    // BIOS: the first BIOS Information structure. The ROM size byte counts
    // only in the lengths of SMBIOS 2.0-2.3 (12h-14h); later structures give
    // 0 ("Unknown") on purpose, where dmidecode still shows a size.
    const auto bios = OfType(table, 0);
    if (bios.empty()) {
        EXPECT_EQ(ours.summary.romSizeBytes, 0u);
        EXPECT_EQ(ours.summary.biosVersion.str(), kKept);
    } else {
        ExpectSameText(ours.summary.biosVersion, bios[0]->value("Version"), "BIOS version");
        if (bios[0]->length >= 0x12 && bios[0]->length <= 0x14) {
            const auto romKb = SizeInKilobytes(bios[0]->value("ROM Size").value_or(""));
            ASSERT_TRUE(romKb.has_value());
            EXPECT_EQ(ours.summary.romSizeBytes, *romKb * 1024u);
        } else {
            EXPECT_EQ(ours.summary.romSizeBytes, 0u)
                << "a BIOS structure of " << bios[0]->length << " bytes has no size byte for us";
        }
    }

    // Maker and model: the last Base Board structure, or the last System
    // Information structure when the board maker names Dell.
    const auto boards = OfType(table, 2);
    const auto systems = OfType(table, 1);
    const DecodedStructure* names = boards.empty() ? nullptr : boards.back();
    const auto boardMaker = names ? StringValue(*names, "Manufacturer") : std::nullopt;
    if (boardMaker && boardMaker->find("Dell") != std::string::npos) {
        names = systems.empty() ? nullptr : systems.back();
    }
    ExpectSameText(ours.summary.manufacturer, names ? names->value("Manufacturer") : std::nullopt,
                   "maker");
    ExpectSameText(ours.summary.model, names ? names->value("Product Name") : std::nullopt,
                   "model");

    // Processor: the first Processor Information structure. A usable version
    // string is the name; otherwise our family table stands in, whose names
    // are ours, not dmidecode's, so only that a name came is checked.
    const auto processors = OfType(table, 4);
    if (processors.empty()) {
        EXPECT_EQ(ours.summary.processorName.str(), kKept);
        EXPECT_EQ(ours.summary.currentSpeedMhz, 0);
        EXPECT_EQ(ours.summary.maxSpeedMhz, 0);
    } else {
        const DecodedStructure& cpu = *processors[0];
        const auto version = StringValue(cpu, "Version");
        const bool usable = version && !version->empty() && version->front() != '0' &&
                            version->find_first_not_of(' ') != std::string::npos;
        if (usable) {
            ExpectSameText(ours.summary.processorName, version, "processor");
        }
        EXPECT_EQ(ours.summary.currentSpeedMhz, SpeedInMhz(cpu.value("Current Speed")));
        EXPECT_EQ(ours.summary.maxSpeedMhz, SpeedInMhz(cpu.value("Max Speed")));
    }

    // Installed memory and slots: Memory Devices by our size rule, else the
    // Memory Modules; at most 16 slots recorded, all of them counted.
    std::vector<std::uint32_t> sizes;
    for (const DecodedStructure* device : OfType(table, 17)) {
        sizes.push_back(CountedDeviceSize(*device));
    }
    std::uint64_t sum = std::accumulate(sizes.begin(), sizes.end(), std::uint64_t{0});
    if (sum == 0) {
        sizes.clear();
        for (const DecodedStructure* module : OfType(table, 6)) {
            sizes.push_back(CountedModuleSize(*module));
        }
        sum = std::accumulate(sizes.begin(), sizes.end(), std::uint64_t{0});
    }
    EXPECT_EQ(ours.summary.installedMemoryMb, sum);
    sizes.resize(std::min<std::size_t>(sizes.size(), kMemorySlotCapacity));
    EXPECT_EQ(std::vector<std::uint32_t>(ours.slots.sizeMb.begin(),
                                         ours.slots.sizeMb.begin() + ours.slots.count),
              sizes);

    // Maximum memory: the first Physical Memory Array, else the first Memory
    // Controller's module size times its slots.
    const auto arrays = OfType(table, 16);
    std::optional<std::uint64_t> maximum;
    if (!arrays.empty()) {
        maximum = SizeInMegabytes(arrays[0]->value("Maximum Capacity").value_or(""));
    }
    if (!maximum || *maximum == 0) {
        const auto controllers = OfType(table, 5);
        maximum = controllers.empty()
                      ? 0
                      : SizeInMegabytes(
                            controllers[0]->value("Maximum Total Memory Size").value_or("0 MB"));
    }
    EXPECT_EQ(ours.summary.maxMemoryMb, maximum.value_or(0));
}

INSTANTIATE_TEST_SUITE_P(Smbios, CorpusDump, ::testing::ValuesIn(CorpusDumps()),
                         [](const auto& info) {
                             std::string name = info.param;
                             for (char& c : name) {
                                 c = std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
                             }
                             return name;
                         });

}  // namespace
}  // namespace romwise::dmi_test

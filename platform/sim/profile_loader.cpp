#include "platform/sim/profile_loader.h"

#include <array>
#include <map>
#include <string_view>
#include <utility>

#include "hw/rom_window.h"
#include "model/message_text.h"
#include "platform/sim/cpuid_dump_parser.h"
#include "platform/sim/profile_fields.h"
#include "platform/sim/profile_json.h"
#include "platform/sim/profile_key_table.h"
#include "platform/sim/profile_superio.h"
#include "platform/sim/sim_physical_memory.h"
#include "platform/sim/smbios_dump_placement.h"

namespace romwise::sim {

// The message is one line whatever the profile holds: control bytes in file
// names, keys and quoted values are written out as escapes.
ProfileError::ProfileError(std::string file, std::string key, std::string problem)
    : std::runtime_error(escapeControlBytes(
          key.empty() ? file + ": " + problem : file + ": key \"" + key + "\": " + problem)),
      file_(std::move(file)),
      key_(std::move(key)),
      problem_(std::move(problem)) {}

namespace {

constexpr std::uint64_t kMaxPciDevice = 31;
// The simulated clock measurement reads the performance counter once per
// count for 2 x 50 ms of counts, so its frequency bounds the time a pass
// takes (about 0.4 s at 4 GHz). A counter from 1 Hz up to a time-stamp
// counter used as the performance counter; clocks up to 100 GHz.
constexpr std::uint64_t kMaxCounterFrequency = 4'000'000'000;
constexpr std::uint64_t kMaxClockMhz = 100'000;
constexpr std::uint64_t kMaxBitScanLoopSeconds = 1000;

// --- os ---------------------------------------------------------------------

// A key of the other family is almost always a profile whose family was
// forgotten, so it is refused rather than ignored.
template <OsFamily Family>
void onlyFor(const ProfileFields& fields, const std::string& key, const ProfileOs& os) {
    if (os.family != Family) {
        fields.fail(key, std::string("applies only when os.family is \"") +
                             (Family == OsFamily::Windows ? "windows" : "linux") + "\"");
    }
}
constexpr auto kWindowsOnly = onlyFor<OsFamily::Windows>;
constexpr auto kLinuxOnly = onlyFor<OsFamily::Linux>;

constexpr NamedValues<OsFamily> kFamilyNames{kOsFamilyNames, "family", "\"windows\" or \"linux\""};

constexpr auto kOsKeys = keyTable<ProfileOs>({
    {"family", choice<&ProfileOs::family, kFamilyNames>},
    {"platformId", field<&ProfileOs::platformId>, kOptional, kWindowsOnly},
    {"majorVersion", field<&ProfileOs::majorVersion>, kOptional, kWindowsOnly},
    {"minorVersion", field<&ProfileOs::minorVersion>, kOptional, kWindowsOnly},
    {"buildNumber", field<&ProfileOs::buildNumber>, kOptional, kWindowsOnly},
    {"servicePack", field<&ProfileOs::servicePack>, kOptional, kWindowsOnly},
    {"productType", field<&ProfileOs::productType>, kOptional, kWindowsOnly},
    {"extendedRecord", field<&ProfileOs::extendedRecord>, kOptional, kWindowsOnly},
    {"wow64Directory", nullableField<&ProfileOs::wow64Directory>, kOptional, kWindowsOnly},
    {"nativeArchitecture", nullableField<&ProfileOs::nativeArchitecture>, kOptional, kWindowsOnly},
    {"prettyName", field<&ProfileOs::prettyName>, kOptional, kLinuxOnly},
    {"name", field<&ProfileOs::name>, kOptional, kLinuxOnly},
    {"id", field<&ProfileOs::id>, kOptional, kLinuxOnly},
    {"versionId", field<&ProfileOs::versionId>, kOptional, kLinuxOnly},
    {"kernelRelease", field<&ProfileOs::kernelRelease>, kOptional, kLinuxOnly},
});

// --- small objects ----------------------------------------------------------

constexpr auto kCountryKeys = keyTable<CountryInfo>({
    {"code", field<&CountryInfo::code>},
    {"name", field<&CountryInfo::name>},
});

constexpr auto kBrowserKeys = keyTable<ProfileBrowser>({
    {"open", field<&ProfileBrowser::open>},
    {"direct", field<&ProfileBrowser::direct>},
});

// --- physical memory --------------------------------------------------------

void readRegionFile(const ProfileFields& fields, const ProfileValue& value, const std::string& key,
                    MemoryRegion& region) {
    region.bytes = fields.file(value, key);
}

constexpr auto kMemoryRegionKeys = keyTable<MemoryRegion>(
    {
        {"address", field<&MemoryRegion::address>, kRequired},
        {"file", readRegionFile, kRequired},
    },
    "a memory region needs both \"address\" and \"file\"");

// The last 64 KiB of the file appear at F0000h-FFFFFh; a shorter file ends
// at FFFFFh, like a small ROM at the top of the first megabyte.
void readRom(const ProfileFields& fields, const ProfileValue& value, const std::string& key,
             MachineProfile& profile) {
    std::vector<std::uint8_t> bytes = fields.file(value, key);
    if (bytes.empty()) {
        fields.fail(key, "the ROM file is empty");
    }
    if (bytes.size() > kRomLength) {
        // A copy, so that the rest of a whole flash image is not kept.
        bytes = std::vector<std::uint8_t>(bytes.end() - static_cast<std::ptrdiff_t>(kRomLength),
                                          bytes.end());
    }
    const std::uint64_t address = std::uint64_t{kRomBase} + kRomLength - bytes.size();
    profile.memory.push_back(MemoryRegion{address, std::move(bytes)});
}

void readMemory(const ProfileFields& fields, const ProfileValue& value, const std::string& key,
                MachineProfile& profile) {
    fields.array(value, key);
    for (std::size_t i = 0; i < value.size(); ++i) {
        const std::string itemKey = elementKey(key, i);
        MemoryRegion region;
        readObject(fields, value[i], itemKey, kMemoryRegionKeys, region);
        if (region.address >= SimPhysicalMemory::kAddressSpaceEnd ||
            region.bytes.size() > SimPhysicalMemory::kAddressSpaceEnd - region.address) {
            fields.fail(itemKey, "the region (" + std::to_string(region.bytes.size()) +
                                     " bytes at " + hexText(region.address) +
                                     ") reaches past 4 GiB, the end of physical memory");
        }
        profile.memory.push_back(std::move(region));
    }
}

void readSmbiosDump(const ProfileFields& fields, const ProfileValue& value, const std::string& key,
                    MachineProfile& profile) {
    const std::vector<std::uint8_t> dump = fields.file(value, key);
    try {
        SmbiosTables tables = splitSmbiosDump(dump);  // checks the dump whatever offers it
        if (profile.smbiosInMemory) {
            placeSmbiosDump(dump, profile.memory);
        }
        profile.smbiosTables = std::move(tables);
    } catch (const SmbiosDumpError& error) {
        fields.fail(key, error.what());
    }
}

// --- PCI --------------------------------------------------------------------

constexpr auto kPciDeviceKeys = keyTable<PciDevice>(
    {
        {"device", field<&PciDevice::device, kMaxPciDevice>, kRequired},
        {"vendor", field<&PciDevice::vendor>, kRequired},
        {"deviceId", field<&PciDevice::deviceId>, kRequired},
        {"revision", field<&PciDevice::revision>},
    },
    "a PCI device needs \"device\", \"vendor\" and \"deviceId\"");

void readPci(const ProfileFields& fields, const ProfileValue& value, const std::string& key,
             MachineProfile& profile) {
    fields.array(value, key);
    std::map<std::uint8_t, std::size_t> seen;
    for (std::size_t i = 0; i < value.size(); ++i) {
        const std::string itemKey = elementKey(key, i);
        PciDevice device;
        readObject(fields, value[i], itemKey, kPciDeviceKeys, device);
        auto [earlier, inserted] = seen.emplace(device.device, i);
        if (!inserted) {
            fields.fail(childKey(itemKey, "device"), "device " + std::to_string(device.device) +
                                                         " is already given by " +
                                                         elementKey(key, earlier->second));
        }
        profile.pci.push_back(device);
    }
}

// --- processor --------------------------------------------------------------

void readCpuidDump(const ProfileFields& fields, const ProfileValue& value, const std::string& key,
                   ProfileCpu& cpu) {
    const std::vector<std::uint8_t> bytes = fields.file(value, key);
    cpu.leaves =
        parseCpuidDump(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
    if (cpu.leaves.empty()) {
        fields.fail(key, "the dump has no \"CPUID xxxxxxxx: eax-ebx-ecx-edx\" lines");
    }
}

CpuidLeaf readCpuidLeaf(const ProfileFields& fields, const ProfileValue& value,
                        const std::string& key) {
    if (!value.isArray() || value.size() != 4) {
        fields.fail(key, "expected [eax, ebx, ecx, edx], got " + describeJson(value));
    }
    std::array<std::uint32_t, 4> e{};
    for (std::size_t i = 0; i < e.size(); ++i) {
        e[i] = scalarValue<std::uint32_t>(fields, value[i], elementKey(key, i));
    }
    return CpuidLeaf{e[0], e[1], e[2], e[3]};
}

void readCounterFrequency(const ProfileFields& fields, const ProfileValue& value,
                          const std::string& key, ProfileCpu& cpu) {
    cpu.counterFrequency = fields.unsignedValue(value, key, kMaxCounterFrequency);
    if (cpu.counterFrequency == 0) {
        fields.fail(key, "the counter frequency must be above 0");
    }
}

constexpr MapEntries<CpuidLeaf> kCpuidLeaves{"an object of leaf → [eax, ebx, ecx, edx]",
                                             readCpuidLeaf};

constexpr auto kCpuKeys = keyTable<ProfileCpu>({
    // The dump first: leaves given as "cpuid" replace the dump's.
    {"cpuidDump", readCpuidDump},
    {"cpuid", hexMap<&ProfileCpu::leaves, kCpuidLeaves>},
    {"sse", field<&ProfileCpu::sse>},
    {"clockMhz", field<&ProfileCpu::clockMhz, kMaxClockMhz>},
    {"counterFrequency", readCounterFrequency},
    {"bsfLoopSeconds", field<&ProfileCpu::bsfLoopSeconds, kMaxBitScanLoopSeconds>},
});

// --- the whole profile ------------------------------------------------------

constexpr NamedValues<DriverOutcome> kDriverNames{
    kDriverOutcomeNames, "driver", "direct, afterStart, afterInstall, missing or inactive"};
constexpr MapEntries<std::vector<std::uint8_t>> kPortAnswers{
    "an object of port → answers as hexadecimal bytes",
    [](const ProfileFields& fields, const ProfileValue& value, const std::string& key) {
        return fields.hexBytes(value, key);
    }};

// Memory is built in layers: the ROM, the further regions, then the SMBIOS
// table and its entry point, which need the ROM window to find a slot; so
// "rom", "memory" and "smbiosDump" keep this order.
constexpr auto kProfileKeys = keyTable<MachineProfile>({
    {"description", field<&MachineProfile::description>},
    {"os", object<&MachineProfile::os, kOsKeys>},
    {"administrator", field<&MachineProfile::administrator>},
    {"programPath", field<&MachineProfile::programPath>},
    {"driver", choice<&MachineProfile::driver, kDriverNames>},
    {"driverFailure", field<&MachineProfile::driverFailure>},
    {"memoryTotalBytes", field<&MachineProfile::memoryTotalBytes>},
    {"timeZoneMinutesWest", field<&MachineProfile::timeZoneMinutesWest>},
    {"country", nullableObject<&MachineProfile::country, kCountryKeys>},
    {"romMappable", field<&MachineProfile::romMappable>},
    {"physicalMemory", field<&MachineProfile::physicalMemory>},
    // Read before "smbiosDump", which it says where to put.
    {"smbiosInMemory", field<&MachineProfile::smbiosInMemory>},
    {"firmwareTables", field<&MachineProfile::offersFirmwareTables>},
    {"firmwareRom", field<&MachineProfile::offersFirmwareRom>},
    {"osPci", field<&MachineProfile::offersPciList>},
    {"dmiIdentity", field<&MachineProfile::offersIdentity>},
    {"rom", readRom},
    {"memory", readMemory},
    {"smbiosDump", readSmbiosDump},
    {"pci", readPci},
    {"superio", readSuperIo},
    {"portReads", hexMap<&MachineProfile::portReads, kPortAnswers>},
    {"cpu", nullableObject<&MachineProfile::cpu, kCpuKeys>},
    {"browser", object<&MachineProfile::browser, kBrowserKeys>},
});

MachineProfile parseProfile(const ProfileFields& fields, const std::vector<std::uint8_t>& text) {
    const ProfileValue root = parseProfileJson(text, fields);
    if (!root.isObject()) {
        fields.fail("", "expected a JSON object at the top level, got " + describeJson(root));
    }
    MachineProfile profile;
    profile.path = fields.path();
    profile.cpu = ProfileCpu{};  // a processor answering zeros unless `cpu` says otherwise
    readObject(fields, root, "", kProfileKeys, profile);
    return profile;
}

}  // namespace

MachineProfile loadMachineProfile(const std::string& path) {
    const ProfileFields fields(path);
    std::string problem;
    const auto bytes = readWholeFile(path, kMaxProfileBytes, problem);
    if (!bytes) {
        fields.fail("", "cannot read the profile: " + problem);
    }
    return parseProfile(fields, *bytes);
}

MachineProfile parseMachineProfile(const std::vector<std::uint8_t>& text, const std::string& path) {
    return parseProfile(ProfileFields(path), text);
}

}  // namespace romwise::sim

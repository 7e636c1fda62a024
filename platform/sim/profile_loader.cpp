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

using nlohmann::json;

constexpr std::uint64_t kMaxPciDevice = 31;
// The simulated clock measurement reads the performance counter once per
// count for 2 x 50 ms of counts, so its frequency bounds the time a pass
// takes (about 0.4 s at 4 GHz). A counter from 1 Hz up to a time-stamp
// counter used as the performance counter; clocks up to 100 GHz.
constexpr std::uint64_t kMaxCounterFrequency = 4'000'000'000;
constexpr std::uint64_t kMaxClockMhz = 100'000;
constexpr double kMaxBitScanLoopSeconds = 1000.0;
constexpr std::uint16_t kPciFirstPort = 0xCF8;
constexpr std::uint16_t kPciLastPort = 0xCFF;

class ProfileReader;

// One key of a JSON object: its name, whether the object needs it, and how
// its value goes into the target. `precondition`, when given, may refuse the
// key before its value is read.
template <typename Target>
struct KeyReader {
    const char* name;
    void (*read)(const ProfileReader& reader, const json& value, const std::string& key,
                 Target& target);
    bool required = false;
    void (*precondition)(const ProfileReader& reader, const std::string& key,
                         const Target& target) = nullptr;
};

// Reads the sections of a profile; each refuses what it cannot take.
class ProfileReader : public ProfileFields {
  public:
    explicit ProfileReader(std::string path) : ProfileFields(std::move(path)) {}

    MachineProfile load();
    MachineProfile parse(const std::vector<std::uint8_t>& text);

    // Refuses keys the table does not name; refuses the object with
    // `missingRequired` when a required key is absent; then reads every key
    // present, in the table's order.
    template <typename Target, std::size_t N>
    void readObject(const json& value, const std::string& key,
                    const std::array<KeyReader<Target>, N>& keys, Target& target,
                    const char* missingRequired = nullptr) const {
        std::array<const char*, N> names{};
        for (std::size_t i = 0; i < N; ++i) {
            names[i] = keys[i].name;
        }
        object(value, key, names);
        for (const KeyReader<Target>& entry : keys) {
            if (entry.required && !value.contains(entry.name)) {
                fail(key, missingRequired);
            }
        }
        for (const KeyReader<Target>& entry : keys) {
            if (!value.contains(entry.name)) {
                continue;
            }
            const std::string entryKey = childKey(key, entry.name);
            if (entry.precondition != nullptr) {
                entry.precondition(*this, entryKey, target);
            }
            entry.read(*this, value[entry.name], entryKey, target);
        }
    }

    template <typename Number>
    Number number(const json& value, const std::string& key, std::uint64_t max) const {
        return static_cast<Number>(unsignedValue(value, key, max));
    }

    void readRom(const json& value, MachineProfile& profile) const;
    void readMemory(const json& value, MachineProfile& profile) const;
    void readSmbiosDump(const json& value, MachineProfile& profile) const;
    void readPci(const json& value, MachineProfile& profile) const;
    void readSuperIo(const json& value, MachineProfile& profile) const;
    SuperIoChip readChip(const json& value, const std::string& key) const;
    std::vector<WriteSequence> readSequences(const json& value, const std::string& key) const;
    // An object of hexadecimal keys up to `maxKey`, each value read by `read`.
    template <typename Read>
    void readHexMap(const json& value, const std::string& key, const char* expected,
                    std::uint64_t maxKey, Read read) const;
    std::optional<ProfileCpu> readCpu(const json& value) const;
    void readCpuidDump(const json& value, std::map<std::uint32_t, CpuidLeaf>& leaves) const;
    DriverOutcome readDriver(const json& value) const;
};

// --- os ---------------------------------------------------------------------

// A key of the other family is almost always a profile whose family was
// forgotten, so it is refused rather than ignored.
template <OsFamily Family>
void onlyFor(const ProfileReader& reader, const std::string& key, const ProfileOs& os) {
    if (os.family != Family) {
        reader.fail(key, std::string("applies only when os.family is \"") +
                             (Family == OsFamily::Windows ? "windows" : "linux") + "\"");
    }
}
constexpr auto kWindowsOnly = onlyFor<OsFamily::Windows>;
constexpr auto kLinuxOnly = onlyFor<OsFamily::Linux>;

void readFamily(const ProfileReader& r, const json& v, const std::string& k, ProfileOs& os) {
    const std::string family = r.stringValue(v, k);
    for (const auto& [name, value] : kOsFamilyNames) {
        if (family == name) {
            os.family = value;
            return;
        }
    }
    r.fail(k, "unknown family \"" + family + "\" (expected \"windows\" or \"linux\")");
}

template <std::uint32_t ProfileOs::*Field>
void readOsDword(const ProfileReader& r, const json& v, const std::string& k, ProfileOs& os) {
    os.*Field = r.number<std::uint32_t>(v, k, kMaxDword);
}

template <std::string ProfileOs::*Field>
void readOsText(const ProfileReader& r, const json& v, const std::string& k, ProfileOs& os) {
    os.*Field = r.stringValue(v, k);
}

constexpr std::array<KeyReader<ProfileOs>, 15> kOsKeys = {{
    {"family", readFamily},
    {"platformId", readOsDword<&ProfileOs::platformId>, false, kWindowsOnly},
    {"majorVersion", readOsDword<&ProfileOs::majorVersion>, false, kWindowsOnly},
    {"minorVersion", readOsDword<&ProfileOs::minorVersion>, false, kWindowsOnly},
    {"buildNumber", readOsDword<&ProfileOs::buildNumber>, false, kWindowsOnly},
    {"servicePack", readOsText<&ProfileOs::servicePack>, false, kWindowsOnly},
    {"productType",
     [](const ProfileReader& r, const json& v, const std::string& k, ProfileOs& os) {
         os.productType = r.number<std::uint8_t>(v, k, kMaxByte);
     },
     false, kWindowsOnly},
    {"extendedRecord",
     [](const ProfileReader& r, const json& v, const std::string& k, ProfileOs& os) {
         os.extendedRecord = r.boolValue(v, k);
     },
     false, kWindowsOnly},
    {"wow64Directory",
     [](const ProfileReader& r, const json& v, const std::string& k, ProfileOs& os) {
         if (!v.is_null()) {
             os.wow64Directory = r.stringValue(v, k);
         }
     },
     false, kWindowsOnly},
    {"nativeArchitecture",
     [](const ProfileReader& r, const json& v, const std::string& k, ProfileOs& os) {
         if (!v.is_null()) {
             os.nativeArchitecture = r.number<std::uint16_t>(v, k, kMaxWord);
         }
     },
     false, kWindowsOnly},
    {"prettyName", readOsText<&ProfileOs::prettyName>, false, kLinuxOnly},
    {"name", readOsText<&ProfileOs::name>, false, kLinuxOnly},
    {"id", readOsText<&ProfileOs::id>, false, kLinuxOnly},
    {"versionId", readOsText<&ProfileOs::versionId>, false, kLinuxOnly},
    {"kernelRelease", readOsText<&ProfileOs::kernelRelease>, false, kLinuxOnly},
}};

// --- small objects ----------------------------------------------------------

constexpr std::array<KeyReader<CountryInfo>, 2> kCountryKeys = {{
    {"code", [](const ProfileReader& r, const json& v, const std::string& k,
                CountryInfo& c) { c.code = r.stringValue(v, k); }},
    {"name", [](const ProfileReader& r, const json& v, const std::string& k,
                CountryInfo& c) { c.name = r.stringValue(v, k); }},
}};

constexpr std::array<KeyReader<ProfileBrowser>, 2> kBrowserKeys = {{
    {"open", [](const ProfileReader& r, const json& v, const std::string& k,
                ProfileBrowser& b) { b.open = r.boolValue(v, k); }},
    {"direct", [](const ProfileReader& r, const json& v, const std::string& k,
                  ProfileBrowser& b) { b.direct = r.boolValue(v, k); }},
}};

constexpr std::array<KeyReader<MemoryRegion>, 2> kMemoryRegionKeys = {{
    {"address",
     [](const ProfileReader& r, const json& v, const std::string& k, MemoryRegion& region) {
         region.address = r.unsignedValue(v, k, kMaxQword);
     },
     true},
    {"file",
     [](const ProfileReader& r, const json& v, const std::string& k, MemoryRegion& region) {
         region.bytes = r.file(v, k);
     },
     true},
}};

constexpr std::array<KeyReader<PciDevice>, 4> kPciDeviceKeys = {{
    {"device",
     [](const ProfileReader& r, const json& v, const std::string& k, PciDevice& d) {
         d.device = r.number<std::uint8_t>(v, k, kMaxPciDevice);
     },
     true},
    {"vendor",
     [](const ProfileReader& r, const json& v, const std::string& k, PciDevice& d) {
         d.vendor = r.number<std::uint16_t>(v, k, kMaxWord);
     },
     true},
    {"deviceId",
     [](const ProfileReader& r, const json& v, const std::string& k, PciDevice& d) {
         d.deviceId = r.number<std::uint16_t>(v, k, kMaxWord);
     },
     true},
    {"revision", [](const ProfileReader& r, const json& v, const std::string& k,
                    PciDevice& d) { d.revision = r.number<std::uint8_t>(v, k, kMaxByte); }},
}};

using RegisterWrite = std::pair<std::uint8_t, std::uint8_t>;
constexpr std::array<KeyReader<RegisterWrite>, 2> kRegisterWriteKeys = {{
    {"register",
     [](const ProfileReader& r, const json& v, const std::string& k, RegisterWrite& w) {
         w.first = r.number<std::uint8_t>(v, k, kMaxByte);
     },
     true},
    {"value",
     [](const ProfileReader& r, const json& v, const std::string& k, RegisterWrite& w) {
         w.second = r.number<std::uint8_t>(v, k, kMaxByte);
     },
     true},
}};

// --- Super I/O chips --------------------------------------------------------

template <std::uint8_t SuperIoChip::*Field>
void readChipByte(const ProfileReader& r, const json& v, const std::string& k, SuperIoChip& c) {
    c.*Field = r.number<std::uint8_t>(v, k, kMaxByte);
}

constexpr std::array<KeyReader<SuperIoChip>, 9> kChipKeys = {{
    {"indexPort",
     [](const ProfileReader& r, const json& v, const std::string& k, SuperIoChip& c) {
         c.indexPort = r.number<std::uint16_t>(v, k, kMaxWord);
         c.dataPort = static_cast<std::uint16_t>(c.indexPort + 1);
     },
     true},
    {"dataPort", [](const ProfileReader& r, const json& v, const std::string& k,
                    SuperIoChip& c) { c.dataPort = r.number<std::uint16_t>(v, k, kMaxWord); }},
    {"unlock", [](const ProfileReader& r, const json& v, const std::string& k,
                  SuperIoChip& c) { c.unlock = r.readSequences(v, k); }},
    {"lock", [](const ProfileReader& r, const json& v, const std::string& k,
                SuperIoChip& c) { c.lock = r.readSequences(v, k); }},
    {"lockOnRegisterWrite",
     [](const ProfileReader& r, const json& v, const std::string& k, SuperIoChip& c) {
         RegisterWrite write;
         r.readObject(v, k, kRegisterWriteKeys, write, "needs both \"register\" and \"value\"");
         c.lockOnRegisterWrite = write;
     }},
    {"registers",
     [](const ProfileReader& r, const json& v, const std::string& k, SuperIoChip& c) {
         r.readHexMap(v, k, "an object of register → value", kMaxByte,
                      [&](std::uint64_t reg, const json& byte, const std::string& regKey) {
                          c.registers[static_cast<std::uint8_t>(reg)] =
                              r.number<std::uint8_t>(byte, regKey, kMaxByte);
                      });
     }},
    {"defaultRegister", readChipByte<&SuperIoChip::defaultRegister>},
    {"sequences",
     [](const ProfileReader& r, const json& v, const std::string& k, SuperIoChip& c) {
         r.readHexMap(v, k, "an object of register → list of values", kMaxByte,
                      [&](std::uint64_t reg, const json& list, const std::string& regKey) {
                          r.array(list, regKey);
                          if (list.empty()) {
                              r.fail(regKey, "a sequence needs at least one value");
                          }
                          std::vector<std::uint8_t> values;
                          for (std::size_t i = 0; i < list.size(); ++i) {
                              values.push_back(
                                  r.number<std::uint8_t>(list[i], elementKey(regKey, i), kMaxByte));
                          }
                          c.sequences[static_cast<std::uint8_t>(reg)] = std::move(values);
                      });
     }},
    {"lockedRead", readChipByte<&SuperIoChip::lockedRead>},
}};

// --- processor --------------------------------------------------------------

constexpr std::array<KeyReader<ProfileCpu>, 6> kCpuKeys = {{
    // The dump first: leaves given as "cpuid" replace the dump's.
    {"cpuidDump", [](const ProfileReader& r, const json& v, const std::string&,
                     ProfileCpu& cpu) { r.readCpuidDump(v, cpu.leaves); }},
    {"cpuid",
     [](const ProfileReader& r, const json& v, const std::string& k, ProfileCpu& cpu) {
         r.readHexMap(
             v, k, "an object of leaf → [eax, ebx, ecx, edx]", kMaxDword,
             [&](std::uint64_t leaf, const json& registers, const std::string& leafKey) {
                 if (!registers.is_array() || registers.size() != 4) {
                     r.fail(leafKey,
                            "expected [eax, ebx, ecx, edx], got " + describeJson(registers));
                 }
                 std::array<std::uint32_t, 4> e{};
                 for (std::size_t i = 0; i < e.size(); ++i) {
                     e[i] =
                         r.number<std::uint32_t>(registers[i], elementKey(leafKey, i), kMaxDword);
                 }
                 cpu.leaves[static_cast<std::uint32_t>(leaf)] = CpuidLeaf{e[0], e[1], e[2], e[3]};
             });
     }},
    {"sse", [](const ProfileReader& r, const json& v, const std::string& k,
               ProfileCpu& cpu) { cpu.sse = r.boolValue(v, k); }},
    {"clockMhz",
     [](const ProfileReader& r, const json& v, const std::string& k, ProfileCpu& cpu) {
         cpu.clockMhz = r.number<std::uint32_t>(v, k, kMaxClockMhz);
     }},
    {"counterFrequency",
     [](const ProfileReader& r, const json& v, const std::string& k, ProfileCpu& cpu) {
         cpu.counterFrequency = r.unsignedValue(v, k, kMaxCounterFrequency);
         if (cpu.counterFrequency == 0) {
             r.fail(k, "the counter frequency must be above 0");
         }
     }},
    {"bsfLoopSeconds",
     [](const ProfileReader& r, const json& v, const std::string& k, ProfileCpu& cpu) {
         cpu.bsfLoopSeconds = r.secondsValue(v, k, kMaxBitScanLoopSeconds);
     }},
}};

// --- the whole profile ------------------------------------------------------

template <bool MachineProfile::*Field>
void readSwitch(const ProfileReader& r, const json& v, const std::string& k, MachineProfile& p) {
    p.*Field = r.boolValue(v, k);
}

// Memory is built in layers: the ROM, the further regions, then the SMBIOS
// table and its entry point, which need the ROM window to find a slot; so
// "rom", "memory" and "smbiosDump" keep this order.
constexpr std::array<KeyReader<MachineProfile>, 21> kProfileKeys = {{
    {"description", [](const ProfileReader& r, const json& v, const std::string& k,
                       MachineProfile& p) { p.description = r.stringValue(v, k); }},
    {"os", [](const ProfileReader& r, const json& v, const std::string& k,
              MachineProfile& p) { r.readObject(v, k, kOsKeys, p.os); }},
    {"administrator", readSwitch<&MachineProfile::administrator>},
    {"programPath", [](const ProfileReader& r, const json& v, const std::string& k,
                       MachineProfile& p) { p.programPath = r.stringValue(v, k); }},
    {"driver", [](const ProfileReader& r, const json& v, const std::string&,
                  MachineProfile& p) { p.driver = r.readDriver(v); }},
    {"driverFailure", [](const ProfileReader& r, const json& v, const std::string& k,
                         MachineProfile& p) { p.driverFailure = r.stringValue(v, k); }},
    {"memoryTotalBytes",
     [](const ProfileReader& r, const json& v, const std::string& k, MachineProfile& p) {
         p.memoryTotalBytes = r.unsignedValue(v, k, kMaxQword);
     }},
    {"timeZoneMinutesWest", [](const ProfileReader& r, const json& v, const std::string& k,
                               MachineProfile& p) { p.timeZoneMinutesWest = r.signedValue(v, k); }},
    {"country",
     [](const ProfileReader& r, const json& v, const std::string& k, MachineProfile& p) {
         if (v.is_null()) {
             return;
         }
         CountryInfo country;
         r.readObject(v, k, kCountryKeys, country);
         p.country = country;
     }},
    {"romMappable", readSwitch<&MachineProfile::romMappable>},
    {"physicalMemory", readSwitch<&MachineProfile::physicalMemory>},
    // Read before "smbiosDump", which they say where to put.
    {"smbiosInMemory", readSwitch<&MachineProfile::smbiosInMemory>},
    {"firmwareTables", readSwitch<&MachineProfile::offersFirmwareTables>},
    {"rom", [](const ProfileReader& r, const json& v, const std::string&,
               MachineProfile& p) { r.readRom(v, p); }},
    {"memory", [](const ProfileReader& r, const json& v, const std::string&,
                  MachineProfile& p) { r.readMemory(v, p); }},
    {"smbiosDump", [](const ProfileReader& r, const json& v, const std::string&,
                      MachineProfile& p) { r.readSmbiosDump(v, p); }},
    {"pci", [](const ProfileReader& r, const json& v, const std::string&,
               MachineProfile& p) { r.readPci(v, p); }},
    {"superio", [](const ProfileReader& r, const json& v, const std::string&,
                   MachineProfile& p) { r.readSuperIo(v, p); }},
    {"portReads",
     [](const ProfileReader& r, const json& v, const std::string& k, MachineProfile& p) {
         r.readHexMap(v, k, "an object of port → answers as hexadecimal bytes", kMaxWord,
                      [&](std::uint64_t port, const json& answers, const std::string& portKey) {
                          p.portReads[static_cast<std::uint16_t>(port)] =
                              r.hexBytes(answers, portKey);
                      });
     }},
    {"cpu", [](const ProfileReader& r, const json& v, const std::string&,
               MachineProfile& p) { p.cpu = r.readCpu(v); }},
    {"browser", [](const ProfileReader& r, const json& v, const std::string& k,
                   MachineProfile& p) { r.readObject(v, k, kBrowserKeys, p.browser); }},
}};

DriverOutcome ProfileReader::readDriver(const json& value) const {
    const std::string name = stringValue(value, "driver");
    for (const auto& [text, outcome] : kDriverOutcomeNames) {
        if (name == text) {
            return outcome;
        }
    }
    fail("driver", "unknown driver \"" + name +
                       "\" (expected direct, afterStart, afterInstall, missing or inactive)");
}

// The last 64 KiB of the file appear at F0000h-FFFFFh; a shorter file ends
// at FFFFFh, like a small ROM at the top of the first megabyte.
void ProfileReader::readRom(const json& value, MachineProfile& profile) const {
    std::vector<std::uint8_t> bytes = file(value, "rom");
    if (bytes.empty()) {
        fail("rom", "the ROM file is empty");
    }
    if (bytes.size() > kRomLength) {
        // A copy, so that the rest of a whole flash image is not kept.
        bytes = std::vector<std::uint8_t>(bytes.end() - static_cast<std::ptrdiff_t>(kRomLength),
                                          bytes.end());
    }
    const std::uint64_t address = std::uint64_t{kRomBase} + kRomLength - bytes.size();
    profile.memory.push_back(MemoryRegion{address, std::move(bytes)});
}

void ProfileReader::readMemory(const json& value, MachineProfile& profile) const {
    const std::string key = "memory";
    array(value, key);
    for (std::size_t i = 0; i < value.size(); ++i) {
        const std::string itemKey = elementKey(key, i);
        MemoryRegion region;
        readObject(value[i], itemKey, kMemoryRegionKeys, region,
                   "a memory region needs both \"address\" and \"file\"");
        if (region.address >= SimPhysicalMemory::kAddressSpaceEnd ||
            region.bytes.size() > SimPhysicalMemory::kAddressSpaceEnd - region.address) {
            fail(itemKey, "the region (" + std::to_string(region.bytes.size()) + " bytes at " +
                              hexText(region.address) +
                              ") reaches past 4 GiB, the end of physical memory");
        }
        profile.memory.push_back(std::move(region));
    }
}

void ProfileReader::readSmbiosDump(const json& value, MachineProfile& profile) const {
    const std::vector<std::uint8_t> dump = file(value, "smbiosDump");
    try {
        SmbiosTables tables = splitSmbiosDump(dump);  // checks the dump whatever offers it
        if (profile.smbiosInMemory) {
            placeSmbiosDump(dump, profile.memory);
        }
        if (profile.offersFirmwareTables) {
            profile.firmwareTables = std::move(tables);
        }
    } catch (const SmbiosDumpError& error) {
        fail("smbiosDump", error.what());
    }
}

void ProfileReader::readPci(const json& value, MachineProfile& profile) const {
    const std::string key = "pci";
    array(value, key);
    std::map<std::uint8_t, std::size_t> seen;
    for (std::size_t i = 0; i < value.size(); ++i) {
        const std::string itemKey = elementKey(key, i);
        PciDevice device;
        readObject(value[i], itemKey, kPciDeviceKeys, device,
                   "a PCI device needs \"device\", \"vendor\" and \"deviceId\"");
        auto [earlier, inserted] = seen.emplace(device.device, i);
        if (!inserted) {
            fail(childKey(itemKey, "device"), "device " + std::to_string(device.device) +
                                                  " is already given by " +
                                                  elementKey(key, earlier->second));
        }
        profile.pci.push_back(device);
    }
}

std::vector<WriteSequence> ProfileReader::readSequences(const json& value,
                                                        const std::string& key) const {
    array(value, key);
    std::vector<WriteSequence> sequences;
    for (std::size_t s = 0; s < value.size(); ++s) {
        const std::string sequenceKey = elementKey(key, s);
        const json& sequence = array(value[s], sequenceKey);
        if (sequence.empty()) {
            fail(sequenceKey, "a sequence needs at least one [port, value] write");
        }
        WriteSequence writes;
        for (std::size_t w = 0; w < sequence.size(); ++w) {
            const std::string writeKey = elementKey(sequenceKey, w);
            const json& write = sequence[w];
            if (!write.is_array() || write.size() != 2) {
                fail(writeKey, "expected a [port, value] pair, got " + describeJson(write));
            }
            writes.emplace_back(number<std::uint16_t>(write[0], elementKey(writeKey, 0), kMaxWord),
                                number<std::uint8_t>(write[1], elementKey(writeKey, 1), kMaxByte));
        }
        sequences.push_back(std::move(writes));
    }
    return sequences;
}

template <typename Read>
void ProfileReader::readHexMap(const json& value, const std::string& key, const char* expected,
                               std::uint64_t maxKey, Read read) const {
    if (!value.is_object()) {
        fail(key, std::string("expected ") + expected + ", got " + describeJson(value));
    }
    for (const auto& [name, item] : value.items()) {
        if (isNoteKey(name)) {
            continue;
        }
        const std::string itemKey = entryKey(key, name);
        read(hexKey(name, itemKey, maxKey), item, itemKey);
    }
}

SuperIoChip ProfileReader::readChip(const json& value, const std::string& key) const {
    SuperIoChip chip;
    readObject(value, key, kChipKeys, chip, "a Super I/O chip needs \"indexPort\"");
    if (!value.contains("dataPort") && chip.indexPort == kMaxWord) {
        fail(childKey(key, "indexPort"), "port 0xFFFF leaves no room for the data port after it");
    }
    return chip;
}

void ProfileReader::readSuperIo(const json& value, MachineProfile& profile) const {
    const std::string key = "superio";
    array(value, key);
    std::map<std::uint16_t, std::size_t> claimed;  // port → chip
    for (std::size_t i = 0; i < value.size(); ++i) {
        const std::string chipKey = elementKey(key, i);
        SuperIoChip chip = readChip(value[i], chipKey);
        const std::pair<const char*, std::uint16_t> ports[] = {{"indexPort", chip.indexPort},
                                                               {"dataPort", chip.dataPort}};
        for (const auto& [name, port] : ports) {
            if (port >= kPciFirstPort && port <= kPciLastPort) {
                fail(childKey(chipKey, name),
                     "port " + hexText(port) + " belongs to PCI configuration (0xCF8-0xCFF)");
            }
            auto found = claimed.find(port);
            if (found != claimed.end() && found->second != i) {
                fail(childKey(chipKey, name), "port " + hexText(port) + " is already claimed by " +
                                                  elementKey(key, found->second));
            }
            claimed.emplace(port, i);
        }
        profile.superio.push_back(std::move(chip));
    }
}

void ProfileReader::readCpuidDump(const json& value,
                                  std::map<std::uint32_t, CpuidLeaf>& leaves) const {
    const std::string key = "cpu.cpuidDump";
    const std::vector<std::uint8_t> bytes = file(value, key);
    leaves =
        parseCpuidDump(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
    if (leaves.empty()) {
        fail(key, "the dump has no \"CPUID xxxxxxxx: eax-ebx-ecx-edx\" lines");
    }
}

std::optional<ProfileCpu> ProfileReader::readCpu(const json& value) const {
    if (value.is_null()) {
        return std::nullopt;
    }
    ProfileCpu cpu;
    readObject(value, "cpu", kCpuKeys, cpu);
    return cpu;
}

MachineProfile ProfileReader::load() {
    std::string problem;
    const auto bytes = readWholeFile(path(), kMaxProfileBytes, problem);
    if (!bytes) {
        fail("", "cannot read the profile: " + problem);
    }
    return parse(*bytes);
}

MachineProfile ProfileReader::parse(const std::vector<std::uint8_t>& text) {
    const json root = parseProfileJson(text, *this);
    if (!root.is_object()) {
        fail("", "expected a JSON object at the top level, got " + describeJson(root));
    }

    MachineProfile profile;
    profile.path = path();
    profile.cpu = ProfileCpu{};  // a processor answering zeros unless `cpu` says otherwise
    readObject(root, "", kProfileKeys, profile);
    return profile;
}

}  // namespace

MachineProfile loadMachineProfile(const std::string& path) {
    return ProfileReader(path).load();
}

MachineProfile parseMachineProfile(const std::vector<std::uint8_t>& text, const std::string& path) {
    return ProfileReader(path).parse(text);
}

}  // namespace romwise::sim

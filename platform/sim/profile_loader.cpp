#include "platform/sim/profile_loader.h"

#include <array>
#include <limits>
#include <map>
#include <string_view>
#include <utility>

#include "platform/sim/cpuid_dump_parser.h"
#include "platform/sim/profile_fields.h"
#include "platform/sim/sim_devices.h"
#include "platform/sim/smbios_dump_placement.h"

namespace romwise::sim {

ProfileError::ProfileError(std::string file, std::string key, std::string problem)
    : std::runtime_error(key.empty() ? file + ": " + problem
                                     : file + ": key \"" + key + "\": " + problem),
      file_(std::move(file)),
      key_(std::move(key)),
      problem_(std::move(problem)) {}

namespace {

using nlohmann::json;

constexpr std::uint64_t kMaxPciDevice = 31;

constexpr std::uint64_t kRomWindow = 0xF0000;
constexpr std::uint64_t kRomWindowSize = 0x10000;
constexpr std::uint16_t kPciFirstPort = 0xCF8;
constexpr std::uint16_t kPciLastPort = 0xCFF;

// Reads the sections of a profile; each refuses what it cannot take.
class ProfileReader : private ProfileFields {
  public:
    explicit ProfileReader(std::string path) : ProfileFields(std::move(path)) {}

    MachineProfile load();

  private:
    void readOs(const json& value, ProfileOs& os) const;
    void readCountry(const json& value, MachineProfile& profile) const;
    void readRom(const json& value, MachineProfile& profile) const;
    void readMemory(const json& value, MachineProfile& profile) const;
    void readSmbiosDump(const json& value, MachineProfile& profile) const;
    void readPci(const json& value, MachineProfile& profile) const;
    void readSuperIo(const json& value, MachineProfile& profile) const;
    SuperIoChip readChip(const json& value, const std::string& key) const;
    std::vector<WriteSequence> readSequences(const json& value, const std::string& key) const;
    std::optional<ProfileCpu> readCpu(const json& value) const;
    void readCpuidDump(const json& value, std::map<std::uint32_t, CpuidLeaf>& leaves) const;
    DriverOutcome readDriver(const json& value) const;
};

void ProfileReader::readOs(const json& value, ProfileOs& os) const {
    const std::string key = "os";
    object(value, key,
           {"family", "platformId", "majorVersion", "minorVersion", "buildNumber", "servicePack",
            "productType", "extendedRecord", "wow64Directory", "nativeArchitecture", "prettyName",
            "name", "id", "versionId", "kernelRelease"});
    if (value.contains("family")) {
        const std::string family = stringValue(value["family"], childKey(key, "family"));
        if (family == "windows") {
            os.family = OsFamily::Windows;
        } else if (family == "linux") {
            os.family = OsFamily::Linux;
        } else {
            fail(childKey(key, "family"),
                 "unknown family \"" + family + "\" (expected \"windows\" or \"linux\")");
        }
    }
    const bool windows = os.family == OsFamily::Windows;
    // A key of the other family is almost always a profile whose family was
    // forgotten, so it is refused rather than ignored.
    const auto given = [&](const char* name, bool forWindows) {
        if (!value.contains(name)) {
            return false;
        }
        if (forWindows != windows) {
            fail(childKey(key, name), std::string("applies only when os.family is \"") +
                                          (forWindows ? "windows" : "linux") + "\"");
        }
        return true;
    };
    const auto dword = [&](const char* name, std::uint32_t& field) {
        if (given(name, true)) {
            field = static_cast<std::uint32_t>(
                unsignedValue(value[name], childKey(key, name), kMaxDword));
        }
    };
    dword("platformId", os.platformId);
    dword("majorVersion", os.majorVersion);
    dword("minorVersion", os.minorVersion);
    dword("buildNumber", os.buildNumber);
    if (given("servicePack", true)) {
        os.servicePack = stringValue(value["servicePack"], childKey(key, "servicePack"));
    }
    if (given("productType", true)) {
        os.productType = static_cast<std::uint8_t>(
            unsignedValue(value["productType"], childKey(key, "productType"), kMaxByte));
    }
    if (given("extendedRecord", true)) {
        os.extendedRecord = boolValue(value["extendedRecord"], childKey(key, "extendedRecord"));
    }
    if (given("wow64Directory", true) && !value["wow64Directory"].is_null()) {
        os.wow64Directory = stringValue(value["wow64Directory"], childKey(key, "wow64Directory"));
    }
    if (given("nativeArchitecture", true) && !value["nativeArchitecture"].is_null()) {
        os.nativeArchitecture = static_cast<std::uint16_t>(unsignedValue(
            value["nativeArchitecture"], childKey(key, "nativeArchitecture"), kMaxWord));
    }
    const auto text = [&](const char* name, std::string& field) {
        if (given(name, false)) {
            field = stringValue(value[name], childKey(key, name));
        }
    };
    text("prettyName", os.prettyName);
    text("name", os.name);
    text("id", os.id);
    text("versionId", os.versionId);
    text("kernelRelease", os.kernelRelease);
}

void ProfileReader::readCountry(const json& value, MachineProfile& profile) const {
    if (value.is_null()) {
        return;
    }
    object(value, "country", {"code", "name"});
    CountryInfo country;
    if (value.contains("code")) {
        country.code = stringValue(value["code"], "country.code");
    }
    if (value.contains("name")) {
        country.name = stringValue(value["name"], "country.name");
    }
    profile.country = country;
}

DriverOutcome ProfileReader::readDriver(const json& value) const {
    static const std::pair<const char*, DriverOutcome> kNames[] = {
        {"direct", DriverOutcome::Direct},
        {"afterStart", DriverOutcome::AfterStart},
        {"afterInstall", DriverOutcome::AfterInstall},
        {"missing", DriverOutcome::Missing},
        {"inactive", DriverOutcome::Inactive},
    };
    const std::string name = stringValue(value, "driver");
    for (const auto& [text, outcome] : kNames) {
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
    if (bytes.size() > kRomWindowSize) {
        bytes.erase(bytes.begin(), bytes.end() - static_cast<std::ptrdiff_t>(kRomWindowSize));
    }
    const std::uint64_t address = kRomWindow + kRomWindowSize - bytes.size();
    profile.memory.push_back(MemoryRegion{address, std::move(bytes)});
}

void ProfileReader::readMemory(const json& value, MachineProfile& profile) const {
    const std::string key = "memory";
    array(value, key);
    for (std::size_t i = 0; i < value.size(); ++i) {
        const std::string itemKey = elementKey(key, i);
        const json& item = object(value[i], itemKey, {"address", "file"});
        if (!item.contains("address") || !item.contains("file")) {
            fail(itemKey, "a memory region needs both \"address\" and \"file\"");
        }
        const std::uint64_t address =
            unsignedValue(item["address"], childKey(itemKey, "address"), kMaxQword);
        std::vector<std::uint8_t> bytes = file(item["file"], childKey(itemKey, "file"));
        if (address >= SimPhysicalMemory::kAddressSpaceEnd ||
            bytes.size() > SimPhysicalMemory::kAddressSpaceEnd - address) {
            fail(itemKey, "the region (" + std::to_string(bytes.size()) + " bytes at " +
                              hexText(address) +
                              ") reaches past 4 GiB, the end of physical memory");
        }
        profile.memory.push_back(MemoryRegion{address, std::move(bytes)});
    }
}

void ProfileReader::readSmbiosDump(const json& value, MachineProfile& profile) const {
    const std::vector<std::uint8_t> dump = file(value, "smbiosDump");
    try {
        placeSmbiosDump(dump, profile.memory);
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
        const json& item = object(value[i], itemKey, {"device", "vendor", "deviceId", "revision"});
        for (const char* required : {"device", "vendor", "deviceId"}) {
            if (!item.contains(required)) {
                fail(itemKey, "a PCI device needs \"device\", \"vendor\" and \"deviceId\"");
            }
        }
        PciDevice device;
        device.device = static_cast<std::uint8_t>(
            unsignedValue(item["device"], childKey(itemKey, "device"), kMaxPciDevice));
        device.vendor = static_cast<std::uint16_t>(
            unsignedValue(item["vendor"], childKey(itemKey, "vendor"), kMaxWord));
        device.deviceId = static_cast<std::uint16_t>(
            unsignedValue(item["deviceId"], childKey(itemKey, "deviceId"), kMaxWord));
        if (item.contains("revision")) {
            device.revision = static_cast<std::uint8_t>(
                unsignedValue(item["revision"], childKey(itemKey, "revision"), kMaxByte));
        }
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
            const auto port = unsignedValue(write[0], elementKey(writeKey, 0), kMaxWord);
            const auto byte = unsignedValue(write[1], elementKey(writeKey, 1), kMaxByte);
            writes.emplace_back(static_cast<std::uint16_t>(port), static_cast<std::uint8_t>(byte));
        }
        sequences.push_back(std::move(writes));
    }
    return sequences;
}

SuperIoChip ProfileReader::readChip(const json& value, const std::string& key) const {
    object(value, key,
           {"indexPort", "dataPort", "unlock", "lock", "lockOnRegisterWrite", "registers",
            "defaultRegister", "sequences", "lockedRead"});
    if (!value.contains("indexPort")) {
        fail(key, "a Super I/O chip needs \"indexPort\"");
    }
    SuperIoChip chip;
    chip.indexPort = static_cast<std::uint16_t>(
        unsignedValue(value["indexPort"], childKey(key, "indexPort"), kMaxWord));
    chip.dataPort = static_cast<std::uint16_t>(chip.indexPort + 1);
    if (value.contains("dataPort")) {
        chip.dataPort = static_cast<std::uint16_t>(
            unsignedValue(value["dataPort"], childKey(key, "dataPort"), kMaxWord));
    } else if (chip.indexPort == kMaxWord) {
        fail(childKey(key, "indexPort"), "port 0xFFFF leaves no room for the data port after it");
    }
    if (value.contains("unlock")) {
        chip.unlock = readSequences(value["unlock"], childKey(key, "unlock"));
    }
    if (value.contains("lock")) {
        chip.lock = readSequences(value["lock"], childKey(key, "lock"));
    }
    if (value.contains("lockOnRegisterWrite")) {
        const std::string lockKey = childKey(key, "lockOnRegisterWrite");
        const json& lock = object(value["lockOnRegisterWrite"], lockKey, {"register", "value"});
        if (!lock.contains("register") || !lock.contains("value")) {
            fail(lockKey, "needs both \"register\" and \"value\"");
        }
        chip.lockOnRegisterWrite =
            std::make_pair(static_cast<std::uint8_t>(unsignedValue(
                               lock["register"], childKey(lockKey, "register"), kMaxByte)),
                           static_cast<std::uint8_t>(
                               unsignedValue(lock["value"], childKey(lockKey, "value"), kMaxByte)));
    }
    if (value.contains("registers")) {
        const std::string mapKey = childKey(key, "registers");
        if (!value["registers"].is_object()) {
            fail(mapKey,
                 "expected an object of register → value, got " + describeJson(value["registers"]));
        }
        for (const auto& [name, byte] : value["registers"].items()) {
            if (isNoteKey(name)) {
                continue;
            }
            const std::string regKey = entryKey(mapKey, name);
            const auto reg = static_cast<std::uint8_t>(hexKey(name, regKey, kMaxByte));
            chip.registers[reg] = static_cast<std::uint8_t>(unsignedValue(byte, regKey, kMaxByte));
        }
    }
    if (value.contains("defaultRegister")) {
        chip.defaultRegister = static_cast<std::uint8_t>(
            unsignedValue(value["defaultRegister"], childKey(key, "defaultRegister"), kMaxByte));
    }
    if (value.contains("sequences")) {
        const std::string mapKey = childKey(key, "sequences");
        if (!value["sequences"].is_object()) {
            fail(mapKey, "expected an object of register → list of values, got " +
                             describeJson(value["sequences"]));
        }
        for (const auto& [name, list] : value["sequences"].items()) {
            if (isNoteKey(name)) {
                continue;
            }
            const std::string regKey = entryKey(mapKey, name);
            const auto reg = static_cast<std::uint8_t>(hexKey(name, regKey, kMaxByte));
            array(list, regKey);
            if (list.empty()) {
                fail(regKey, "a sequence needs at least one value");
            }
            std::vector<std::uint8_t> values;
            for (std::size_t i = 0; i < list.size(); ++i) {
                values.push_back(static_cast<std::uint8_t>(
                    unsignedValue(list[i], elementKey(regKey, i), kMaxByte)));
            }
            chip.sequences[reg] = std::move(values);
        }
    }
    if (value.contains("lockedRead")) {
        chip.lockedRead = static_cast<std::uint8_t>(
            unsignedValue(value["lockedRead"], childKey(key, "lockedRead"), kMaxByte));
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
    const std::string key = "cpu";
    if (value.is_null()) {
        return std::nullopt;
    }
    object(value, key,
           {"cpuid", "cpuidDump", "sse", "clockMhz", "counterFrequency", "bsfLoopSeconds"});
    ProfileCpu cpu;
    if (value.contains("cpuidDump")) {
        readCpuidDump(value["cpuidDump"], cpu.leaves);
    }
    if (value.contains("cpuid")) {
        const std::string mapKey = childKey(key, "cpuid");
        if (!value["cpuid"].is_object()) {
            fail(mapKey, "expected an object of leaf → [eax, ebx, ecx, edx], got " +
                             describeJson(value["cpuid"]));
        }
        for (const auto& [name, registers] : value["cpuid"].items()) {
            if (isNoteKey(name)) {
                continue;
            }
            const std::string leafKey = entryKey(mapKey, name);
            const auto leaf = static_cast<std::uint32_t>(hexKey(name, leafKey, kMaxDword));
            if (!registers.is_array() || registers.size() != 4) {
                fail(leafKey, "expected [eax, ebx, ecx, edx], got " + describeJson(registers));
            }
            std::array<std::uint32_t, 4> r{};
            for (std::size_t i = 0; i < r.size(); ++i) {
                r[i] = static_cast<std::uint32_t>(
                    unsignedValue(registers[i], elementKey(leafKey, i), kMaxDword));
            }
            cpu.leaves[leaf] = CpuidLeaf{r[0], r[1], r[2], r[3]};  // over the dump's
        }
    }
    if (value.contains("sse")) {
        cpu.sse = boolValue(value["sse"], childKey(key, "sse"));
    }
    if (value.contains("clockMhz")) {
        cpu.clockMhz = static_cast<std::uint32_t>(
            unsignedValue(value["clockMhz"], childKey(key, "clockMhz"), kMaxDword));
    }
    if (value.contains("counterFrequency")) {
        const std::string frequencyKey = childKey(key, "counterFrequency");
        cpu.counterFrequency = unsignedValue(value["counterFrequency"], frequencyKey,
                                             std::numeric_limits<std::int64_t>::max());
        if (cpu.counterFrequency == 0) {
            fail(frequencyKey, "the counter frequency must be above 0");
        }
    }
    if (value.contains("bsfLoopSeconds")) {
        cpu.bsfLoopSeconds = secondsValue(value["bsfLoopSeconds"], childKey(key, "bsfLoopSeconds"));
    }
    return cpu;
}

MachineProfile ProfileReader::load() {
    std::string problem;
    const auto bytes = readWholeFile(path(), problem);
    if (!bytes) {
        fail("", "cannot read the profile: " + problem);
    }

    json root;
    try {
        root = json::parse(bytes->begin(), bytes->end());
    } catch (const json::parse_error& error) {
        std::string detail = error.what();
        const std::size_t tag = detail.find("] ");
        if (tag != std::string::npos) {
            detail.erase(0, tag + 2);  // drop the "[json.exception.parse_error.101]" tag
        }
        fail("", "not valid JSON: " + detail);
    }
    if (!root.is_object()) {
        fail("", "expected a JSON object at the top level, got " + describeJson(root));
    }
    object(root, "",
           {"description", "os", "administrator", "programPath", "driver", "memoryTotalBytes",
            "timeZoneMinutesWest", "country", "rom", "romMappable", "physicalMemory", "memory",
            "smbiosDump", "pci", "superio", "cpu", "browser"});

    MachineProfile profile;
    profile.path = path();
    profile.cpu = ProfileCpu{};  // a processor answering zeros unless `cpu` says otherwise
    if (root.contains("description")) {
        profile.description = stringValue(root["description"], "description");
    }
    if (root.contains("os")) {
        readOs(root["os"], profile.os);
    }
    if (root.contains("administrator")) {
        profile.administrator = boolValue(root["administrator"], "administrator");
    }
    if (root.contains("programPath")) {
        profile.programPath = stringValue(root["programPath"], "programPath");
    }
    if (root.contains("driver")) {
        profile.driver = readDriver(root["driver"]);
    }
    if (root.contains("memoryTotalBytes")) {
        profile.memoryTotalBytes =
            unsignedValue(root["memoryTotalBytes"], "memoryTotalBytes", kMaxQword);
    }
    if (root.contains("timeZoneMinutesWest")) {
        profile.timeZoneMinutesWest =
            signedValue(root["timeZoneMinutesWest"], "timeZoneMinutesWest");
    }
    if (root.contains("country")) {
        readCountry(root["country"], profile);
    }
    if (root.contains("romMappable")) {
        profile.romMappable = boolValue(root["romMappable"], "romMappable");
    }
    if (root.contains("physicalMemory")) {
        profile.physicalMemory = boolValue(root["physicalMemory"], "physicalMemory");
    }
    // Memory is built in layers: the ROM, the further regions, then the SMBIOS
    // table and its entry point, which need the ROM window to find a slot.
    if (root.contains("rom")) {
        readRom(root["rom"], profile);
    }
    if (root.contains("memory")) {
        readMemory(root["memory"], profile);
    }
    if (root.contains("smbiosDump")) {
        readSmbiosDump(root["smbiosDump"], profile);
    }
    if (root.contains("pci")) {
        readPci(root["pci"], profile);
    }
    if (root.contains("superio")) {
        readSuperIo(root["superio"], profile);
    }
    if (root.contains("cpu")) {
        profile.cpu = readCpu(root["cpu"]);
    }
    if (root.contains("browser")) {
        const json& browser = object(root["browser"], "browser", {"open", "direct"});
        if (browser.contains("open")) {
            profile.browser.open = boolValue(browser["open"], "browser.open");
        }
        if (browser.contains("direct")) {
            profile.browser.direct = boolValue(browser["direct"], "browser.direct");
        }
    }
    return profile;
}

}  // namespace

MachineProfile loadMachineProfile(const std::string& path) {
    return ProfileReader(path).load();
}

}  // namespace romwise::sim

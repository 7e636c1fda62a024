#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <stdexcept>

#include "dmi/smbios_dump.h"
#include "platform/encoding/text_encoding.h"
#include "platform/sim/machine_capture.h"
#include "platform/sim/profile_fields.h"

namespace romwise::sim {

namespace {

using Json = nlohmann::ordered_json;
namespace fs = std::filesystem;

template <typename Value, std::size_t N>
const char* nameOf(const std::pair<const char*, Value> (&names)[N], Value value) {
    for (const auto& [name, entry] : names) {
        if (entry == value) {
            return name;
        }
    }
    return names[0].first;
}

// Texts of the record are Windows-1252; the profile is UTF-8.
std::string text(const std::string& windows1252) {
    return windows1252ToUtf8(windows1252);
}

void writeFile(const fs::path& path, const void* data, std::size_t size) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    if (file) {
        file.write(static_cast<const char*>(data), static_cast<std::streamsize>(size));
        file.close();
    }
    if (!file) {
        throw std::runtime_error("cannot write \"" + path.string() + "\": " + std::strerror(errno));
    }
}

void writeBytes(const fs::path& path, const std::vector<std::uint8_t>& bytes) {
    writeFile(path, bytes.data(), bytes.size());
}

std::string hexBytesText(const std::vector<std::uint8_t>& bytes) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string out;
    out.reserve(bytes.size() * 2);
    for (const std::uint8_t byte : bytes) {
        out.push_back(kDigits[byte >> 4]);
        out.push_back(kDigits[byte & 0x0F]);
    }
    return out;
}

Json osObject(const ProfileOs& os) {
    Json json = {{"family", nameOf(kOsFamilyNames, os.family)}};
    if (os.family == OsFamily::Windows) {
        json["platformId"] = os.platformId;
        json["majorVersion"] = os.majorVersion;
        json["minorVersion"] = os.minorVersion;
        json["buildNumber"] = os.buildNumber;
        json["servicePack"] = text(os.servicePack);
        json["productType"] = os.productType;
        json["extendedRecord"] = os.extendedRecord;
        json["wow64Directory"] = os.wow64Directory ? Json(text(*os.wow64Directory)) : Json();
        json["nativeArchitecture"] = os.nativeArchitecture ? Json(*os.nativeArchitecture) : Json();
    } else {
        json["prettyName"] = text(os.prettyName);
        json["name"] = text(os.name);
        json["id"] = text(os.id);
        json["versionId"] = text(os.versionId);
        json["kernelRelease"] = text(os.kernelRelease);
    }
    return json;
}

Json cpuObject(const ProfileCpu& cpu) {
    Json leaves = Json::object();
    for (const auto& [leaf, r] : cpu.leaves) {
        leaves[hexText(leaf)] = {hexText(r.eax), hexText(r.ebx), hexText(r.ecx), hexText(r.edx)};
    }
    return {{"cpuid", leaves}, {"sse", cpu.sse}, {"clockMhz", cpu.clockMhz}};
}

}  // namespace

void writeMachineProfile(const MachineCapture& capture, const std::string& path) {
    const fs::path profile(path);
    const std::string stem = profile.stem().string();
    const fs::path directory = profile.parent_path();

    Json json;
    json["description"] = text(capture.description);
    json["os"] = osObject(capture.os);
    json["administrator"] = capture.administrator;
    json["programPath"] = text(capture.programPath);
    json["driver"] = nameOf(kDriverOutcomeNames, capture.driver);
    if (capture.driverFailure) {
        json["driverFailure"] = text(*capture.driverFailure);
    }
    json["memoryTotalBytes"] = capture.memoryTotalBytes;
    json["timeZoneMinutesWest"] = capture.timeZoneMinutesWest;
    json["country"] = capture.country ? Json{{"code", text(capture.country->code)},
                                             {"name", text(capture.country->name)}}
                                      : Json();
    if (capture.rom) {
        const std::string name = stem + "-rom.bin";
        writeBytes(directory / name, *capture.rom);
        json["rom"] = name;
    }
    json["romMappable"] = capture.romMappable;
    json["physicalMemory"] = capture.physicalMemory;
    if (capture.smbios) {
        const std::string name = stem + ".dmi";
        writeBytes(directory / name, DumpBin(*capture.smbios));
        json["smbiosInMemory"] = capture.smbiosInMemory;
        json["firmwareTables"] = capture.firmwareTables;
        json["smbiosDump"] = name;
    }
    Json pci = Json::array();
    for (const PciDevice& device : capture.pci) {
        pci.push_back({{"device", device.device},
                       {"vendor", hexText(device.vendor)},
                       {"deviceId", hexText(device.deviceId)},
                       {"revision", device.revision}});
    }
    json["pci"] = pci;
    // Written only where the system offered them, so that captures of the
    // driver's route keep their keys.
    for (const auto& [key, offered] :
         {std::pair{"firmwareRom", capture.firmwareRom}, std::pair{"osPci", capture.osPci},
          std::pair{"dmiIdentity", capture.dmiIdentity}}) {
        if (offered) {
            json[key] = true;
        }
    }
    Json reads = Json::object();
    for (const auto& [port, answers] : capture.portReads) {
        reads[hexText(port)] = hexBytesText(answers);
    }
    json["portReads"] = reads;
    json["cpu"] = capture.cpu ? cpuObject(*capture.cpu) : Json();
    json["browser"] = {{"open", capture.browser.open}, {"direct", capture.browser.direct}};

    const std::string document = json.dump(2) + "\n";
    writeFile(profile, document.data(), document.size());
}

}  // namespace romwise::sim

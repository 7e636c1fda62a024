#include "platform/sim/sim_os_services.h"

#include "platform/encoding/text_encoding.h"

namespace romwise::sim {

// Profiles are UTF-8; the record holds the system's 8-bit texts.
std::string SimOsServices::programPath() {
    return utf8ToWindows1252(profile_.programPath);
}

std::optional<CountryInfo> SimOsServices::country() {
    if (!profile_.country) {
        return std::nullopt;
    }
    return CountryInfo{utf8ToWindows1252(profile_.country->code),
                       utf8ToWindows1252(profile_.country->name)};
}

bool SimOsServices::queryWindowsVersion(bool extended, WindowsVersionRecord& out) {
    const ProfileOs& os = profile_.os;
    if (os.family != OsFamily::Windows || (extended && !os.extendedRecord)) {
        return false;
    }
    out.majorVersion = os.majorVersion;
    out.minorVersion = os.minorVersion;
    out.buildNumber = os.buildNumber;
    out.platformId = os.platformId;
    out.servicePackText = utf8ToWindows1252(os.servicePack);
    out.productType = extended ? os.productType : 0;
    return true;
}

std::optional<std::string> SimOsServices::wow64SystemDirectory() {
    if (profile_.os.family != OsFamily::Windows) {
        return std::nullopt;
    }
    return profile_.os.wow64Directory;
}

std::optional<std::uint16_t> SimOsServices::nativeProcessorArchitecture() {
    if (profile_.os.family != OsFamily::Windows) {
        return std::nullopt;
    }
    return profile_.os.nativeArchitecture;
}

LinuxRelease SimOsServices::linuxRelease() {
    const ProfileOs& os = profile_.os;
    if (os.family != OsFamily::Linux) {
        return {};
    }
    return LinuxRelease{utf8ToWindows1252(os.prettyName), utf8ToWindows1252(os.name),
                        utf8ToWindows1252(os.id), utf8ToWindows1252(os.versionId),
                        os.kernelRelease};
}

}  // namespace romwise::sim

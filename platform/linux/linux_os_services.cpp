#include "platform/linux/linux_os_services.h"

#include <sys/sysinfo.h>
#include <sys/utsname.h>
#include <unistd.h>

#include <cstdlib>
#include <ctime>
#include <fstream>
#include <sstream>

#include "platform/encoding/text_encoding.h"
#include "platform/linux/linux_locale.h"

namespace romwise {

namespace {

constexpr int kCapSysRawio = 17;

std::string readFile(const char* path) {
    std::ifstream file(path);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

std::string unquote(std::string value) {
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front()) {
        value = value.substr(1, value.size() - 2);
    }
    std::string out;
    for (std::size_t i = 0; i < value.size(); ++i) {
        if (value[i] == '\\' && i + 1 < value.size()) {
            ++i;
        }
        out.push_back(value[i]);
    }
    return out;
}

// Whether the effective capability set of this process holds CAP_SYS_RAWIO.
bool hasRawIoCapability() {
    std::istringstream status(readFile("/proc/self/status"));
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("CapEff:", 0) == 0) {
            const unsigned long long mask = std::strtoull(line.c_str() + 7, nullptr, 16);
            return (mask >> kCapSysRawio) & 1ULL;
        }
    }
    return false;
}

}  // namespace

LinuxRelease parseOsRelease(const std::string& text) {
    LinuxRelease release;
    std::istringstream lines(text);
    std::string line;
    while (std::getline(lines, line)) {
        const auto equals = line.find('=');
        if (line.empty() || line[0] == '#' || equals == std::string::npos) {
            continue;
        }
        const std::string key = line.substr(0, equals);
        const std::string value = unquote(line.substr(equals + 1));
        if (key == "PRETTY_NAME") {
            release.prettyName = value;
        } else if (key == "NAME") {
            release.name = value;
        } else if (key == "ID") {
            release.id = value;
        } else if (key == "VERSION_ID") {
            release.versionId = value;
        }
    }
    return release;
}

LinuxRelease LinuxOsServices::linuxRelease() {
    std::string text;
    for (const std::string& file : osReleaseFiles_) {
        text = readFile(file.c_str());
        if (!text.empty()) {
            break;
        }
    }
    LinuxRelease release = parseOsRelease(text);
    // os-release is UTF-8; the record holds the system's 8-bit texts.
    for (std::string* field :
         {&release.prettyName, &release.name, &release.id, &release.versionId}) {
        *field = utf8ToWindows1252(*field);
    }
    utsname names{};
    if (uname(&names) == 0) {
        release.kernelRelease = names.release;
    }
    return release;
}

bool LinuxOsServices::hasAdministratorRights() {
    return geteuid() == 0 || hasRawIoCapability();
}

std::string LinuxOsServices::programPath() {
    char path[4096];
    const ssize_t length = readlink("/proc/self/exe", path, sizeof path - 1);
    if (length <= 0) {
        return {};
    }
    return std::string(path, static_cast<std::size_t>(length));
}

std::uint64_t LinuxOsServices::totalPhysicalMemoryBytes() {
    struct sysinfo info {};
    if (sysinfo(&info) != 0) {
        return 0;
    }
    return static_cast<std::uint64_t>(info.totalram) * info.mem_unit;
}

std::optional<CountryInfo> LinuxOsServices::country() {
    const auto territory = localeTerritory(countryLocaleName());
    if (!territory) {
        return std::nullopt;
    }
    return countryForTerritory(*territory, countryModules_);
}

std::int32_t LinuxOsServices::timeZoneMinutesWest() {
    tzset();
    return static_cast<std::int32_t>(timezone / 60);
}

}  // namespace romwise

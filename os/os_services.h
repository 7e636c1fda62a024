// What the operating system tells about itself: version, memory, program
// path, rights, locale and time zone.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace romwise {

enum class OsFamily { Windows, Linux };

// The Windows version record, as the version query fills it.
struct WindowsVersionRecord {
    std::uint32_t majorVersion = 0;
    std::uint32_t minorVersion = 0;
    std::uint32_t buildNumber = 0;
    std::uint32_t platformId = 0;
    std::string servicePackText;
    std::uint8_t productType = 0;  // extended record only
};

// What /etc/os-release and uname tell on Linux.
struct LinuxRelease {
    std::string prettyName;
    std::string name;
    std::string id;
    std::string versionId;
    std::string kernelRelease;
};

struct CountryInfo {
    std::string code;
    std::string name;
};

class OsServices {
  public:
    virtual ~OsServices() = default;

    virtual OsFamily family() const = 0;

    // Windows: the version query with the extended record (`extended` true) or
    // the basic one. Returns false when the system refuses that record size.
    virtual bool queryWindowsVersion(bool extended, WindowsVersionRecord& out) = 0;
    // The WOW64 system directory when that look-up exists and answers.
    virtual std::optional<std::string> wow64SystemDirectory() = 0;
    // The processor architecture of the native-system-info look-up, if it exists.
    virtual std::optional<std::uint16_t> nativeProcessorArchitecture() = 0;

    virtual LinuxRelease linuxRelease() = 0;

    // The administrator check: on Windows NT, whether the service control
    // manager opens with generic read, write and execute access; on Linux,
    // effective user id 0 or CAP_SYS_RAWIO.
    virtual bool hasAdministratorRights() = 0;

    virtual std::string programPath() = 0;
    virtual std::uint64_t totalPhysicalMemoryBytes() = 0;

    // Standard-time offset in minutes west of UTC.
    virtual std::int32_t timeZoneMinutesWest() = 0;
    // Country of the active input locale; nothing when the platform cannot tell.
    virtual std::optional<CountryInfo> country() = 0;
};

}  // namespace romwise

// The operating system's answers on Linux.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "os/os_services.h"
#include "platform/linux/linux_locale.h"

namespace romwise {

class LinuxOsServices final : public OsServices {
  public:
    // Reads the release description from the first of these files that has
    // any text; the default is the standard pair of locations. The country
    // comes from the first country module of `countryModules` that loads.
    LinuxOsServices()
        : LinuxOsServices(std::vector<std::string>{"/etc/os-release", "/usr/lib/os-release"}) {}
    explicit LinuxOsServices(std::vector<std::string> osReleaseFiles,
                             std::vector<std::string> countryModules = countryModulePaths())
        : osReleaseFiles_(std::move(osReleaseFiles)), countryModules_(std::move(countryModules)) {}

    OsFamily family() const override { return OsFamily::Linux; }
    bool queryWindowsVersion(bool, WindowsVersionRecord&) override { return false; }
    std::optional<std::string> wow64SystemDirectory() override { return std::nullopt; }
    std::optional<std::uint16_t> nativeProcessorArchitecture() override { return std::nullopt; }
    LinuxRelease linuxRelease() override;
    bool hasAdministratorRights() override;
    std::string programPath() override;
    std::uint64_t totalPhysicalMemoryBytes() override;
    std::int32_t timeZoneMinutesWest() override;
    std::optional<CountryInfo> country() override;

  private:
    std::vector<std::string> osReleaseFiles_;
    std::vector<std::string> countryModules_;
};

// Reads KEY=value lines of an os-release file (values may be quoted).
LinuxRelease parseOsRelease(const std::string& text);

}  // namespace romwise

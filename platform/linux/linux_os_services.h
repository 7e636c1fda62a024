// The operating system's answers on Linux.
#pragma once

#include "os/os_services.h"

namespace romwise {

class LinuxOsServices final : public OsServices {
  public:
    OsFamily family() const override { return OsFamily::Linux; }
    bool queryWindowsVersion(bool, WindowsVersionRecord&) override { return false; }
    std::optional<std::string> wow64SystemDirectory() override { return std::nullopt; }
    std::optional<std::uint16_t> nativeProcessorArchitecture() override { return std::nullopt; }
    LinuxRelease linuxRelease() override;
    bool hasAdministratorRights() override;
    std::string programPath() override;
    std::uint64_t totalPhysicalMemoryBytes() override;
    std::int32_t timeZoneMinutesWest() override;
    std::optional<CountryInfo> country() override { return std::nullopt; }
};

// Reads KEY=value lines of an os-release file (values may be quoted).
LinuxRelease parseOsRelease(const std::string& text);

}  // namespace romwise

// The operating system of a machine profile: its version record, WOW64 and
// native-system-info answers, Linux release, administrator rights, program
// path, memory, time zone and country, as the profile gives them. It refers
// to the profile, which must outlive it (SimPlatform owns both).
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "os/os_services.h"
#include "platform/sim/machine_profile.h"

namespace romwise::sim {

class SimOsServices final : public OsServices {
  public:
    explicit SimOsServices(const MachineProfile& profile) : profile_(profile) {}

    OsFamily family() const override { return profile_.os.family; }
    // Fails on Linux, and for the extended record when the profile has only
    // the basic one.
    bool queryWindowsVersion(bool extended, WindowsVersionRecord& out) override;
    std::optional<std::string> wow64SystemDirectory() override;
    std::optional<std::uint16_t> nativeProcessorArchitecture() override;
    LinuxRelease linuxRelease() override;
    bool hasAdministratorRights() override { return profile_.administrator; }
    std::string programPath() override;
    std::uint64_t totalPhysicalMemoryBytes() override { return profile_.memoryTotalBytes; }
    std::int32_t timeZoneMinutesWest() override { return profile_.timeZoneMinutesWest; }
    std::optional<CountryInfo> country() override;

  private:
    const MachineProfile& profile_;
};

}  // namespace romwise::sim

// The operating system's answers on Windows.
#pragma once

#include "os/os_services.h"

namespace romwise {

class WindowsOsServices final : public OsServices {
  public:
    OsFamily family() const override { return OsFamily::Windows; }
    // GetVersionExA with the extended record (OSVERSIONINFOEXA) or the basic
    // one (OSVERSIONINFOA), by the record size it is handed.
    bool queryWindowsVersion(bool extended, WindowsVersionRecord& out) override;
    // GetSystemWow64DirectoryW, looked up at run time.
    std::optional<std::string> wow64SystemDirectory() override;
    // GetNativeSystemInfo, looked up at run time (Windows 2000 has none).
    std::optional<std::uint16_t> nativeProcessorArchitecture() override;
    LinuxRelease linuxRelease() override { return {}; }
    // Whether the service control manager opens with generic read, write and
    // execute access; the handle is closed at once.
    bool hasAdministratorRights() override;
    // GetModuleFileNameA of the program, whole however long it is.
    std::string programPath() override;
    // GlobalMemoryStatusEx where the system has it (a 32-bit program's
    // GlobalMemoryStatus stops at 4 GB, or 2 GB on older systems), else
    // GlobalMemoryStatus.
    std::uint64_t totalPhysicalMemoryBytes() override;
    // The C run-time's standard-time offset (_tzset, then _timezone), which
    // follows TZ when it is set and the system's time zone otherwise.
    std::int32_t timeZoneMinutesWest() override;
    // GetLocaleInfoA with the English country name (LOCALE_SENGCOUNTRY) and
    // the dialling code (LOCALE_ICOUNTRY) of the current thread's keyboard
    // layout language: the active input language, not the regional setting.
    // A value the system does not give stays empty.
    std::optional<CountryInfo> country() override;
};

}  // namespace romwise

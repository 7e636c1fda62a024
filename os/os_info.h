// Names the operating system and tells the run which platform it runs on.
#pragma once

#include <cstdint>

#include "model/fixed_text.h"
#include "os/os_services.h"

namespace romwise {

inline constexpr std::uint32_t kPlatformWin32s = 0;
inline constexpr std::uint32_t kPlatformWindows9x = 1;
inline constexpr std::uint32_t kPlatformWindowsNt = 2;

class OsInfo {
  public:
    explicit OsInfo(OsServices& services) : services_(services) {}

    // Clears the version record, then asks for the extended record and, when
    // that is refused, for the basic one.
    void queryVersion();
    void productNames(FixedText<80>& fullName, FixedText<40>& shortName);
    void versionText(FixedText<52>& out) const;

    bool isWindows9x() const { return !isLinux() && platformId_ == kPlatformWindows9x; }
    std::uint32_t platformId() const { return platformId_; }
    bool is64BitWindows() const { return is64BitWindows_; }
    bool isLinux() const { return family_ == OsFamily::Linux; }
    // Windows 9x, the NT family, or Linux.
    bool isSupportedPlatform() const;
    // Whether the run checks administrator rights before touching hardware.
    bool needsAdministratorCheck() const;

  private:
    void ntNames(FixedText<80>& fullName, FixedText<40>& shortName);
    void linuxNames(FixedText<80>& fullName, FixedText<40>& shortName) const;

    OsServices& services_;
    OsFamily family_ = OsFamily::Windows;
    std::uint32_t majorVersion_ = 0;
    std::uint32_t minorVersion_ = 0;
    std::uint32_t buildNumber_ = 0;
    std::uint32_t platformId_ = 0;
    FixedText<128> servicePackText_;
    std::uint8_t productType_ = 0;
    bool is64BitWindows_ = false;
    LinuxRelease linux_;
};

}  // namespace romwise

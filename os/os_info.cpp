#include "os/os_info.h"

#include <cstdio>
#include <string>

namespace romwise {

void OsInfo::queryVersion() {
    majorVersion_ = minorVersion_ = buildNumber_ = platformId_ = 0;
    servicePackText_.clear();
    productType_ = 0;
    is64BitWindows_ = false;
    family_ = services_.family();
    if (family_ == OsFamily::Linux) {
        linux_ = services_.linuxRelease();
        unsigned major = 0, minor = 0, patch = 0;
        std::sscanf(linux_.kernelRelease.c_str(), "%u.%u.%u", &major, &minor, &patch);
        majorVersion_ = major;
        minorVersion_ = minor;
        buildNumber_ = patch;
        return;
    }
    WindowsVersionRecord record;
    if (!services_.queryWindowsVersion(true, record)) {
        record = WindowsVersionRecord{};
        if (!services_.queryWindowsVersion(false, record)) {
            return;
        }
        record.productType = 0;
    }
    majorVersion_ = record.majorVersion;
    minorVersion_ = record.minorVersion;
    buildNumber_ = record.buildNumber;
    platformId_ = record.platformId;
    servicePackText_.assign(record.servicePackText);
    productType_ = record.productType;
}

namespace {

constexpr std::uint16_t kArchitectureAmd64 = 9;
constexpr std::uint16_t kArchitectureIa64 = 6;
constexpr std::uint8_t kProductWorkstation = 1;
constexpr std::uint8_t kProductDomainController = 2;
constexpr std::uint8_t kProductServer = 3;

struct FixedName {
    std::uint32_t platformId;
    std::uint32_t major;
    std::uint32_t minor;
    const char* fullName;
    const char* shortName;
};
// Versions whose names depend on nothing but the version numbers.
constexpr FixedName kFixedNames[] = {
    {kPlatformWindows9x, 4, 90, "Microsoft Windows ME", "WinME"},
    {kPlatformWindowsNt, 5, 0, "Microsoft Windows 2000", "Win2000"},
    {kPlatformWindowsNt, 5, 1, "Microsoft Windows XP", "WinXP"},
};

}  // namespace

void OsInfo::productNames(FixedText<80>& fullName, FixedText<40>& shortName) {
    if (isLinux()) {
        linuxNames(fullName, shortName);
        return;
    }
    if (platformId_ == kPlatformWindowsNt && majorVersion_ >= 5) {
        const auto directory = services_.wow64SystemDirectory();
        if (directory && !directory->empty()) {
            is64BitWindows_ = true;
        }
    }
    for (const FixedName& row : kFixedNames) {
        if (row.platformId == platformId_ && row.major == majorVersion_ &&
            row.minor == minorVersion_) {
            fullName.assign(row.fullName);
            shortName.assign(row.shortName);
            return;
        }
    }
    const char servicePackLetter = servicePackText_.size() >= 2 ? servicePackText_.c_str()[1] : 0;
    if (platformId_ == kPlatformWin32s) {
        fullName.assign("Microsoft Win32s");
        shortName.assign("Win32s");
    } else if (platformId_ == kPlatformWindows9x) {
        if (majorVersion_ == 4 && minorVersion_ == 0) {
            fullName.assign("Microsoft Windows 95 ");
            if (servicePackLetter == 'C' || servicePackLetter == 'B') {
                fullName.append("OSR2 ");
            }
            shortName.assign("Win95");
        } else if (majorVersion_ == 4 && minorVersion_ == 10) {
            fullName.assign("Microsoft Windows 98 ");
            if (servicePackLetter == 'A') {
                fullName.append("SE ");
            }
            shortName.assign("Win98");
        }
    } else if (platformId_ == kPlatformWindowsNt) {
        ntNames(fullName, shortName);
    } else {
        fullName.assign("Not Known");
        shortName.assign("Unknown");
    }
}

void OsInfo::ntNames(FixedText<80>& fullName, FixedText<40>& shortName) {
    if (majorVersion_ == 5 && minorVersion_ == 2) {
        const auto architecture = services_.nativeProcessorArchitecture();
        const bool native64 = architecture && (*architecture == kArchitectureAmd64 ||
                                               *architecture == kArchitectureIa64);
        if (!native64) {
            fullName.assign("Microsoft Windows Server 2003 Family");
            shortName.assign("Win2003");
        } else if (productType_ == kProductServer || productType_ == kProductDomainController) {
            fullName.assign("Microsoft Windows Server 2003 x64 Edition");
            shortName.assign("WinX64");
        } else {
            fullName.assign("Microsoft Windows XP Professional x64 Edition");
            shortName.assign("WinX64");
        }
    } else if (majorVersion_ == 5 && minorVersion_ >= 3) {
        fullName.format("Unknown Windows Version: %x.%x", 5u, minorVersion_);
        shortName.format("Win%x.%x", majorVersion_, minorVersion_);
    } else if (majorVersion_ == 6 && minorVersion_ == 0) {
        if (productType_ == kProductWorkstation) {
            fullName.assign("Microsoft Windows Vista");
            shortName.assign("WinVista");
        } else {
            fullName.assign("Microsoft Windows Server \"Longhorn\" ");
            shortName.assign("WinLHS");
        }
    } else {
        fullName.assign("Microsoft Windows NT");
        shortName.assign("WinNT");
    }
}

void OsInfo::linuxNames(FixedText<80>& fullName, FixedText<40>& shortName) const {
    if (!linux_.prettyName.empty()) {
        fullName.assign(linux_.prettyName);
    } else if (!linux_.name.empty()) {
        fullName.assign(linux_.name);
    } else {
        fullName.assign("Linux");
    }
    std::string compact;
    for (const char c : linux_.id + linux_.versionId) {
        if (c != ' ' && c != '\t') {
            compact.push_back(c);
        }
    }
    shortName.assign(compact.empty() ? std::string("Linux") : compact);
}

void OsInfo::versionText(FixedText<52>& out) const {
    out.format("%d.%d.%d %s", static_cast<int>(majorVersion_), static_cast<int>(minorVersion_),
               static_cast<int>(buildNumber_ & 0xFFFF), servicePackText_.c_str());
}

bool OsInfo::isSupportedPlatform() const {
    return isLinux() || platformId_ == kPlatformWindows9x || platformId_ == kPlatformWindowsNt;
}

bool OsInfo::needsAdministratorCheck() const {
    return isLinux() || platformId_ == kPlatformWindowsNt;
}

}  // namespace romwise

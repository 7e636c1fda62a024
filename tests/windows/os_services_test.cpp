// The operating system identification on the running system agrees with what
// the system reports of itself through independent queries: the version
// numbers from the kernel (RtlGetVersion, which no compatibility setting
// bends), the 64-bit test from the process's own bitness or WOW64 state,
// memory from the kernel's page count, the time zone from the system's zone
// information, and the country from the keyboard layout's language.
#include <shlobj.h>
#include <windows.h>
#include <winternl.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "os/os_info.h"
#include "platform/windows/module_functions.h"
#include "platform/windows/windows_os_services.h"

namespace romwise {
namespace {

using RtlGetVersionFunction = LONG(WINAPI*)(OSVERSIONINFOEXW* info);

OSVERSIONINFOEXW kernelVersion() {
    OSVERSIONINFOEXW info{};
    info.dwOSVersionInfoSize = sizeof info;
    const auto rtlGetVersion =
        moduleFunction<RtlGetVersionFunction>(GetModuleHandleA("ntdll.dll"), "RtlGetVersion");
    EXPECT_NE(rtlGetVersion, nullptr);
    if (rtlGetVersion != nullptr) {
        rtlGetVersion(&info);
    }
    return info;
}

bool windowsIs64Bit() {
    if (sizeof(void*) == 8) {
        return true;
    }
    BOOL wow64 = FALSE;
    return IsWow64Process(GetCurrentProcess(), &wow64) && wow64;
}

TEST(WindowsOs, VersionRecordIsTheKernelsVersion) {
    WindowsOsServices services;
    WindowsVersionRecord extended;
    ASSERT_TRUE(services.queryWindowsVersion(true, extended));
    const OSVERSIONINFOEXW kernel = kernelVersion();
    EXPECT_EQ(extended.majorVersion, kernel.dwMajorVersion)
        << "the program's manifest must name this Windows, or the version query lies";
    EXPECT_EQ(extended.minorVersion, kernel.dwMinorVersion);
    EXPECT_EQ(extended.buildNumber, kernel.dwBuildNumber);
    EXPECT_EQ(extended.platformId, kernel.dwPlatformId);
    EXPECT_EQ(extended.productType, kernel.wProductType);
    const std::wstring pack(kernel.szCSDVersion);
    EXPECT_EQ(extended.servicePackText, std::string(pack.begin(), pack.end()));

    WindowsVersionRecord basic;
    ASSERT_TRUE(services.queryWindowsVersion(false, basic));
    EXPECT_EQ(basic.majorVersion, extended.majorVersion);
    EXPECT_EQ(basic.productType, 0) << "the basic record has no product type";
}

TEST(WindowsOs, OsInfoNamesTheRunningSystemAsTheNtFamilyAndTellsItsBitness) {
    WindowsOsServices services;
    OsInfo os(services);
    os.queryVersion();
    FixedText<80> fullName;
    FixedText<40> shortName;
    os.productNames(fullName, shortName);
    EXPECT_EQ(os.platformId(), kPlatformWindowsNt);
    EXPECT_FALSE(os.isWindows9x());
    EXPECT_TRUE(os.needsAdministratorCheck());
    EXPECT_EQ(os.is64BitWindows(), windowsIs64Bit());
    FixedText<52> version;
    os.versionText(version);
    const OSVERSIONINFOEXW kernel = kernelVersion();
    const std::string expectedStart = std::to_string(kernel.dwMajorVersion) + "." +
                                      std::to_string(kernel.dwMinorVersion) + "." +
                                      std::to_string(kernel.dwBuildNumber & 0xFFFF) + " ";
    EXPECT_EQ(version.str().rfind(expectedStart, 0), 0u) << version.str();

    SYSTEM_INFO native{};
    GetNativeSystemInfo(&native);
    EXPECT_EQ(services.nativeProcessorArchitecture(), native.wProcessorArchitecture);
    EXPECT_EQ(services.wow64SystemDirectory().has_value(), windowsIs64Bit());
}

TEST(WindowsOs, MemoryIsTheKernelsPhysicalPageCount) {
    struct BasicInformation {
        ULONG reserved;
        ULONG timerResolution;
        ULONG pageSize;
        ULONG numberOfPhysicalPages;
        ULONG lowestPhysicalPage;
        ULONG highestPhysicalPage;
        ULONG allocationGranularity;
        ULONG_PTR minimumUserAddress;
        ULONG_PTR maximumUserAddress;
        ULONG_PTR activeProcessors;
        CCHAR numberOfProcessors;
    } basic{};
    ASSERT_GE(NtQuerySystemInformation(SystemBasicInformation, &basic, sizeof basic, nullptr), 0);
    const std::uint64_t kernelTotal = std::uint64_t{basic.numberOfPhysicalPages} * basic.pageSize;
    WindowsOsServices services;
    EXPECT_EQ(services.totalPhysicalMemoryBytes(), kernelTotal);
}

TEST(WindowsOs, TimeZoneIsTheStandardBiasAndFollowsTz) {
    WindowsOsServices services;
    _putenv("TZ=");
    TIME_ZONE_INFORMATION zone{};
    ASSERT_NE(GetTimeZoneInformation(&zone), TIME_ZONE_ID_INVALID);
    EXPECT_EQ(services.timeZoneMinutesWest(), zone.Bias + zone.StandardBias)
        << "minutes west of UTC, without daylight saving";
    _putenv("TZ=EST5EDT");
    EXPECT_EQ(services.timeZoneMinutesWest(), 300) << "United States Eastern: 5 hours west";
    _putenv("TZ=IST-5:30");
    EXPECT_EQ(services.timeZoneMinutesWest(), -330);
    _putenv("TZ=");
}

TEST(WindowsOs, CountryFollowsTheKeyboardLayoutsLanguage) {
    WindowsOsServices services;
    const HKL original = GetKeyboardLayout(0);
    const HKL german = LoadKeyboardLayoutA("00000407", KLF_ACTIVATE);
    if (german == nullptr ||
        (reinterpret_cast<std::uintptr_t>(GetKeyboardLayout(0)) & 0xFFFF) != 0x0407) {
        ActivateKeyboardLayout(original, 0);
        GTEST_SKIP() << "this system cannot switch the thread to a German keyboard layout";
    }
    const auto country = services.country();
    ActivateKeyboardLayout(original, 0);
    ASSERT_TRUE(country);
    EXPECT_EQ(country->name, "Germany");
    EXPECT_EQ(country->code, "49");
}

TEST(WindowsOs, AdministratorTestAgreesWithTheShellsAnswer) {
    WindowsOsServices services;
    EXPECT_EQ(services.hasAdministratorRights(), IsUserAnAdmin() != FALSE)
        << "the service manager grants write access exactly to administrators";
}

}  // namespace
}  // namespace romwise

#include "platform/windows/windows_os_services.h"

#include <windows.h>

#include <ctime>

#include "platform/windows/module_functions.h"
#include "platform/windows/windows_system_directories.h"

namespace romwise {

namespace {

// Generic read, write and execute.
constexpr DWORD kAdministratorTestAccess = GENERIC_READ | GENERIC_WRITE | GENERIC_EXECUTE;
static_assert(kAdministratorTestAccess == 0xE0000000);

constexpr LCTYPE kEnglishCountryName = 0x1002;   // LOCALE_SENGCOUNTRY
constexpr LCTYPE kCountryDiallingCode = 0x0005;  // LOCALE_ICOUNTRY
constexpr int kLocaleTextCapacity = 260;

using GetNativeSystemInfoFunction = VOID(WINAPI*)(LPSYSTEM_INFO info);
using GlobalMemoryStatusExFunction = BOOL(WINAPI*)(LPMEMORYSTATUSEX status);

HMODULE kernel32() {
    return GetModuleHandleA("kernel32.dll");
}

std::string localeText(LCID locale, LCTYPE what) {
    char buffer[kLocaleTextCapacity];
    const int length = GetLocaleInfoA(locale, what, buffer, kLocaleTextCapacity);
    // The length counts the terminating NUL.
    return length > 1 ? std::string(buffer, static_cast<std::size_t>(length - 1)) : std::string();
}

}  // namespace

bool WindowsOsServices::queryWindowsVersion(bool extended, WindowsVersionRecord& out) {
    OSVERSIONINFOEXA info{};
    info.dwOSVersionInfoSize = extended ? sizeof(OSVERSIONINFOEXA) : sizeof(OSVERSIONINFOA);
    if (!GetVersionExA(reinterpret_cast<OSVERSIONINFOA*>(&info))) {
        return false;
    }
    out.majorVersion = info.dwMajorVersion;
    out.minorVersion = info.dwMinorVersion;
    out.buildNumber = info.dwBuildNumber;
    out.platformId = info.dwPlatformId;
    // The system's text is NUL-terminated within its 128 characters.
    out.servicePackText.assign(info.szCSDVersion,
                               strnlen(info.szCSDVersion, sizeof info.szCSDVersion));
    out.productType = extended ? info.wProductType : 0;
    return true;
}

std::optional<std::string> WindowsOsServices::wow64SystemDirectory() {
    return systemWow64Directory();
}

std::optional<std::uint16_t> WindowsOsServices::nativeProcessorArchitecture() {
    const auto function =
        moduleFunction<GetNativeSystemInfoFunction>(kernel32(), "GetNativeSystemInfo");
    if (function == nullptr) {
        return std::nullopt;
    }
    SYSTEM_INFO info{};
    function(&info);
    return info.wProcessorArchitecture;
}

bool WindowsOsServices::hasAdministratorRights() {
    const SC_HANDLE manager = OpenSCManagerA(nullptr, nullptr, kAdministratorTestAccess);
    if (manager == nullptr) {
        return false;
    }
    CloseServiceHandle(manager);
    return true;
}

std::string WindowsOsServices::programPath() {
    return programFilePath();
}

std::uint64_t WindowsOsServices::totalPhysicalMemoryBytes() {
    if (const auto extended =
            moduleFunction<GlobalMemoryStatusExFunction>(kernel32(), "GlobalMemoryStatusEx")) {
        MEMORYSTATUSEX status{};
        status.dwLength = sizeof status;
        if (extended(&status)) {
            return status.ullTotalPhys;
        }
    }
    MEMORYSTATUS status{};
    status.dwLength = sizeof status;
    GlobalMemoryStatus(&status);
    return status.dwTotalPhys;
}

std::int32_t WindowsOsServices::timeZoneMinutesWest() {
    _tzset();
    return static_cast<std::int32_t>(_timezone / 60);
}

std::optional<CountryInfo> WindowsOsServices::country() {
    // The low 16 bits of the layout handle are its language identifier.
    const auto layout = reinterpret_cast<std::uintptr_t>(GetKeyboardLayout(0));
    const LCID locale = MAKELCID(static_cast<LANGID>(layout & 0xFFFF), SORT_DEFAULT);
    CountryInfo info;
    info.name = localeText(locale, kEnglishCountryName);
    info.code = localeText(locale, kCountryDiallingCode);
    return info;
}

}  // namespace romwise

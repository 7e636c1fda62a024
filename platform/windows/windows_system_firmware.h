// What Windows tells any user about the firmware and the PCI devices,
// without the port driver or administrator rights: the ROM window from the
// firmware-table service ('FIRM') and bus 0's devices from SetupAPI's device
// list. The firmware's identity strings come only inside the SMBIOS table
// (WindowsFirmwareTables), so readIdentity offers nothing.
#pragma once

#include <windows.h>

#include <setupapi.h>

#include "hw/system_firmware.h"

namespace romwise {

// The system calls behind WindowsSystemFirmware, so that tests can answer
// in their place.
struct SystemFirmwareCalls {
    using GetSystemFirmwareTable = UINT(WINAPI*)(DWORD provider, DWORD id, PVOID buffer,
                                                 DWORD size);
    using GetClassDevs = HDEVINFO(WINAPI*)(const GUID* classGuid, PCSTR enumerator, HWND parent,
                                           DWORD flags);
    using EnumDeviceInfo = BOOL(WINAPI*)(HDEVINFO list, DWORD index, PSP_DEVINFO_DATA device);
    using GetDeviceRegistryProperty = BOOL(WINAPI*)(HDEVINFO list, PSP_DEVINFO_DATA device,
                                                    DWORD property, PDWORD type, PBYTE buffer,
                                                    DWORD size, PDWORD required);
    using DestroyDeviceInfoList = BOOL(WINAPI*)(HDEVINFO list);

    // nullptr where kernel32 lacks it (32-bit Windows XP).
    GetSystemFirmwareTable getSystemFirmwareTable = nullptr;
    GetClassDevs getClassDevs = nullptr;
    EnumDeviceInfo enumDeviceInfo = nullptr;
    GetDeviceRegistryProperty getDeviceRegistryProperty = nullptr;
    DestroyDeviceInfoList destroyDeviceInfoList = nullptr;

    // This system's: the firmware-table service looked up at run time,
    // SetupAPI's functions imported (every Windows since 2000 has them).
    static SystemFirmwareCalls system();
};

class WindowsSystemFirmware final : public SystemFirmware {
  public:
    explicit WindowsSystemFirmware(SystemFirmwareCalls calls = SystemFirmwareCalls::system())
        : calls_(calls) {}

    // The upper half of the raw firmware table E0000h: 'FIRM' offers the
    // 128 KiB from C0000h and from E0000h, nothing else. Nothing when the
    // service is missing, fails or gives other than 128 KiB.
    std::optional<std::vector<std::uint8_t>> readRomWindow() override;
    // The present devices that the "PCI" enumerator lists, those on bus 0,
    // sorted; a device whose hardware id has no revision, or whose place
    // cannot be read, is left out. Nothing when the list cannot be had, or
    // has no device on bus 0 (every PC has its host bridge there: such a
    // list, as wine gives, is not the machine's).
    std::optional<std::vector<ListedPciDevice>> listPciDevices() override;
    std::optional<FirmwareIdentity> readIdentity() override { return std::nullopt; }

  private:
    SystemFirmwareCalls calls_;
};

}  // namespace romwise

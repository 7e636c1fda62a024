// What Windows offers without the port driver, with stand-ins for the
// system's answers: the ROM window is the upper half of the firmware-table
// service's 128 KiB from E0000h and nothing else; bus 0's devices come from
// the device list sorted, with other buses and unreadable devices left out
// and the list always handed back; the hardware id gives vendor, device and
// revision only when it is whole.
#include <windows.h>

#include <setupapi.h>

#include <gtest/gtest.h>

#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "platform/windows/pci_hardware_id.h"
#include "platform/windows/windows_system_firmware.h"

namespace romwise {
namespace {

constexpr DWORD kFirm = ('F' << 24) | ('I' << 16) | ('R' << 8) | 'M';

// The byte a stand-in firmware table holds at `address`: different in
// every 256-byte block, so that an offset by any whole block shows.
std::uint8_t firmwareByte(std::uint32_t address) {
    return static_cast<std::uint8_t>(address ^ (address >> 8) ^ (address >> 16));
}

// What the stand-in service was asked and what it answers.
struct FirmwareService {
    DWORD provider = 0;
    DWORD id = 0;
    DWORD bufferSize = 0;
    UINT answer = 0;  // the bytes written, or the size needed
};
FirmwareService service;

UINT WINAPI standInFirmwareTable(DWORD provider, DWORD id, PVOID buffer, DWORD size) {
    service.provider = provider;
    service.id = id;
    service.bufferSize = size;
    if (service.answer != 0 && service.answer <= size) {
        auto* bytes = static_cast<std::uint8_t*>(buffer);
        for (UINT i = 0; i < service.answer; ++i) {
            bytes[i] = firmwareByte(id + i);
        }
    }
    return service.answer;
}

SystemFirmwareCalls firmwareCalls() {
    SystemFirmwareCalls calls;
    calls.getSystemFirmwareTable = &standInFirmwareTable;
    return calls;
}

TEST(WindowsSystemFirmware, RomWindowIsTheUpperHalfOfTheWholeE0000Table) {
    service = FirmwareService{};
    service.answer = 0x20000;
    WindowsSystemFirmware firmware(firmwareCalls());
    const auto window = firmware.readRomWindow();
    ASSERT_TRUE(window.has_value());
    EXPECT_EQ(service.provider, kFirm);
    EXPECT_EQ(service.id, 0xE0000u);
    EXPECT_GE(service.bufferSize, 0x20000u);
    ASSERT_EQ(window->size(), 0x10000u);
    for (std::uint32_t offset = 0; offset < window->size(); offset += 0x111) {
        ASSERT_EQ((*window)[offset], firmwareByte(0xF0000 + offset)) << "offset " << offset;
    }
    EXPECT_EQ(window->back(), firmwareByte(0xFFFFF));
}

TEST(WindowsSystemFirmware, NoRomWindowWithoutTheServiceOrItsWholeTable) {
    SystemFirmwareCalls missing;  // 32-bit Windows XP
    EXPECT_FALSE(WindowsSystemFirmware(missing).readRomWindow().has_value());

    // Fails; gives only 64 KiB; wants a larger buffer than the table's size.
    for (const UINT answer : {0u, 0x10000u, 0x1FFFFu, 0x30000u}) {
        service = FirmwareService{};
        service.answer = answer;
        WindowsSystemFirmware firmware(firmwareCalls());
        EXPECT_FALSE(firmware.readRomWindow().has_value()) << "answer " << answer;
    }
}

// A device as the stand-in list holds it: its hardware ids (NUL-separated,
// as the registry keeps them), bus and address; a property that is
// missing cannot be read.
struct StandInDevice {
    std::string hardwareIds;
    std::optional<DWORD> bus;
    std::optional<DWORD> address;
};

struct DeviceList {
    bool offered = true;
    std::vector<StandInDevice> devices;
    std::string enumerator;
    DWORD flags = 0;
    int destroyed = 0;
    int tooSmall = 0;  // hardware-id reads refused for want of room
};
DeviceList deviceList;
int listHandle;

HDEVINFO WINAPI standInClassDevs(const GUID* classGuid, PCSTR enumerator, HWND, DWORD flags) {
    EXPECT_EQ(classGuid, nullptr);
    deviceList.enumerator = enumerator != nullptr ? enumerator : "";
    deviceList.flags = flags;
    return deviceList.offered ? &listHandle : INVALID_HANDLE_VALUE;
}

BOOL WINAPI standInEnumDeviceInfo(HDEVINFO list, DWORD index, PSP_DEVINFO_DATA device) {
    EXPECT_EQ(list, &listHandle);
    EXPECT_EQ(device->cbSize, sizeof(SP_DEVINFO_DATA));
    if (index >= deviceList.devices.size()) {
        SetLastError(ERROR_NO_MORE_ITEMS);
        return FALSE;
    }
    device->DevInst = index;
    return TRUE;
}

BOOL WINAPI standInProperty(HDEVINFO list, PSP_DEVINFO_DATA device, DWORD property, PDWORD type,
                            PBYTE buffer, DWORD size, PDWORD required) {
    EXPECT_EQ(list, &listHandle);
    const StandInDevice& entry = deviceList.devices.at(device->DevInst);
    if (property == SPDRP_HARDWAREID) {
        const std::string value = entry.hardwareIds + std::string(2, '\0');
        if (required != nullptr) {
            *required = static_cast<DWORD>(value.size());
        }
        if (size < value.size()) {
            ++deviceList.tooSmall;
            SetLastError(ERROR_INSUFFICIENT_BUFFER);
            return FALSE;
        }
        std::memcpy(buffer, value.data(), value.size());
        *type = REG_MULTI_SZ;
        return TRUE;
    }
    const std::optional<DWORD> value = property == SPDRP_BUSNUMBER ? entry.bus
                                       : property == SPDRP_ADDRESS ? entry.address
                                                                   : std::nullopt;
    if (!value || size < sizeof(DWORD)) {
        SetLastError(ERROR_INVALID_DATA);
        return FALSE;
    }
    std::memcpy(buffer, &*value, sizeof(DWORD));
    *type = REG_DWORD;
    return TRUE;
}

BOOL WINAPI standInDestroy(HDEVINFO list) {
    EXPECT_EQ(list, &listHandle);
    ++deviceList.destroyed;
    return TRUE;
}

SystemFirmwareCalls listCalls() {
    SystemFirmwareCalls calls;
    calls.getClassDevs = &standInClassDevs;
    calls.enumDeviceInfo = &standInEnumDeviceInfo;
    calls.getDeviceRegistryProperty = &standInProperty;
    calls.destroyDeviceInfoList = &standInDestroy;
    return calls;
}

constexpr DWORD address(DWORD device, DWORD function) {
    return device << 16 | function;
}

TEST(WindowsSystemFirmware, ListsBusZerosDevicesSortedAndLeavesOutWhatItCannotPlace) {
    deviceList = DeviceList{};
    // Compatible ids after the first: more than the first read's room.
    std::string manyIds = "PCI\\VEN_8086&DEV_7110&SUBSYS_00000000&REV_02";
    for (const char* more :
         {"PCI\\VEN_8086&DEV_7110&SUBSYS_00000000", "PCI\\VEN_8086&DEV_7110&REV_02",
          "PCI\\VEN_8086&DEV_7110", "PCI\\VEN_8086&DEV_7110&CC_060100",
          "PCI\\VEN_8086&DEV_7110&CC_0601", "PCI\\VEN_8086&CC_060100", "PCI\\VEN_8086&CC_0601",
          "PCI\\VEN_8086", "PCI\\CC_060100", "PCI\\CC_0601"}) {
        manyIds += std::string(1, '\0') + more;
    }
    ASSERT_GT(manyIds.size(), 256u) << "longer than the first read's room";
    deviceList.devices = {
        {"PCI\\VEN_8086&DEV_7113&SUBSYS_00000000&REV_02", 0, address(7, 3)},
        {"PCI\\VEN_10DE&DEV_0110&SUBSYS_00000000&REV_A1", 1, address(0, 0)},  // other bus
        {manyIds, 0, address(7, 0)},
        {"PCI\\VEN_8086&DEV_7190&SUBSYS_00000000&REV_03", 0, address(0, 0)},
        {"PCI\\VEN_8086&DEV_7111&REV_01", 0, address(7, 1)},
        {"PCI\\VEN_8086&DEV_7191", 0, address(1, 0)},  // no revision
        {"ACPI\\PNP0A03", 0, address(2, 0)},
        {"PCI\\VEN_1106&DEV_3038&SUBSYS_00000000&REV_1A", 0, address(7, 8)},   // no function 8
        {"PCI\\VEN_1106&DEV_3038&SUBSYS_00000000&REV_1A", 0, address(32, 0)},  // no device 32
        {"PCI\\VEN_1274&DEV_1371&SUBSYS_00000000&REV_06", std::nullopt, address(9, 0)},
        {"PCI\\VEN_1274&DEV_1371&SUBSYS_00000000&REV_06", 0, std::nullopt},
        {"PCI\\VEN_5333&DEV_8811&SUBSYS_00000000&REV_54", 0, address(5, 0)},
    };
    WindowsSystemFirmware firmware(listCalls());
    const auto devices = firmware.listPciDevices();
    EXPECT_EQ(deviceList.enumerator, "PCI");
    EXPECT_EQ(deviceList.flags, static_cast<DWORD>(DIGCF_PRESENT | DIGCF_ALLCLASSES));
    EXPECT_EQ(deviceList.destroyed, 1);
    EXPECT_EQ(deviceList.tooSmall, 1) << "the long id list is read again with room for it";
    ASSERT_TRUE(devices.has_value());
    struct Expected {
        int device, function, vendor, deviceId, revision;
    };
    const std::vector<Expected> expected = {{0, 0, 0x8086, 0x7190, 0x03},
                                            {5, 0, 0x5333, 0x8811, 0x54},
                                            {7, 0, 0x8086, 0x7110, 0x02},
                                            {7, 1, 0x8086, 0x7111, 0x01},
                                            {7, 3, 0x8086, 0x7113, 0x02}};
    ASSERT_EQ(devices->size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        const ListedPciDevice& got = (*devices)[i];
        EXPECT_EQ(got.bus, 0);
        EXPECT_EQ(got.device, expected[i].device) << i;
        EXPECT_EQ(got.function, expected[i].function) << i;
        EXPECT_EQ(got.vendor, expected[i].vendor) << i;
        EXPECT_EQ(got.deviceId, expected[i].deviceId) << i;
        EXPECT_EQ(got.revision, expected[i].revision) << i;
    }
}

TEST(WindowsSystemFirmware, NoDeviceListWhenItCannotBeHadOrHoldsNothingOnBusZero) {
    deviceList = DeviceList{};
    deviceList.offered = false;
    EXPECT_FALSE(WindowsSystemFirmware(listCalls()).listPciDevices().has_value());
    EXPECT_EQ(deviceList.destroyed, 0) << "no list to give back";

    deviceList = DeviceList{};
    EXPECT_FALSE(WindowsSystemFirmware(listCalls()).listPciDevices().has_value()) << "empty";
    EXPECT_EQ(deviceList.destroyed, 1);

    deviceList = DeviceList{};
    deviceList.devices = {{"PCI\\VEN_10DE&DEV_0110&SUBSYS_00000000&REV_A1", 1, address(0, 0)},
                          {"PCI\\VEN_8086&DEV_7190", 0, address(0, 0)}};
    EXPECT_FALSE(WindowsSystemFirmware(listCalls()).listPciDevices().has_value());
    EXPECT_EQ(deviceList.destroyed, 1);
}

TEST(PciHardwareId, GivesTheIdsOfAWholeIdOnly) {
    const auto full = parsePciHardwareId("PCI\\VEN_8086&DEV_7190&SUBSYS_00000000&REV_03");
    ASSERT_TRUE(full.has_value());
    EXPECT_EQ(full->vendor, 0x8086);
    EXPECT_EQ(full->deviceId, 0x7190);
    EXPECT_EQ(full->revision, 0x03);
    const auto lower = parsePciHardwareId("pci\\ven_10de&dev_0a6c&subsys_3d1f17aa&rev_a2");
    ASSERT_TRUE(lower.has_value());
    EXPECT_EQ(lower->vendor, 0x10DE);
    EXPECT_EQ(lower->deviceId, 0x0A6C);
    EXPECT_EQ(lower->revision, 0xA2);
    const auto noSubsystem = parsePciHardwareId("PCI\\VEN_FFFF&DEV_FFFF&REV_FF");
    ASSERT_TRUE(noSubsystem.has_value());
    EXPECT_EQ(noSubsystem->vendor, 0xFFFF);
    EXPECT_EQ(noSubsystem->deviceId, 0xFFFF);
    EXPECT_EQ(noSubsystem->revision, 0xFF);

    for (const char* malformed : {
             "", "PCI\\",
             "PCI\\VEN_8086&DEV_7190",                          // no revision
             "PCI\\VEN_8086&DEV_7190&SUBSYS_00000000",          // no revision
             "PCI\\VEN_8086&DEV_7190&CC_060000",                // a compatible id
             "PCI\\VEN_8086&DEV_7190&SUBSYS_00000000&REV_03X",  // more after it
             "PCI\\VEN_8086&DEV_7190&SUBSYS_00000000&REV_3",    // one digit
             "PCI\\VEN_808&DEV_7190&SUBSYS_00000000&REV_03",    // three digits
             "PCI\\VEN_80861&DEV_7190&SUBSYS_00000000&REV_03",  // five digits
             "PCI\\VEN_80G6&DEV_7190&SUBSYS_00000000&REV_03",   // not hexadecimal
             "PCI\\VEN_8086&DEV_71 0&SUBSYS_00000000&REV_03",   // a space
             "PCI\\VEN_8086&DEV_7190&SUBSYS_0000000&REV_03",    // seven digits
             "PCI\\VEN_8086&DEV_7190&SUBSYS_0000000G&REV_03",   // not hexadecimal
             "PCI\\DEV_7190&VEN_8086&SUBSYS_00000000&REV_03",   // out of order
             "PCI\\VEN_8086&REV_03",                            // no device
             "ACPI\\VEN_8086&DEV_7190&SUBSYS_00000000&REV_03",  // another bus type
             "PCI/VEN_8086&DEV_7190&SUBSYS_00000000&REV_03",    // the wrong slash
             "PCI\\VEN_8086&DEV_7190&SUBSYS_00000000&REV_",     // no digits
         }) {
        EXPECT_FALSE(parsePciHardwareId(malformed).has_value()) << malformed;
    }
}

// On this system: the ROM window is the service's own bytes when it offers
// them, and the device list is in order.
TEST(WindowsSystemFirmware, ThisSystemsAnswersAsTheServiceGivesThem) {
    WindowsSystemFirmware firmware;
    const auto window = firmware.readRomWindow();
    std::vector<std::uint8_t> table(0x20000);
    const UINT size = GetSystemFirmwareTable(kFirm, 0xE0000, table.data(), 0x20000);
    if (size == 0x20000) {
        ASSERT_TRUE(window.has_value());
        EXPECT_EQ(*window, std::vector<std::uint8_t>(table.begin() + 0x10000, table.end()));
    } else {
        EXPECT_FALSE(window.has_value()) << "the service answered " << size;
    }
    if (const auto devices = firmware.listPciDevices()) {
        for (std::size_t i = 1; i < devices->size(); ++i) {
            const auto& a = (*devices)[i - 1];
            const auto& b = (*devices)[i];
            EXPECT_LT(a.device << 3 | a.function, b.device << 3 | b.function);
        }
    }
}

}  // namespace
}  // namespace romwise

#include "platform/windows/windows_system_firmware.h"

#include <algorithm>
#include <string>

#include "platform/windows/module_functions.h"
#include "platform/windows/pci_hardware_id.h"

namespace romwise {

namespace {

// The provider 'FIRM', as the four characters read as one big-endian dword.
constexpr DWORD kRawFirmwareProvider = ('F' << 24) | ('I' << 16) | ('R' << 8) | 'M';
// The table of 'FIRM' that holds the ROM window, and its size: the ROM
// window is its upper half.
constexpr DWORD kUpperFirmwareTable = 0xE0000;
constexpr DWORD kUpperFirmwareTableSize = 0x20000;
static_assert(kUpperFirmwareTable + kUpperFirmwareTableSize == kRomWindowAddress + kRomWindowLength,
              "the table ends where the ROM window ends");

// Longer hardware-id lists than this are not a device's.
constexpr DWORD kLongestHardwareIds = 0x10000;

// SPDRP_ADDRESS of a PCI device: its device number in the high word, its
// function in the low one.
constexpr DWORD kDevices = 32;
constexpr DWORD kFunctions = 8;

// Ends the device list however the walk ends.
class DeviceListHold {
  public:
    DeviceListHold(const SystemFirmwareCalls& calls, HDEVINFO list) : calls_(calls), list_(list) {}
    ~DeviceListHold() { calls_.destroyDeviceInfoList(list_); }
    DeviceListHold(const DeviceListHold&) = delete;
    DeviceListHold& operator=(const DeviceListHold&) = delete;

  private:
    const SystemFirmwareCalls& calls_;
    HDEVINFO list_;
};

std::optional<DWORD> dwordProperty(const SystemFirmwareCalls& calls, HDEVINFO list,
                                   SP_DEVINFO_DATA& device, DWORD property) {
    DWORD value = 0;
    DWORD type = 0;
    if (!calls.getDeviceRegistryProperty(list, &device, property, &type,
                                         reinterpret_cast<PBYTE>(&value), sizeof value, nullptr) ||
        type != REG_DWORD) {
        return std::nullopt;
    }
    return value;
}

// The first of the device's hardware ids, the most specific one.
std::optional<std::string> firstHardwareId(const SystemFirmwareCalls& calls, HDEVINFO list,
                                           SP_DEVINFO_DATA& device) {
    std::string buffer(256, '\0');
    DWORD type = 0;
    DWORD required = 0;
    const auto read = [&] {
        return calls.getDeviceRegistryProperty(list, &device, SPDRP_HARDWAREID, &type,
                                               reinterpret_cast<PBYTE>(buffer.data()),
                                               static_cast<DWORD>(buffer.size()), &required);
    };
    if (!read()) {
        if (GetLastError() != ERROR_INSUFFICIENT_BUFFER || required <= buffer.size() ||
            required > kLongestHardwareIds) {
            return std::nullopt;
        }
        buffer.assign(required, '\0');
        if (!read()) {
            return std::nullopt;
        }
    }
    if (type != REG_MULTI_SZ && type != REG_SZ) {
        return std::nullopt;
    }
    buffer.resize(buffer.find('\0') == std::string::npos ? buffer.size() : buffer.find('\0'));
    return buffer;
}

std::optional<ListedPciDevice> busZeroDevice(const SystemFirmwareCalls& calls, HDEVINFO list,
                                             SP_DEVINFO_DATA& device) {
    const auto bus = dwordProperty(calls, list, device, SPDRP_BUSNUMBER);
    if (bus != 0u) {
        return std::nullopt;
    }
    const auto address = dwordProperty(calls, list, device, SPDRP_ADDRESS);
    if (!address || (*address >> 16) >= kDevices || (*address & 0xFFFF) >= kFunctions) {
        return std::nullopt;
    }
    const auto text = firstHardwareId(calls, list, device);
    const auto ids = text ? parsePciHardwareId(*text) : std::nullopt;
    if (!ids) {
        return std::nullopt;
    }
    ListedPciDevice listed;
    listed.device = static_cast<std::uint8_t>(*address >> 16);
    listed.function = static_cast<std::uint8_t>(*address & 0xFFFF);
    listed.vendor = ids->vendor;
    listed.deviceId = ids->deviceId;
    listed.revision = ids->revision;
    return listed;
}

}  // namespace

SystemFirmwareCalls SystemFirmwareCalls::system() {
    SystemFirmwareCalls calls;
    calls.getSystemFirmwareTable = moduleFunction<GetSystemFirmwareTable>(
        GetModuleHandleA("kernel32.dll"), "GetSystemFirmwareTable");
    calls.getClassDevs = &SetupDiGetClassDevsA;
    calls.enumDeviceInfo = &SetupDiEnumDeviceInfo;
    calls.getDeviceRegistryProperty = &SetupDiGetDeviceRegistryPropertyA;
    calls.destroyDeviceInfoList = &SetupDiDestroyDeviceInfoList;
    return calls;
}

std::optional<std::vector<std::uint8_t>> WindowsSystemFirmware::readRomWindow() {
    if (calls_.getSystemFirmwareTable == nullptr) {
        return std::nullopt;
    }
    // One call with room for the whole table: the service answers with the
    // bytes it wrote, or with the size it needs when that is more.
    std::vector<std::uint8_t> table(kUpperFirmwareTableSize);
    if (calls_.getSystemFirmwareTable(kRawFirmwareProvider, kUpperFirmwareTable, table.data(),
                                      kUpperFirmwareTableSize) != kUpperFirmwareTableSize) {
        return std::nullopt;
    }
    return std::vector<std::uint8_t>(table.begin() + (kRomWindowAddress - kUpperFirmwareTable),
                                     table.end());
}

std::optional<std::vector<ListedPciDevice>> WindowsSystemFirmware::listPciDevices() {
    const HDEVINFO list =
        calls_.getClassDevs(nullptr, "PCI", nullptr, DIGCF_PRESENT | DIGCF_ALLCLASSES);
    if (list == INVALID_HANDLE_VALUE) {
        return std::nullopt;
    }
    const DeviceListHold hold(calls_, list);
    std::vector<ListedPciDevice> devices;
    SP_DEVINFO_DATA device{};
    device.cbSize = sizeof device;
    for (DWORD index = 0; calls_.enumDeviceInfo(list, index, &device); ++index) {
        if (const auto listed = busZeroDevice(calls_, list, device)) {
            devices.push_back(*listed);
        }
    }
    if (devices.empty()) {
        return std::nullopt;
    }
    std::sort(devices.begin(), devices.end(), [](const auto& a, const auto& b) {
        return a.device != b.device ? a.device < b.device : a.function < b.function;
    });
    return devices;
}

}  // namespace romwise

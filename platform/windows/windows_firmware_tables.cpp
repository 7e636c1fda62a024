#include "platform/windows/windows_firmware_tables.h"

#include <windows.h>

#include <cstring>

#include "dmi/smbios_dump.h"
#include "platform/windows/module_functions.h"

namespace romwise {

namespace {

// The provider 'RSMB', as the four characters read as one big-endian dword.
constexpr DWORD kRawSmbiosProvider = ('R' << 24) | ('S' << 16) | ('M' << 8) | 'B';

// What the service writes ahead of the table: the calling method, the
// version, the document revision and the table's length.
struct RawSmbiosHeader {
    BYTE used20CallingMethod;
    BYTE majorVersion;
    BYTE minorVersion;
    BYTE dmiRevision;
    DWORD length;
};
static_assert(sizeof(RawSmbiosHeader) == 8, "the service's header is 8 bytes");

using GetSystemFirmwareTableFunction = UINT(WINAPI*)(DWORD, DWORD, PVOID, DWORD);

}  // namespace

std::optional<SmbiosTables> WindowsFirmwareTables::readSmbiosTables() {
    const auto getTable = moduleFunction<GetSystemFirmwareTableFunction>(
        GetModuleHandleA("kernel32.dll"), "GetSystemFirmwareTable");
    if (getTable == nullptr) {
        return std::nullopt;
    }
    const UINT size = getTable(kRawSmbiosProvider, 0, nullptr, 0);
    if (size <= sizeof(RawSmbiosHeader) || size > sizeof(RawSmbiosHeader) + kLongestSmbiosTable) {
        return std::nullopt;
    }
    std::vector<std::uint8_t> raw(size);
    if (getTable(kRawSmbiosProvider, 0, raw.data(), size) != size) {
        return std::nullopt;
    }
    RawSmbiosHeader header;
    std::memcpy(&header, raw.data(), sizeof header);
    const std::size_t length =
        std::min<std::size_t>(header.length, raw.size() - sizeof(RawSmbiosHeader));
    if (length == 0) {
        return std::nullopt;
    }
    SmbiosTables tables;
    tables.table.assign(
        raw.begin() + sizeof(RawSmbiosHeader),
        raw.begin() + static_cast<std::ptrdiff_t>(sizeof(RawSmbiosHeader) + length));
    // The service does not say where the table lies; its place in memory
    // does not matter to a reading of the copy.
    tables.entryPoint =
        Smbios3EntryPointFor(header.majorVersion, header.minorVersion, header.dmiRevision,
                             static_cast<std::uint32_t>(length), 0);
    return tables;
}

}  // namespace romwise

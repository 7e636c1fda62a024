// The firmware-table service's copy of the SMBIOS tables: what the platform
// hands the DMI step is the service's table behind a sound entry point of
// the service's version, and the DMI step reads it without physical memory.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "dmi/checksum.h"
#include "dmi/read_dmi.h"
#include "platform/windows/windows_firmware_tables.h"

namespace romwise {
namespace {

constexpr DWORD kRawSmbios = ('R' << 24) | ('S' << 16) | ('M' << 8) | 'B';

// The service's answer, asked directly: header (8 bytes) and table.
std::vector<std::uint8_t> serviceAnswer() {
    const UINT size = GetSystemFirmwareTable(kRawSmbios, 0, nullptr, 0);
    std::vector<std::uint8_t> raw(size);
    if (size == 0 || GetSystemFirmwareTable(kRawSmbios, 0, raw.data(), size) != size) {
        return {};
    }
    return raw;
}

TEST(WindowsFirmwareTables, TheServicesTableBehindASoundEntryPointReadsAsDmi) {
    const std::vector<std::uint8_t> raw = serviceAnswer();
    if (raw.size() <= 8) {
        GTEST_SKIP() << "skipped: this system's firmware-table service offers no SMBIOS table";
    }
    WindowsFirmwareTables tables;
    const std::optional<SmbiosTables> read = tables.readSmbiosTables();
    ASSERT_TRUE(read.has_value());
    EXPECT_EQ(read->table, std::vector<std::uint8_t>(raw.begin() + 8, raw.end()));
    ASSERT_EQ(read->entryPoint.size(), 24u);
    EXPECT_EQ(std::memcmp(read->entryPoint.data(), "_SM3_", 5), 0);
    EXPECT_TRUE(ChecksumIsZero(read->entryPoint));
    EXPECT_EQ(read->entryPoint[0x07], raw[1]) << "major version";
    EXPECT_EQ(read->entryPoint[0x08], raw[2]) << "minor version";

    DmiSummary summary;
    MemorySlotSizes slots;
    slots.capacity = kMemorySlotCapacity;
    DmiReader reader(nullptr, &tables);  // no physical memory at all
    EXPECT_TRUE(ReadDmi(reader, summary, slots));
    EXPECT_EQ(summary.majorVersion, raw[1]);
}

}  // namespace
}  // namespace romwise

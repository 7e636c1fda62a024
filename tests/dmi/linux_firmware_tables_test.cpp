// The kernel's copy of the SMBIOS tables, read from a stand-in for
// /sys/firmware/dmi/tables.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <string>

#include "platform/linux/linux_firmware_tables.h"
#include "tests/dmi/crafted_smbios.h"
#include "tests/support/scratch_files.h"

namespace romwise::dmi_test {
namespace {

using test_support::TempDirectory;

TEST(LinuxFirmwareTables, ReadsThePairAndRefusesWhatIsNoRegularFile) {
    TempDirectory dir;
    const Bytes entry = Smbios3EntryPoint(3, 1, 0x40, 0x7A000000);
    const Table table = BuildTable({MakeStructure(2, 8, {{4, 1}}, {"Board"})});
    dir.writeBytes("smbios_entry_point", entry);
    dir.writeBytes("DMI", table.bytes);
    LinuxFirmwareTables tables(dir.path().string());
    const std::optional<SmbiosTables> read = tables.readSmbiosTables();
    ASSERT_TRUE(read.has_value());
    EXPECT_EQ(read->entryPoint, entry);
    EXPECT_EQ(read->table, table.bytes);

    // A FIFO in place of the table would block a plain read for ever.
    std::filesystem::remove(dir.path() / "DMI");
    ASSERT_EQ(mkfifo((dir.path() / "DMI").c_str(), 0600), 0);
    EXPECT_FALSE(tables.readSmbiosTables().has_value());
    EXPECT_FALSE(LinuxFirmwareTables(dir.path().string() + "/absent").readSmbiosTables());
}

}  // namespace
}  // namespace romwise::dmi_test

// The firmware's identity strings and the BIOS Information's vendor and
// date, read from the sample machines' tables and from broken ones.
#include <gtest/gtest.h>

#include <filesystem>

#include "dmi/identity_strings.h"
#include "dmi/read_dmi.h"
#include "platform/sim/profile_loader.h"
#include "platform/sim/sim_platform.h"

namespace romwise::dmi_test {
namespace {

sim::MachineProfile LoadSample(const std::string& name) {
    return sim::loadMachineProfile((std::filesystem::path(ROMWISE_SAMPLES_DIR) / name).string());
}

TEST(IdentityStrings, SampleBoardsNameTheirBiosAndBoard) {
    const auto board = ReadIdentityStrings(*LoadSample("award-440bx.json").smbiosTables);
    ASSERT_TRUE(board);
    EXPECT_EQ(board->biosVendor, "Award Software International, Inc.");
    EXPECT_EQ(board->biosDate, "11/03/99");
    EXPECT_EQ(board->boardVendor, "Quokka Boards Inc.");
    EXPECT_EQ(board->boardName, "QB-440BX");

    // The same reading behind a 64-bit entry point.
    const auto server = ReadIdentityStrings(*LoadSample("smbios3-server.json").smbiosTables);
    ASSERT_TRUE(server);
    EXPECT_EQ(server->biosDate, "06/12/2023");
    EXPECT_FALSE(server->boardName.empty());
}

TEST(IdentityStrings, NothingFromTablesWithoutAnEntryPointOrStructures) {
    SmbiosTables tables = *LoadSample("award-440bx.json").smbiosTables;
    SmbiosTables noEntry = tables;
    noEntry.entryPoint.assign(noEntry.entryPoint.size(), 0);
    EXPECT_FALSE(ReadIdentityStrings(noEntry));

    SmbiosTables endOnly = tables;
    endOnly.table = {127, 4, 0, 0, 0, 0};  // the end-of-table structure alone
    EXPECT_FALSE(ReadIdentityStrings(endOnly));
}

TEST(IdentityStrings, TablesMadeFromStringsGiveThemBack) {
    const FirmwareIdentity whole{"Quokka BIOS Works", "2.14", "06/12/2023", "Quokka", "QS-3000"};
    EXPECT_EQ(ReadIdentityStrings(IdentityTables(whole)), whole);
    // Missing strings stay missing, and the others keep their places.
    const FirmwareIdentity partial{"", "2.14", "", "", "QS-3000"};
    EXPECT_EQ(ReadIdentityStrings(IdentityTables(partial)), partial);
}

TEST(IdentityStrings, DmiSummaryCarriesTheBiosVendorAndDate) {
    sim::SimPlatform platform(LoadSample("award-440bx.json"));
    DmiReader reader(platform.createPhysicalMemoryWindow());
    DmiSummary summary;
    MemorySlotSizes slots;
    slots.capacity = kMemorySlotCapacity;
    ASSERT_TRUE(ReadDmi(reader, summary, slots));
    EXPECT_EQ(summary.biosVendor.str(), "Award Software International, Inc.");
    EXPECT_EQ(summary.biosReleaseDate.str(), "11/03/99");
}

}  // namespace
}  // namespace romwise::dmi_test

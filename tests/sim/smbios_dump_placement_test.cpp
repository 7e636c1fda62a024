// Placing an SMBIOS dump in simulated memory: the table at E0000h, the entry
// point with its address and checksums rewritten in the first free slot of
// the ROM window.
#include <numeric>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "dmi/little_endian.h"
#include "platform/sim/profile_loader.h"
#include "platform/sim/sim_physical_memory.h"
#include "tests/sim/temp_profile_dir.h"

namespace romwise::sim {
namespace {

using Bytes = std::vector<std::uint8_t>;
using testing::TempProfileDir;

unsigned byteSum(const Bytes& b, std::size_t from, std::size_t count) {
    return std::accumulate(b.begin() + static_cast<std::ptrdiff_t>(from),
                           b.begin() + static_cast<std::ptrdiff_t>(from + count), 0u) &
           0xFF;
}

// A type 1 structure with two strings and the end-of-table structure.
Bytes smallTable() {
    Bytes table = {1, 8, 0x01, 0x00, 1, 2, 0, 0};
    for (char c : std::string("Acme\0Board\0", 11)) {
        table.push_back(static_cast<std::uint8_t>(c));
    }
    table.push_back(0);
    for (std::uint8_t b : {127, 4, 0x02, 0x00, 0, 0}) {
        table.push_back(b);
    }
    return table;
}

// "_SM_" entry point at 0 (checksums left wrong on purpose), the table at
// `tableOffset`, its address field saying `addressField`.
Bytes smbios2Dump(const Bytes& table, std::size_t tableOffset, std::uint32_t addressField) {
    Bytes dump(tableOffset, 0);
    const std::string anchor = "_SM_";
    std::copy(anchor.begin(), anchor.end(), dump.begin());
    dump[0x04] = 0x12;
    dump[0x05] = 0x1F;
    dump[0x06] = 2;
    dump[0x07] = 3;
    StoreLittleEndian(dump, 0x08, 0x40, 2);
    const std::string dmi = "_DMI_";
    std::copy(dmi.begin(), dmi.end(), dump.begin() + 0x10);
    dump[0x15] = 0x34;
    StoreLittleEndian(dump, 0x16, table.size(), 2);
    StoreLittleEndian(dump, 0x18, addressField, 4);
    StoreLittleEndian(dump, 0x1C, 2, 2);
    dump[0x1E] = 0x23;
    dump.insert(dump.end(), table.begin(), table.end());
    return dump;
}

Bytes physical(const MachineProfile& profile, std::uint64_t address, std::uint64_t length) {
    return SimPhysicalMemory(profile.memory).read(address, length);
}

TEST(SmbiosDumpPlacement, CopiesTableToE0000AndFixesTheEntryPoint) {
    TempProfileDir dir;
    const Bytes table = smallTable();
    const Bytes dump = smbios2Dump(table, 0x20, 0x20);
    dir.writeBytes("board.dmi", dump);
    const MachineProfile profile = dir.load(R"({"smbiosDump": "board.dmi"})");

    EXPECT_EQ(physical(profile, 0xE0000, table.size()), table);
    // Without a ROM the window is all 00h, so the first slot is F0000h.
    const Bytes entry = physical(profile, 0xF0000, 0x20);
    EXPECT_EQ(LoadLittleEndian(entry, 0x18, 4), 0xE0000u);
    EXPECT_EQ(byteSum(entry, 0x10, 15), 0u) << "intermediate checksum";
    EXPECT_EQ(byteSum(entry, 0, 0x1F), 0u) << "entry point checksum";
    EXPECT_NE(entry[0x04], dump[0x04]);
    // Everything but the address and the checksums is the dump's.
    for (std::size_t i = 0; i < 0x1F; ++i) {
        if (i != 0x04 && i != 0x15 && (i < 0x18 || i > 0x1B)) {
            EXPECT_EQ(entry[i], dump[i]) << "byte " << i;
        }
    }
}

TEST(SmbiosDumpPlacement, TakesTheFirstAlignedRunOf32FreeBytes) {
    TempProfileDir dir;
    Bytes rom(0x10000, 0x5A);
    std::fill_n(rom.begin() + 0x1008, 32, 0xFF);  // free, but not 16-byte aligned
    std::fill_n(rom.begin() + 0x1800, 16, 0xFF);  // free bytes of two kinds
    std::fill_n(rom.begin() + 0x1810, 16, 0x00);
    std::fill_n(rom.begin() + 0x2000, 16, 0x00);  // too short
    std::fill_n(rom.begin() + 0x3000, 48, 0xFF);  // the first that fits
    std::fill_n(rom.begin() + 0x4000, 32, 0x00);
    dir.writeBytes("rom.bin", rom);
    dir.writeBytes("board.dmi", smbios2Dump(smallTable(), 0x20, 0x20));
    const MachineProfile profile = dir.load(R"({"rom": "rom.bin", "smbiosDump": "board.dmi"})");

    const Bytes window = physical(profile, 0xF0000, 0x10000);
    EXPECT_EQ(std::string(window.begin() + 0x3000, window.begin() + 0x3004), "_SM_");
    EXPECT_EQ(byteSum(window, 0x3000, 0x1F), 0u);
    EXPECT_EQ(window[0x301F], 0xFF) << "the slot's last byte stays as it was";
    EXPECT_EQ(window[0x4000], 0x00) << "only one entry point is written";
    EXPECT_EQ(window[0x1808], 0xFF);
    // Written into the ROM's own bytes: the window stays one region, beside
    // the table's.
    ASSERT_EQ(profile.memory.size(), 2u);
    EXPECT_EQ(profile.memory[0].address, 0xF0000u);
    EXPECT_EQ(profile.memory[0].bytes, window);
}

TEST(SmbiosDumpPlacement, MemoryRegionsCountWhenLookingForASlot) {
    TempProfileDir dir;
    dir.writeBytes("used.bin", Bytes(0x40, 0x77));
    dir.writeBytes("board.dmi", smbios2Dump(smallTable(), 0x20, 0x20));
    const MachineProfile profile = dir.load(
        R"({"memory": [{"address": "0xF0000", "file": "used.bin"}], "smbiosDump": "board.dmi"})");
    EXPECT_EQ(physical(profile, 0xF0040, 4), (Bytes{'_', 'S', 'M', '_'}));
}

TEST(SmbiosDumpPlacement, RefusesWhenTheWindowHasNoFreeSlot) {
    TempProfileDir dir;
    Bytes rom(0x10000, 0x5A);
    std::fill_n(rom.begin() + 0xFFF0, 16, 0xFF);  // the last 16 bytes cannot hold 32
    dir.writeBytes("rom.bin", rom);
    dir.writeBytes("board.dmi", smbios2Dump(smallTable(), 0x20, 0x20));
    const ProfileError error = dir.refusal(R"({"rom": "rom.bin", "smbiosDump": "board.dmi"})");
    EXPECT_EQ(error.key(), "smbiosDump");
    EXPECT_NE(error.problem().find("no room for the entry point"), std::string::npos)
        << error.what();
}

TEST(SmbiosDumpPlacement, ReadsMemoryCopiesThatKeepTheMachineAddress) {
    TempProfileDir dir;
    const Bytes table = smallTable();
    dir.writeBytes("memdump.bin", smbios2Dump(table, 0x20, 0xE0020));
    const MachineProfile profile = dir.load(R"({"smbiosDump": "memdump.bin"})");
    EXPECT_EQ(physical(profile, 0xE0000, table.size()), table);
    EXPECT_EQ(LoadLittleEndian(physical(profile, 0xF0000, 0x20), 0x18, 4), 0xE0000u);
}

TEST(SmbiosDumpPlacement, PlacesSmbios3AndLegacyEntryPoints) {
    TempProfileDir dir;
    const Bytes table = smallTable();

    Bytes sm3(0x20, 0);
    const std::string anchor3 = "_SM3_";
    std::copy(anchor3.begin(), anchor3.end(), sm3.begin());
    sm3[0x06] = 0x18;
    sm3[0x07] = 3;
    StoreLittleEndian(sm3, 0x0C, table.size(), 4);
    StoreLittleEndian(sm3, 0x10, 0x20, 8);
    sm3.insert(sm3.end(), table.begin(), table.end());
    dir.writeBytes("sm3.bin", sm3);
    const MachineProfile profile3 = dir.load(R"({"smbiosDump": "sm3.bin"})");
    const Bytes entry3 = physical(profile3, 0xF0000, 0x18);
    EXPECT_EQ(std::string(entry3.begin(), entry3.begin() + 5), "_SM3_");
    EXPECT_EQ(LoadLittleEndian(entry3, 0x10, 8), 0xE0000u);
    EXPECT_EQ(byteSum(entry3, 0, 0x18), 0u);
    EXPECT_EQ(physical(profile3, 0xE0000, table.size()), table);

    Bytes legacy(0x10, 0);
    const std::string anchor = "_DMI_";
    std::copy(anchor.begin(), anchor.end(), legacy.begin());
    StoreLittleEndian(legacy, 0x06, table.size(), 2);
    StoreLittleEndian(legacy, 0x08, 0x10, 4);
    legacy.insert(legacy.end(), table.begin(), table.end());
    dir.writeBytes("legacy.bin", legacy);
    const MachineProfile profile = dir.load(R"({"smbiosDump": "legacy.bin"})");
    const Bytes entry = physical(profile, 0xF0000, 0x10);
    EXPECT_EQ(LoadLittleEndian(entry, 0x08, 4), 0xE0000u);
    EXPECT_EQ(byteSum(entry, 0, 15), 0u);
    EXPECT_EQ(physical(profile, 0xE0000, table.size()), table);
}

TEST(SmbiosDumpPlacement, RefusesBadDumps) {
    TempProfileDir dir;
    const auto refuse = [&](const Bytes& dump, const std::string& problem) {
        dir.writeBytes("bad.dmi", dump);
        const ProfileError error = dir.refusal(R"({"smbiosDump": "bad.dmi"})");
        EXPECT_EQ(error.key(), "smbiosDump");
        EXPECT_NE(error.problem().find(problem), std::string::npos) << error.what();
    };

    Bytes big(0x20, 0);
    const std::string anchor3 = "_SM3_";
    std::copy(anchor3.begin(), anchor3.end(), big.begin());
    big[0x06] = 0x18;
    StoreLittleEndian(big, 0x0C, 0x10001, 4);
    StoreLittleEndian(big, 0x10, 0x20, 8);
    big.resize(0x20 + 0x10001, 0);
    refuse(big, "the structure table (65537 bytes) is over 64 KiB");

    Bytes truncated = smbios2Dump(smallTable(), 0x20, 0x20);
    truncated.pop_back();
    refuse(truncated, "runs past the end of the file");
    refuse(smbios2Dump(smallTable(), 0x20, 0xFFFFFF00), "runs past the end of the file");
    refuse(Bytes{'_', 'S', 'M', '_', 0, 0x1F}, "ends inside the entry point");
    refuse(Bytes(64, 0x20), "not an SMBIOS dump");
}

}  // namespace
}  // namespace romwise::sim

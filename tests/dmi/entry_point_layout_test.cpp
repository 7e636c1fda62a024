// The SMBIOS bytes every reader and writer shares: little-endian fields cut
// off by the end of their bytes, the entry point kinds told by their anchors,
// and an entry point pointed at another table with its checksums sound.
#include <gtest/gtest.h>

#include <cstdint>
#include <span>
#include <string>

#include "dmi/checksum.h"
#include "dmi/entry_point_layout.h"
#include "dmi/little_endian.h"
#include "tests/dmi/crafted_smbios.h"

namespace romwise::dmi_test {
namespace {

TEST(LittleEndian, FieldsCutOffByTheEndReadAsTheBytesThatAreThere) {
    const Bytes bytes = {0x78, 0x56, 0x34, 0x12, 0xEF, 0xCD};
    EXPECT_EQ(LoadWord(bytes, 0), 0x5678u);
    EXPECT_EQ(LoadDword(bytes, 1), 0xEF123456u);
    EXPECT_EQ(LoadDword(bytes, 4), 0xCDEFu) << "two of four bytes there";
    EXPECT_EQ(LoadQword(bytes, 0), 0xCDEF12345678ull);
    EXPECT_EQ(LoadByte(bytes, 6), 0u);
    EXPECT_EQ(LoadWord(bytes, SIZE_MAX), 0u) << "an offset far past the end";
    EXPECT_EQ(LoadDword(std::span<const std::uint8_t>(), 0), 0u);

    Bytes written(10, 0xAA);
    StoreLittleEndian(written, 1, 0x1122334455667788ull, 8);
    EXPECT_EQ(written, (Bytes{0xAA, 0x88, 0x77, 0x66, 0x55, 0x44, 0x33, 0x22, 0x11, 0xAA}));
    StoreLittleEndian(written, 0, 0xBEEF, 2);
    EXPECT_EQ(LoadQword(written, 0), 0x223344556677BEEFull);
}

TEST(EntryPointKind, ToldByTheAnchorAtTheStart) {
    const auto kindOf = [](const std::string& text) {
        return EntryPointKindOf(Bytes(text.begin(), text.end()));
    };
    EXPECT_EQ(kindOf("_SM_\x12"), EntryPointKind::Smbios);
    EXPECT_EQ(kindOf("_SM3_"), EntryPointKind::Smbios3);
    EXPECT_EQ(kindOf("_DMI_"), EntryPointKind::Legacy);
    EXPECT_EQ(kindOf("_SM"), std::nullopt) << "an anchor cut short";
    EXPECT_EQ(kindOf("_DMI"), std::nullopt);
    EXPECT_EQ(kindOf(" _SM_"), std::nullopt) << "only at the start";
}

// What placing a dump at E0000h does not reach (see
// tests/sim/smbios_dump_placement_test.cpp): a "_SM3_" table above 4 GiB
// takes all eight address bytes, and a length field that runs past the bytes
// given sums only those there.
TEST(SetEntryPointTableAddress, WritesWideAddressesAndChecksumsWhatIsThere) {
    Bytes entry3 = Smbios3EntryPoint(3, 4, 0x1234, 0x20);
    SetEntryPointTableAddress(entry3, EntryPointKind::Smbios3, 0x123456789Aull);
    EXPECT_EQ(LoadQword(entry3, 0x10), 0x123456789Aull);
    EXPECT_EQ(TableOfEntryPoint(entry3, EntryPointKind::Smbios3).length, 0x1234u);
    EXPECT_TRUE(ChecksumIsZero(entry3));

    EntryPointFields fields;
    fields.tableLength = 0x300;
    fields.entryLength = 0x40;
    Bytes entry = SmbiosEntryPoint(fields);
    ASSERT_EQ(entry.size(), 0x1Fu);
    SetEntryPointTableAddress(entry, EntryPointKind::Smbios, 0xE0000);
    EXPECT_EQ(LoadDword(entry, 0x18), 0xE0000u);
    EXPECT_EQ(TableOfEntryPoint(entry, EntryPointKind::Smbios).length, 0x300u);
    EXPECT_TRUE(ChecksumIsZero(entry));
    EXPECT_TRUE(ChecksumIsZero(std::span<const std::uint8_t>(entry).subspan(0x10, 15)));
}

}  // namespace
}  // namespace romwise::dmi_test

// Structure lengths, string look-up and the walk's stop rules.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "dmi/structure_walk.h"
#include "tests/dmi/crafted_smbios.h"

namespace romwise::dmi_test {
namespace {

struct LengthCase {
    const char* name;
    Bytes bytes;
    std::uint16_t remaining;
    std::uint16_t expect;
};

TEST(StructureLength, FindsTheStringSetsEndWithinTheRemainingBytes) {
    const LengthCase cases[] = {
        {"strings", {2, 8, 0, 0, 1, 2, 0, 0, 'A', 'B', 0, 'C', 0, 0}, 14, 14},
        {"no strings", {2, 8, 0, 0, 0, 0, 0, 0, 0, 0, 2}, 11, 10},
        {"no double NUL in the table", {2, 8, 0, 0, 1, 0, 0, 0, 'A', 'B', 0, 'C'}, 12, 0},
        {"double NUL only beyond the remaining bytes", {2, 6, 0, 0, 0, 1, 'A', 0, 0}, 8, 0},
        {"length byte past the table", {2, 0xFF, 0, 0, 0, 0}, 6, 0},
        {"length byte 0 looks from the start", {0, 0, 0, 0}, 4, 2},
        // Memory Controller Information may end without a double NUL.
        {"type 5 without strings", {5, 6, 0, 0, 0, 0, 0, 0, 9}, 9, 8},
        {"type 5 with a one-character string", {5, 6, 0, 0, 0, 0, 'X', 0, 0}, 9, 9},
        {"type 5 with a longer string ends at f", {5, 6, 0, 0, 0, 0, 'X', 'Y', 0, 0}, 10, 6},
        {"type 5 whose first test needs more bytes", {5, 6, 0, 0, 0, 0, 0}, 7, 0},
        {"type 5 whose second test needs more bytes", {5, 6, 0, 0, 0, 0, 'X', 0}, 8, 0},
    };
    for (const LengthCase& c : cases) {
        EXPECT_EQ(StructureLength(c.bytes.data(), c.remaining), c.expect) << c.name;
    }
}

struct StringCase {
    const char* name;
    Bytes copy;
    std::uint8_t number;
    std::uint16_t limit;
    std::optional<std::string> expect;
};

TEST(StructureString, CountsStringsAndNeverLeavesTheCopy) {
    const Bytes twoStrings = {1, 4, 0, 0, 'A', 'B', 0, 'C', 'D', 'E', 0, 0, 0, 0, 0, 0};
    const StringCase cases[] = {
        {"first", twoStrings, 1, 16, "AB"},
        {"second", twoStrings, 2, 16, "CDE"},
        {"number 0 is none", twoStrings, 0, 16, std::nullopt},
        {"beyond the set is none", twoStrings, 3, 16, std::nullopt},
        {"number 255 is none", twoStrings, 255, 16, std::nullopt},
        {"cut at the copy's last byte", twoStrings, 2, 9, "C"},
        {"starting at the last byte is none", twoStrings, 2, 8, std::nullopt},
        {"strings past the limit", twoStrings, 1, 4, std::nullopt},
        {"limit 0", twoStrings, 1, 0, std::nullopt},
        {"no strings", {1, 4, 0, 0, 0, 0}, 1, 6, std::nullopt},
        {"length byte beyond the copy", {1, 0xF0, 0, 0, 'A', 0, 0}, 1, 7, std::nullopt},
    };
    for (const StringCase& c : cases) {
        const auto found = StructureString(c.copy.data(), c.number, c.limit);
        ASSERT_EQ(found.has_value(), c.expect.has_value()) << c.name;
        if (found) {
            EXPECT_EQ(std::string(*found), *c.expect) << c.name;
        }
    }
    EXPECT_FALSE(StructureString(nullptr, 1, 16).has_value());
}

// A context over a table held in `table`, as if mapped at 10000h.
SmbiosContext ContextOver(const Bytes& table, std::uint16_t count, std::uint32_t windowLength) {
    SmbiosContext context;
    context.found = 1;
    context.hasSmbiosEntry = 1;
    context.hasDmiEntry = 1;
    std::uint8_t* dmi = context.dmiEntry();
    dmi[0x06] = static_cast<std::uint8_t>(table.size());
    dmi[0x07] = static_cast<std::uint8_t>(table.size() >> 8);
    dmi[0x08] = 0x00;
    dmi[0x09] = 0x00;
    dmi[0x0A] = 0x01;  // address 10000h
    dmi[0x0C] = static_cast<std::uint8_t>(count);
    dmi[0x0D] = static_cast<std::uint8_t>(count >> 8);
    context.tableWindow = MemoryView{table.data(), 0x10000, windowLength};
    return context;
}

std::vector<int> TypesVisited(const SmbiosContext& context, int stopAfter = -1) {
    std::vector<int> types;
    WalkStructures(context, [&](const TableStructure& structure) {
        types.push_back(structure.type());
        return static_cast<int>(types.size()) != stopAfter;
    });
    return types;
}

TEST(WalkStructures, StopsByEveryRule) {
    const Table three = BuildTable({MakeStructure(0, 0x13, {}, {"Vendor"}),
                                    MakeStructure(1, 0x08, {}), MakeStructure(2, 0x08, {}, {"B"})});
    const auto size = static_cast<std::uint32_t>(three.bytes.size());

    EXPECT_EQ(TypesVisited(ContextOver(three.bytes, 3, size)), (std::vector<int>{0, 1, 2}));
    EXPECT_EQ(TypesVisited(ContextOver(three.bytes, 2, size)), (std::vector<int>{0, 1}))
        << "stops after Number of Structures visits";
    EXPECT_EQ(TypesVisited(ContextOver(three.bytes, 500, size)), (std::vector<int>{0, 1, 2}))
        << "a count larger than the table ends with the table";
    EXPECT_EQ(TypesVisited(ContextOver(three.bytes, 3, size), 2), (std::vector<int>{0, 1}))
        << "the visitor stops the walk";
    EXPECT_TRUE(TypesVisited(ContextOver(three.bytes, 0, size)).empty());
    EXPECT_TRUE(TypesVisited(ContextOver(three.bytes, 3, size - 1)).empty())
        << "a table not wholly inside the window is not walked";

    SmbiosContext none = ContextOver(three.bytes, 3, size);
    none.hasSmbiosEntry = 0;
    none.hasDmiEntry = 0;
    EXPECT_TRUE(TypesVisited(none).empty()) << "no entry point";

    // A table that ends inside the third structure's strings.
    Bytes cut = three.bytes;
    cut.resize(cut.size() - 2);
    EXPECT_EQ(TypesVisited(ContextOver(cut, 3, static_cast<std::uint32_t>(cut.size()))),
              (std::vector<int>{0, 1}));

    // Fewer than 4 bytes after a structure end the walk.
    Bytes tail = BuildTable({MakeStructure(1, 0x08, {})}).bytes;
    tail.insert(tail.end(), {2, 0, 0});
    EXPECT_EQ(TypesVisited(ContextOver(tail, 5, static_cast<std::uint32_t>(tail.size()))),
              (std::vector<int>{1}));
}

TEST(WalkStructures, VisitsAPrivateCopyThatReadsZeroBeyondTheTable) {
    const Table table = BuildTable({MakeStructure(17, 0x15, {}, {"DIMM0"})});
    const SmbiosContext context =
        ContextOver(table.bytes, 1, static_cast<std::uint32_t>(table.bytes.size()));
    int visits = 0;
    WalkStructures(context, [&](const TableStructure& structure) {
        ++visits;
        EXPECT_NE(structure.bytes, table.bytes.data());
        EXPECT_EQ(structure.length, table.bytes.size());
        EXPECT_EQ(structure.remaining, table.bytes.size());
        EXPECT_EQ(structure.dword(structure.remaining - 2), 0u);
        return true;
    });
    EXPECT_EQ(visits, 1);
}

}  // namespace
}  // namespace romwise::dmi_test

// Tables of keys on an object of the tests' own: each form a row can take
// reads into its member and refuses what the row does not allow, rows are
// read in the table's order whatever the file's order, and a table names
// its keys and its refusal for a missing required key.
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/sim/profile_json.h"
#include "platform/sim/profile_key_table.h"
#include "platform/sim/profile_loader.h"

namespace romwise::sim {
namespace {

enum class Shade { Warm, Cold };
constexpr std::pair<const char*, Shade> kShadeNames[] = {{"warm", Shade::Warm},
                                                         {"cold", Shade::Cold}};

struct Bulb {
    std::uint16_t watts = 0;
    std::string maker;
};

struct Lamp {
    bool on = false;
    std::string label;
    std::uint8_t level = 0;
    std::int32_t offset = 0;
    double seconds = 0.0;
    std::optional<std::string> note = "unset";
    Shade shade = Shade::Warm;
    Bulb bulb;
    std::optional<Bulb> spare;
    std::map<std::uint8_t, std::uint8_t> registers;
};

// A row refused unless the lamp is on: "on" is read first whatever the
// file's order.
void onlyWhenOn(const ProfileFields& fields, const std::string& key, const Lamp& lamp) {
    if (!lamp.on) {
        fields.fail(key, "only for a lamp that is on");
    }
}

constexpr auto kBulbKeys = keyTable<Bulb>(
    {
        {"watts", field<&Bulb::watts>, kRequired},
        {"maker", field<&Bulb::maker>},
    },
    "a bulb needs \"watts\"");
constexpr NamedValues<Shade> kShades{kShadeNames, "shade", "warm or cold"};
constexpr MapEntries<std::uint8_t> kRegisterValues{"an object of register → value",
                                                   scalarValue<std::uint8_t>};

constexpr auto kLampKeys = keyTable<Lamp>({
    {"on", field<&Lamp::on>},
    {"label", field<&Lamp::label>},
    {"level", field<&Lamp::level, 9>, kOptional, onlyWhenOn},
    {"offset", field<&Lamp::offset>},
    {"seconds", field<&Lamp::seconds, 60>},
    {"note", nullableField<&Lamp::note>},
    {"shade", choice<&Lamp::shade, kShades>},
    {"bulb", object<&Lamp::bulb, kBulbKeys>},
    {"spare", nullableObject<&Lamp::spare, kBulbKeys>},
    {"registers", hexMap<&Lamp::registers, kRegisterValues>},
});

Lamp readLamp(const std::string& text) {
    const ProfileFields fields("lamp.json");
    const ProfileValue value =
        parseProfileJson(std::vector<std::uint8_t>(text.begin(), text.end()), fields);
    Lamp lamp;
    readObject(fields, value, "lamp", kLampKeys, lamp);
    return lamp;
}

TEST(ProfileKeyTable, ReadsEachFormIntoItsMember) {
    const Lamp lamp = readLamp(R"({
        "level": "0x9", "on": true, "label": "desk", "offset": -300, "seconds": 1.5,
        "note": "kept", "shade": "cold", "bulb": {"watts": 40, "maker": "Osram"},
        "spare": {"watts": "0x3C"}, "registers": {"0x20": 82, "_why": "a note"}})");
    EXPECT_TRUE(lamp.on);
    EXPECT_EQ(lamp.label, "desk");
    EXPECT_EQ(lamp.level, 9);
    EXPECT_EQ(lamp.offset, -300);
    EXPECT_EQ(lamp.seconds, 1.5);
    EXPECT_EQ(lamp.note, "kept");
    EXPECT_EQ(lamp.shade, Shade::Cold);
    EXPECT_EQ(lamp.bulb.watts, 40);
    EXPECT_EQ(lamp.bulb.maker, "Osram");
    ASSERT_TRUE(lamp.spare.has_value());
    EXPECT_EQ(lamp.spare->watts, 60);
    EXPECT_EQ(lamp.registers, (std::map<std::uint8_t, std::uint8_t>{{0x20, 82}}));

    const Lamp bare = readLamp(R"({"note": null, "spare": null})");
    EXPECT_FALSE(bare.note.has_value());
    EXPECT_FALSE(bare.spare.has_value());
    EXPECT_EQ(bare.shade, Shade::Warm) << "keys not given keep their defaults";
}

TEST(ProfileKeyTable, RefusesWhatARowDoesNotTake) {
    struct Case {
        const char* text;
        const char* key;
        const char* problem;
    };
    const Case cases[] = {
        {R"({"on": true, "level": 10})", "lamp.level", "10 is out of range (at most 9)"},
        {R"({"level": 1, "on": false})", "lamp.level", "only for a lamp that is on"},
        {R"({"seconds": 61})", "lamp.seconds", "61 is out of range (at most 60.0)"},
        {R"({"offset": 2147483648})", "lamp.offset",
         "2147483648 is out of range (-2147483648 to 2147483647)"},
        {R"({"offset": -2147483649})", "lamp.offset",
         "-2147483649 is out of range (-2147483648 to 2147483647)"},
        {R"({"label": null})", "lamp.label", "expected a string, got null"},
        {R"({"shade": "blue"})", "lamp.shade", R"(unknown shade "blue" (expected warm or cold))"},
        {R"({"bulb": {"maker": "Osram"}})", "lamp.bulb", "a bulb needs \"watts\""},
        {R"({"bulb": null})", "lamp.bulb", "expected an object, got null"},
        {R"({"spare": {"watts": 1, "volts": 2}})", "lamp.spare.volts",
         "unknown key (known here: watts, maker)"},
        {R"({"registers": []})", "lamp.registers",
         "expected an object of register → value, got an array"},
        {R"({"registers": {"0x100": 1}})", R"(lamp.registers["0x100"])",
         "0x100 is out of range (at most 0xFF)"},
    };
    for (const Case& c : cases) {
        try {
            readLamp(c.text);
            ADD_FAILURE() << "accepted: " << c.text;
        } catch (const ProfileError& error) {
            EXPECT_EQ(error.file(), "lamp.json");
            EXPECT_EQ(error.key(), c.key) << c.text;
            EXPECT_EQ(error.problem(), c.problem) << c.text;
        }
    }
}

TEST(ProfileKeyTable, TakesTheWholeRangeOfASignedField) {
    EXPECT_EQ(readLamp(R"({"offset": -2147483648})").offset, -2147483647 - 1);
    EXPECT_EQ(readLamp(R"({"offset": 2147483647})").offset, 2147483647);
    EXPECT_EQ(readLamp(R"({"offset": "0x7FFFFFFF"})").offset, 2147483647);
    EXPECT_EQ(readLamp(R"({"offset": -0})").offset, 0);
}

}  // namespace
}  // namespace romwise::sim

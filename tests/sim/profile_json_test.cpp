// The profile's JSON text as the loader sees it: the value tree the parser
// builds, where a refusal during the parse says it happened, and values
// quoted in messages exactly as the JSON library writes them.
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include "platform/sim/profile_json.h"
#include "platform/sim/profile_loader.h"
#include "tests/sim/temp_profile_dir.h"

namespace romwise::sim {
namespace {

using testing::TempProfileDir;

ProfileValue parsed(const std::string& text) {
    const ProfileFields fields("machine.json");
    return parseProfileJson(std::vector<std::uint8_t>(text.begin(), text.end()), fields);
}

TEST(ProfileJson, BuildsTheTreeAndGivesMembersInNameOrder) {
    const ProfileValue root =
        parsed(R"({"b": [1, -2, 2.5, "x", true, null, {}], "a": {"z": 1, "Z": 2, "_": 3}})");
    ASSERT_TRUE(root.isObject());
    ASSERT_EQ(root.members().size(), 2u);
    EXPECT_EQ(root.members()[0].name, "b");  // the file's order
    const ProfileValue& a = *root.find("a");
    std::vector<std::string> names;
    for (const ProfileValue::Member* member : a.membersByName()) {
        names.push_back(member->name);
    }
    EXPECT_EQ(names, (std::vector<std::string>{"Z", "_", "z"}));  // byte order
    EXPECT_EQ(root.find("c"), nullptr);

    const ProfileValue& b = *root.find("b");
    ASSERT_EQ(b.size(), 7u);
    using Kind = ProfileValue::Kind;
    EXPECT_EQ(b[0].kind(), Kind::Unsigned);
    EXPECT_EQ(b[0].asUnsigned(), 1u);
    EXPECT_EQ(b[1].kind(), Kind::Integer);
    EXPECT_EQ(b[1].asInteger(), -2);
    EXPECT_EQ(b[2].kind(), Kind::Float);
    EXPECT_EQ(b[2].asDouble(), 2.5);
    EXPECT_EQ(b[3].asString(), "x");
    EXPECT_TRUE(b[4].asBoolean());
    EXPECT_TRUE(b[5].isNull());
    EXPECT_TRUE(b[6].isObject());
}

// Refusals quote values as the JSON library writes them, so the tree's
// description of a value must be the library's text, cut at 40 characters.
TEST(ProfileJson, DescribesScalarsAsTheLibraryWritesThem) {
    for (const std::string scalar :
         {"0", "-0", "7", "-7", "1.5", "1e300", "-1e-300", "0.1", "1000.0", "18446744073709551615",
          "18446744073709551616", "-9223372036854775809", "true", "false", "null", R"("plain")",
          R"("tab\there \u001b\u007f é \"q\" \\")",
          R"("a text well over forty characters long, to be cut")"}) {
        std::string expected = nlohmann::json::parse(scalar).dump();
        if (expected.size() > 40) {
            expected = expected.substr(0, 37) + "...";
        }
        EXPECT_EQ(describeJson(parsed("[" + scalar + "]")[0]), expected) << scalar;
    }
    EXPECT_EQ(describeJson(parsed("[[]]")[0]), "an array");
    EXPECT_EQ(describeJson(parsed("[{}]")[0]), "an object");
}

struct ParseRefusal {
    std::string profile;
    std::string key;
    std::string problem;
};

std::string repeated(const std::string& text, std::size_t count) {
    std::string all;
    for (std::size_t i = 0; i < count; ++i) {
        all += text;
    }
    return all;
}

std::string manyNotes(std::size_t count) {
    std::string notes;
    for (std::size_t i = 0; i < count; ++i) {
        notes += "\"_" + std::to_string(i) + "\": 0, ";
    }
    return notes;
}

// Where the parser was when it refused: after closed arrays and objects,
// in objects large enough to be searched through their names' set, and
// the first of several unknown keys in name order.
TEST(ProfileJson, RefusalsNameWhereTheyHappened) {
    TempProfileDir dir;
    const std::string deep = std::string(kMaxJsonDepth, '[') + std::string(kMaxJsonDepth, ']');
    const ParseRefusal refusals[] = {
        {R"({"_n": [[1], 1e400]})", "_n[1]", "number overflow"},
        {R"({"_n": [{"a": [1]}, [2, {"b": 1e400}]]})", "_n[1][1].b", "number overflow"},
        {R"({"_n": [1, 2, )" + deep + "]}", "_n[2]" + repeated("[0]", kMaxJsonDepth - 2),
         "nested deeper than 64 levels"},
        {"{" + manyNotes(40) + R"("_17": 1})", "_17", "the key is given twice"},
        {"{" + manyNotes(15) + R"("_14": 1})", "_14", "the key is given twice"},
        {R"({"superio": [{"indexPort": 46, "registers": {)" + manyNotes(30) +
             R"("0x20": 1, "0x20": 2}}]})",
         R"(superio[0].registers["0x20"])", "the key is given twice"},
        {R"({"zeta": 1, "os": {}, "alpha": 2})", "alpha", "unknown key"},
    };
    for (const ParseRefusal& refusal : refusals) {
        const ProfileError error = dir.refusal(refusal.profile);
        EXPECT_EQ(error.key(), refusal.key) << refusal.profile;
        EXPECT_NE(error.problem().find(refusal.problem), std::string::npos) << error.what();
    }
}

// Map keys are met in name order, so of two spellings of one leaf the
// later in that order ("0x1" after "0x01") gives the leaf.
TEST(ProfileJson, LaterSpellingOfAMapKeyInNameOrderWins) {
    TempProfileDir dir;
    const MachineProfile profile =
        dir.load(R"({"cpu": {"cpuid": {"0x1": [1, 0, 0, 0], "0x01": [2, 0, 0, 0]}}})");
    EXPECT_EQ(profile.cpu->leaves.at(1).eax, 1u);
}

}  // namespace
}  // namespace romwise::sim

// The machine profiles in samples/: each one parses, says what it is for,
// names only files that exist, and differs from the default machine where
// its failure path needs it.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <numeric>
#include <string>

#include "tests/samples/sample_paths.h"
#include "tools/samplegen/cpuid_dump.h"
#include "tools/samplegen/sample_boards.h"

namespace romwise::samples_test {
namespace {

using nlohmann::json;

constexpr const char* kDefaultProfile = "award-440bx.json";

json LoadProfile(const std::string& name) {
    return json::parse(ReadText(SamplesDir() / name));
}

// A profile number is a JSON number or a string in hexadecimal with 0x.
std::uint64_t Number(const json& value) {
    if (value.is_string()) {
        const auto text = value.get<std::string>();
        EXPECT_EQ(text.rfind("0x", 0), 0u) << text;
        return std::stoull(text, nullptr, 16);
    }
    return value.get<std::uint64_t>();
}

std::vector<std::string> ProfileNames() {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(SamplesDir())) {
        if (entry.path().extension() == ".json") {
            names.push_back(entry.path().filename().string());
        }
    }
    std::sort(names.begin(), names.end());
    return names;
}

TEST(SampleProfiles, IncludeTheDefaultMachine) {
    const auto names = ProfileNames();
    EXPECT_NE(std::find(names.begin(), names.end(), kDefaultProfile), names.end());
}

TEST(SampleProfiles, ParseAndDescribeThemselves) {
    for (const auto& name : ProfileNames()) {
        json profile;
        ASSERT_NO_THROW(profile = LoadProfile(name)) << name;
        ASSERT_TRUE(profile.is_object()) << name;
        ASSERT_TRUE(profile.contains("description")) << name;
        EXPECT_FALSE(profile["description"].get<std::string>().empty()) << name;
    }
}

TEST(SampleProfiles, NameOnlyFilesThatExistBesideThem) {
    for (const auto& name : ProfileNames()) {
        const json profile = LoadProfile(name);
        std::vector<std::string> files;
        for (const char* key : {"rom", "smbiosDump"}) {
            if (profile.contains(key)) {
                files.push_back(profile[key].get<std::string>());
            }
        }
        if (profile.contains("cpu") && profile["cpu"].is_object() &&
            profile["cpu"].contains("cpuidDump")) {
            files.push_back(profile["cpu"]["cpuidDump"].get<std::string>());
        }
        for (const auto& region : profile.value("memory", json::array())) {
            files.push_back(region["file"].get<std::string>());
        }
        for (const auto& file : files) {
            EXPECT_TRUE(std::filesystem::is_regular_file(SamplesDir() / file))
                << name << " names " << file;
        }
    }
}

// The one setting each failure-path profile changes from the default.
struct Deviation {
    const char* profile;
    const char* pointer;  // JSON pointer into the profile
    json value;
};

TEST(SampleProfiles, EachFailurePathChangesItsSettingFromTheDefault) {
    const json base = LoadProfile(kDefaultProfile);
    const Deviation deviations[] = {
        {"unsupported-platform.json", "/os/platformId", 0},
        {"not-administrator.json", "/administrator", false},
        {"driver-missing.json", "/driver", "missing"},
        {"driver-inactive.json", "/driver", "inactive"},
        {"rom-unmappable.json", "/romMappable", false},
        {"no-dmi.json", "/physicalMemory", false},
        {"windows98-se.json", "/os/platformId", 1},
        {"linux-debian12.json", "/os/family", "linux"},
        {"many-slots.json", "/smbiosDump", "many-slots.dmi"},
    };
    for (const auto& d : deviations) {
        const json profile = LoadProfile(d.profile);
        const json::json_pointer at(d.pointer);
        ASSERT_TRUE(profile.contains(at)) << d.profile << " " << d.pointer;
        EXPECT_EQ(profile[at], d.value) << d.profile;
        EXPECT_NE(base.value(at, json()), d.value) << d.profile << " must differ from the default";
    }
}

class DefaultProfile : public testing::Test {
  protected:
    void SetUp() override { profile_ = LoadProfile(kDefaultProfile); }
    json profile_;
};

TEST_F(DefaultProfile, ReportsAsMuchMemoryAsTheDimmsHold) {
    const auto& memory = samplegen::kQb440bx.memory;
    const std::uint64_t mb =
        std::accumulate(memory.begin(), memory.end(), std::uint64_t{0},
                        [](std::uint64_t sum, const auto& d) { return sum + d.sizeMb; });
    EXPECT_EQ(Number(profile_["memoryTotalBytes"]), mb << 20);
}

TEST_F(DefaultProfile, ClocksTheProcessorAtItsSmbiosSpeed) {
    EXPECT_EQ(Number(profile_["cpu"]["clockMhz"]), samplegen::kQb440bx.currentSpeedMhz);
}

TEST_F(DefaultProfile, RunsSseExactlyWhenTheCpuidDumpOffersIt) {
    const auto leaf1 =
        std::find_if(std::begin(samplegen::kPentium3Leaves), std::end(samplegen::kPentium3Leaves),
                     [](const auto& l) { return l.leaf == 1; });
    ASSERT_NE(leaf1, std::end(samplegen::kPentium3Leaves));
    EXPECT_EQ(profile_["cpu"]["sse"].get<bool>(), (leaf1->edx & (1u << 25)) != 0);
}

TEST_F(DefaultProfile, HasAn440BXHostBridgeAtDeviceZero) {
    const auto& pci = profile_["pci"];
    ASSERT_FALSE(pci.empty());
    EXPECT_EQ(Number(pci[0]["device"]), 0u);
    EXPECT_EQ(Number(pci[0]["vendor"]), 0x8086u);
    EXPECT_EQ(Number(pci[0]["deviceId"]), 0x7190u);
}

TEST_F(DefaultProfile, KeysTheWinbondChipLikeAW83977) {
    const auto& chips = profile_["superio"];
    ASSERT_EQ(chips.size(), 1u);
    const auto& chip = chips[0];
    const auto port = Number(chip["indexPort"]);
    EXPECT_TRUE(port == 0x3F0 || port == 0x370) << port;
    ASSERT_EQ(chip["unlock"].size(), 1u);
    const auto& key = chip["unlock"][0];
    ASSERT_EQ(key.size(), 2u);
    for (const auto& write : key) {
        EXPECT_EQ(Number(write[0]), port);
        EXPECT_EQ(Number(write[1]), 0x87u);
    }
    ASSERT_EQ(chip["lock"].size(), 1u);
    EXPECT_EQ(Number(chip["lock"][0][0][1]), 0xAAu);
    const auto& registers = chip["registers"];
    const auto id = (Number(registers["0x20"]) << 8) | Number(registers["0x21"]);
    EXPECT_EQ(id >> 4, 0x52Fu) << "the W83977EF's device id";
    // The probe for older Winbond parts opens the chip with the same key and
    // reads register 09h; its low nibble must name none of them (7h-Dh).
    const auto reg09 = registers.contains("0x09")         ? Number(registers["0x09"])
                       : chip.contains("defaultRegister") ? Number(chip["defaultRegister"])
                                                          : 0xFFu;
    EXPECT_TRUE((reg09 & 0xF) < 7 || (reg09 & 0xF) > 0xD) << reg09;
}

}  // namespace
}  // namespace romwise::samples_test

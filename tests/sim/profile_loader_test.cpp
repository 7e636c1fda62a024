// Loading machine profiles: defaults, number forms, file paths and every kind
// of refusal, each of which must name the file, the key and the problem.
#include <algorithm>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/sim/profile_json.h"
#include "platform/sim/profile_loader.h"
#include "platform/sim/sim_physical_memory.h"
#include "tests/sim/temp_profile_dir.h"

namespace romwise::sim {
namespace {

using testing::TempProfileDir;

std::vector<std::uint8_t> physical(const MachineProfile& profile, std::uint64_t address,
                                   std::uint64_t length) {
    return SimPhysicalMemory(profile.memory).read(address, length);
}

TEST(ProfileLoader, EmptyProfileIsABareWindowsMachine) {
    TempProfileDir dir;
    const MachineProfile profile = dir.load("{}");
    EXPECT_EQ(profile.os.family, OsFamily::Windows);
    EXPECT_TRUE(profile.os.extendedRecord);
    EXPECT_TRUE(profile.administrator);
    EXPECT_EQ(profile.driver, DriverOutcome::Direct);
    EXPECT_TRUE(profile.romMappable);
    EXPECT_TRUE(profile.physicalMemory);
    EXPECT_TRUE(profile.browser.open);
    EXPECT_TRUE(profile.browser.direct);
    EXPECT_FALSE(profile.country.has_value());
    EXPECT_TRUE(profile.memory.empty());
    EXPECT_TRUE(profile.pci.empty());
    EXPECT_TRUE(profile.superio.empty());
    ASSERT_TRUE(profile.cpu.has_value()) << "a missing cpu key still has the instruction";
    EXPECT_TRUE(profile.cpu->leaves.empty());
    EXPECT_EQ(profile.cpu->counterFrequency, 10'000'000u);
}

TEST(ProfileLoader, ReadsEveryTopLevelKey) {
    TempProfileDir dir;
    const MachineProfile profile = dir.load(R"({
        "description": "test board",
        "_note": "ignored", "comment": "ignored too",
        "os": { "family": "windows", "platformId": 2, "majorVersion": 5, "minorVersion": "0x1",
                "buildNumber": 2600, "servicePack": "Service Pack 2", "productType": 1,
                "extendedRecord": false, "wow64Directory": "C:\\WINDOWS\\SysWOW64",
                "nativeArchitecture": 9 },
        "administrator": false,
        "programPath": "C:\\Romwise\\romwise.exe",
        "driver": "afterInstall",
        "memoryTotalBytes": "0x10000000",
        "timeZoneMinutesWest": -60,
        "country": { "code": "49", "name": "Germany" },
        "romMappable": false,
        "physicalMemory": false,
        "pci": [ { "device": 7, "vendor": "0x1106", "deviceId": "0x0686", "revision": 27 } ],
        "portReads": { "0x2F": "ff0A52", "0x2E": "" },
        "browser": { "open": false, "direct": true }
    })");
    EXPECT_EQ(profile.description, "test board");
    EXPECT_EQ(profile.os.platformId, 2u);
    EXPECT_EQ(profile.os.minorVersion, 1u);
    EXPECT_EQ(profile.os.buildNumber, 2600u);
    EXPECT_EQ(profile.os.servicePack, "Service Pack 2");
    EXPECT_EQ(profile.os.productType, 1);
    EXPECT_FALSE(profile.os.extendedRecord);
    EXPECT_EQ(profile.os.wow64Directory, "C:\\WINDOWS\\SysWOW64");
    EXPECT_EQ(profile.os.nativeArchitecture, 9);
    EXPECT_FALSE(profile.administrator);
    EXPECT_EQ(profile.programPath, "C:\\Romwise\\romwise.exe");
    EXPECT_EQ(profile.driver, DriverOutcome::AfterInstall);
    EXPECT_EQ(profile.memoryTotalBytes, 268435456u);
    EXPECT_EQ(profile.timeZoneMinutesWest, -60);
    ASSERT_TRUE(profile.country.has_value());
    EXPECT_EQ(profile.country->code, "49");
    EXPECT_EQ(profile.country->name, "Germany");
    EXPECT_FALSE(profile.romMappable);
    EXPECT_FALSE(profile.physicalMemory);
    ASSERT_EQ(profile.pci.size(), 1u);
    EXPECT_EQ(profile.pci[0].device, 7);
    EXPECT_EQ(profile.pci[0].vendor, 0x1106);
    EXPECT_EQ(profile.pci[0].deviceId, 0x0686);
    EXPECT_EQ(profile.pci[0].revision, 27);
    EXPECT_EQ(profile.portReads.at(0x2F), (std::vector<std::uint8_t>{0xFF, 0x0A, 0x52}));
    EXPECT_TRUE(profile.portReads.at(0x2E).empty());
    EXPECT_FALSE(profile.browser.open);
    EXPECT_TRUE(profile.browser.direct);
}

TEST(ProfileLoader, ReadsLinuxReleaseAndNullOptionals) {
    TempProfileDir dir;
    const MachineProfile profile = dir.load(R"json({
        "os": { "family": "linux", "prettyName": "Debian GNU/Linux 12 (bookworm)",
                "name": "Debian GNU/Linux", "id": "debian", "versionId": "12",
                "kernelRelease": "6.1.0-18-amd64" },
        "country": null,
        "cpu": null
    })json");
    EXPECT_EQ(profile.os.family, OsFamily::Linux);
    EXPECT_EQ(profile.os.prettyName, "Debian GNU/Linux 12 (bookworm)");
    EXPECT_EQ(profile.os.name, "Debian GNU/Linux");
    EXPECT_EQ(profile.os.id, "debian");
    EXPECT_EQ(profile.os.versionId, "12");
    EXPECT_EQ(profile.os.kernelRelease, "6.1.0-18-amd64");
    EXPECT_FALSE(profile.country.has_value());
    EXPECT_FALSE(profile.cpu.has_value());
}

TEST(ProfileLoader, NumbersAreJsonNumbersOrHexStrings) {
    TempProfileDir dir;
    EXPECT_EQ(dir.load(R"({"memoryTotalBytes": 4096})").memoryTotalBytes, 4096u);
    EXPECT_EQ(dir.load(R"({"memoryTotalBytes": "0x1000"})").memoryTotalBytes, 4096u);
    EXPECT_EQ(dir.load(R"({"memoryTotalBytes": "0XaBc"})").memoryTotalBytes, 0xABCu);
    EXPECT_EQ(dir.load(R"({"memoryTotalBytes": "0xFFFFFFFFFFFFFFFF"})").memoryTotalBytes,
              0xFFFFFFFFFFFFFFFFull);
    EXPECT_EQ(dir.load(R"({"timeZoneMinutesWest": "0x12C"})").timeZoneMinutesWest, 300);
    // The widest value a field takes is accepted, one more is not.
    const auto chip = dir.load(R"({"superio": [{"indexPort": "0xFFFE", "dataPort": 65535,
                                               "registers": {"0xFF": "0xFF"}}]})")
                          .superio.at(0);
    EXPECT_EQ(chip.indexPort, 0xFFFE);
    EXPECT_EQ(chip.dataPort, 0xFFFF);
    EXPECT_EQ(chip.registers.at(0xFF), 0xFF);
}

struct Refusal {
    const char* profile;
    const char* key;
    const char* problem;  // a part of the problem text
};

class ProfileRefusal : public ::testing::TestWithParam<Refusal> {};

TEST_P(ProfileRefusal, NamesFileKeyAndProblem) {
    TempProfileDir dir;
    const Refusal& refusal = GetParam();
    const ProfileError error = dir.refusal(refusal.profile);
    const std::string path = (dir.root() / "machine.json").string();
    EXPECT_EQ(error.file(), path);
    EXPECT_EQ(error.key(), refusal.key);
    EXPECT_NE(error.problem().find(refusal.problem), std::string::npos) << error.what();
    EXPECT_EQ(std::string(error.what()),
              path + ": key \"" + refusal.key + "\": " + error.problem());
}

INSTANTIATE_TEST_SUITE_P(
    WrongValues, ProfileRefusal,
    ::testing::Values(
        Refusal{R"({"memoryTotalBytes": "12z"})", "memoryTotalBytes",
                R"(expected a number or a hexadecimal string ("0x..."), got "12z")"},
        Refusal{R"({"memoryTotalBytes": "4096"})", "memoryTotalBytes",
                R"(hexadecimal string ("0x..."), got "4096")"},
        Refusal{R"({"memoryTotalBytes": "0x"})", "memoryTotalBytes", "got \"0x\""},
        Refusal{R"({"memoryTotalBytes": "0x1FFFFFFFFFFFFFFFF"})", "memoryTotalBytes",
                "got \"0x1FFFFFFFFFFFFFFFF\""},
        Refusal{R"({"memoryTotalBytes": -1})", "memoryTotalBytes", "0 or more, got -1"},
        Refusal{R"({"memoryTotalBytes": 1.5})", "memoryTotalBytes", "whole number, got 1.5"},
        Refusal{R"({"timeZoneMinutesWest": 3000000000})", "timeZoneMinutesWest", "out of range"},
        Refusal{R"({"administrator": "yes"})", "administrator", "expected true or false"},
        Refusal{R"({"programPath": 7})", "programPath", "expected a string, got 7"},
        Refusal{R"({"driver": "sometimes"})", "driver", "unknown driver \"sometimes\""},
        Refusal{R"({"os": {"family": "beos"}})", "os.family", "unknown family \"beos\""},
        Refusal{R"({"os": {"kernelRelease": "6.1"}})", "os.kernelRelease",
                "only when os.family is \"linux\""},
        Refusal{R"({"os": {"family": "linux", "buildNumber": 2600}})", "os.buildNumber",
                "only when os.family is \"windows\""},
        Refusal{R"({"os": {"productType": 256}})", "os.productType",
                "256 is out of range (at most 255)"},
        Refusal{R"({"country": "US"})", "country", "expected an object"},
        Refusal{R"({"browser": {"open": 1}})", "browser.open", "expected true or false"},
        Refusal{R"({"pci": [{"device": 32, "vendor": 1, "deviceId": 2}]})", "pci[0].device",
                "32 is out of range (at most 31)"},
        Refusal{R"({"pci": [{"device": 1, "vendor": "0x10000", "deviceId": 2}]})", "pci[0].vendor",
                "0x10000 is out of range (at most 0xFFFF)"},
        Refusal{R"({"pci": [{"device": 1, "vendor": 1}]})", "pci[0]", "needs"},
        Refusal{R"({"pci": [{"device": 3, "vendor": 1, "deviceId": 2},
                           {"device": 3, "vendor": 1, "deviceId": 2}]})",
                "pci[1].device", "already given by pci[0]"},
        Refusal{R"({"cpu": {"counterFrequency": 0}})", "cpu.counterFrequency", "above 0"},
        Refusal{R"({"cpu": {"cpuid": {"0x1": ["0x1", "0x2", "0x3"]}}})", "cpu.cpuid[\"0x1\"]",
                "expected [eax, ebx, ecx, edx]"},
        Refusal{R"({"cpu": {"cpuid": {"1": [0, 0, 0, 0]}}})", "cpu.cpuid[\"1\"]",
                "hexadecimal key"},
        Refusal{R"({"cpu": {"cpuid": {"0x1": [0, 0, 0, "0x100000000"]}}})", "cpu.cpuid[\"0x1\"][3]",
                "out of range (at most 0xFFFFFFFF)"},
        Refusal{R"({"cpu": {"bsfLoopSeconds": -2}})", "cpu.bsfLoopSeconds", "seconds"},
        Refusal{R"({"portReads": {"0x2F": "FF5"}})", "portReads[\"0x2F\"]", "odd count (3)"},
        Refusal{R"({"portReads": {"0x2F": "FFG2"}})", "portReads[\"0x2F\"]",
                "\"G2\" at character 3 is not a hexadecimal byte"},
        Refusal{R"({"portReads": {"0x10000": ""}})", "portReads[\"0x10000\"]", "out of range"},
        Refusal{R"({"firmwareTables": "yes"})", "firmwareTables", "expected true or false"}));

INSTANTIATE_TEST_SUITE_P(
    UnknownKeys, ProfileRefusal,
    ::testing::Values(Refusal{R"({"memoryTotalByte": 1})", "memoryTotalByte", "unknown key"},
                      Refusal{R"({"os": {"familly": "linux"}})", "os.familly", "unknown key"},
                      Refusal{R"({"superio": [{"indexPort": 46, "dataport": 47}]})",
                              "superio[0].dataport", "known here: indexPort, dataPort"},
                      Refusal{R"({"cpu": {"clockMHz": 100}})", "cpu.clockMHz", "unknown key"},
                      Refusal{R"({"browser": {"opens": true}})", "browser.opens", "unknown key"}));

INSTANTIATE_TEST_SUITE_P(
    SuperIoChips, ProfileRefusal,
    ::testing::Values(
        Refusal{R"({"superio": [{"dataPort": 47}]})", "superio[0]", "needs \"indexPort\""},
        Refusal{R"({"superio": [{"indexPort": "0x10000"}]})", "superio[0].indexPort",
                "0x10000 is out of range (at most 0xFFFF)"},
        Refusal{R"({"superio": [{"indexPort": 65535}]})", "superio[0].indexPort",
                "no room for the data port"},
        Refusal{R"({"superio": [{"indexPort": 46},
                               {"indexPort": 78, "unlock": [[[78, 135], [78, 135], [78, "0x100"]]]}]})",
                "superio[1].unlock[0][2][1]", "0x100 is out of range (at most 0xFF)"},
        Refusal{R"({"superio": [{"indexPort": 46, "unlock": [[[46, 135], 135]]}]})",
                "superio[0].unlock[0][1]", "expected a [port, value] pair"},
        Refusal{R"({"superio": [{"indexPort": 46, "lock": [[]]}]})", "superio[0].lock[0]",
                "at least one"},
        Refusal{R"({"superio": [{"indexPort": 46, "registers": {"0x120": 1}}]})",
                "superio[0].registers[\"0x120\"]", "out of range"},
        Refusal{R"({"superio": [{"indexPort": 46, "registers": {"0x20": "0x1FF"}}]})",
                "superio[0].registers[\"0x20\"]", "out of range"},
        Refusal{R"({"superio": [{"indexPort": 46, "sequences": {"0xC0": []}}]})",
                "superio[0].sequences[\"0xC0\"]", "at least one value"},
        Refusal{R"({"superio": [{"indexPort": 46, "lockOnRegisterWrite": {"register": 2}}]})",
                "superio[0].lockOnRegisterWrite", "needs both"},
        Refusal{R"({"superio": [{"indexPort": "0xCF8"}]})", "superio[0].indexPort",
                "PCI configuration"},
        // The index port of the second is the data port of the first.
        Refusal{R"({"superio": [{"indexPort": "0x2E"}, {"indexPort": "0x2F"}]})",
                "superio[1].indexPort", "port 0x2F is already claimed by superio[0]"},
        // The data port of the second is the index port of the first.
        Refusal{R"({"superio": [{"indexPort": "0x3F0"}, {"indexPort": "0x3EF"}]})",
                "superio[1].dataPort", "port 0x3F0 is already claimed by superio[0]"},
        Refusal{R"({"superio": [{"indexPort": "0x3F0", "dataPort": "0x3F0"},
                               {"indexPort": "0x100", "dataPort": "0x3F0"}]})",
                "superio[1].dataPort", "already claimed by superio[0]"}));

// What the JSON library would take silently or throw on without a key, and
// numbers beyond what their field or the simulated clock takes.
INSTANTIATE_TEST_SUITE_P(
    Bounds, ProfileRefusal,
    ::testing::Values(
        Refusal{R"({"memoryTotalBytes": 1e400})", "memoryTotalBytes", "number overflow"},
        Refusal{R"({"cpu": {"cpuid": {"0x1": [0, -1e999, 0, 0]}}})", "cpu.cpuid[\"0x1\"][1]",
                "number overflow"},
        Refusal{R"({"_note": [1, [2, 1e308, 1e309]]})", "_note[1][2]", "number overflow"},
        Refusal{R"({"driver": "direct", "administrator": true, "driver": "missing"})", "driver",
                "the key is given twice"},
        Refusal{R"({"superio": [{"indexPort": 46}, {"indexPort": 78,
                   "registers": {"0x20": 1, "0x21": 2, "0x20": 3}}]})",
                "superio[1].registers[\"0x20\"]", "the key is given twice"},
        Refusal{R"({"rom": "award.bin\u0000.txt"})", "rom", "the file name holds a NUL byte"},
        Refusal{R"({"cpu": {"counterFrequency": 4000000001}})", "cpu.counterFrequency",
                "4000000001 is out of range (at most 4000000000)"},
        Refusal{R"({"cpu": {"counterFrequency": "0xFFFFFFFFFFFFFFFF"}})", "cpu.counterFrequency",
                "out of range"},
        Refusal{R"({"cpu": {"clockMhz": 100001}})", "cpu.clockMhz",
                "100001 is out of range (at most 100000)"},
        Refusal{R"({"cpu": {"bsfLoopSeconds": 1e300}})", "cpu.bsfLoopSeconds",
                "out of range (at most 1000.0)"}));

TEST(ProfileLoader, TakesTheWidestClockValues) {
    TempProfileDir dir;
    const MachineProfile profile = dir.load(
        R"({"cpu": {"counterFrequency": 4000000000, "clockMhz": 100000, "bsfLoopSeconds": 1000}})");
    EXPECT_EQ(profile.cpu->counterFrequency, 4'000'000'000u);
    EXPECT_EQ(profile.cpu->clockMhz, 100'000u);
    EXPECT_EQ(profile.cpu->bsfLoopSeconds, 1000.0);
}

TEST(ProfileLoader, RefusesNestingDeeperThanTheLimit) {
    TempProfileDir dir;
    const auto nested = [](std::size_t depth) {
        return R"({"_deep": )" + std::string(depth - 1, '[') + std::string(depth - 1, ']') + "}";
    };
    EXPECT_NO_THROW(dir.load(nested(kMaxJsonDepth)));
    const ProfileError error = dir.refusal(nested(kMaxJsonDepth + 1));
    EXPECT_EQ(error.problem(), "nested deeper than 64 levels");
    EXPECT_EQ(error.key().rfind("_deep[0][0]", 0), 0u) << error.key();
}

TEST(ProfileLoader, RefusalIsOneLineWhateverTheProfileHolds) {
    TempProfileDir dir;
    const ProfileError key = dir.refusal(R"({"dri\nver\u001b[2J": 1})");
    EXPECT_EQ(key.key(), "dri\nver\x1b[2J");
    const std::string what = key.what();
    EXPECT_EQ(what.rfind((dir.root() / "machine.json").string() +
                             ": key \"dri\\nver\\x1B[2J\": unknown key (known here: ",
                         0),
              0u)
        << what;
    EXPECT_TRUE(std::none_of(what.begin(), what.end(), [](char c) {
        return static_cast<unsigned char>(c) < 0x20 || c == 0x7F;
    })) << what;
    const ProfileError value = dir.refusal(R"({"os": {"family": "be\r\nos\t\u007f"}})");
    EXPECT_NE(std::string(value.what()).find(R"(unknown family "be\r\nos\t\x7F")"),
              std::string::npos)
        << value.what();
}

TEST(ProfileLoader, AllowsNotesWhereverKeysAreChecked) {
    TempProfileDir dir;
    const MachineProfile profile = dir.load(R"({
        "description": "notes", "_why": 1, "comment_2": [],
        "superio": [{"indexPort": 46, "_chip": "Winbond", "registers": {"_id": "x", "0x20": 82}}],
        "cpu": {"comment": "486", "cpuid": {"_leaf": 0}}
    })");
    EXPECT_EQ(profile.superio.at(0).registers.at(0x20), 82);
    EXPECT_EQ(profile.superio.at(0).registers.size(), 1u);
}

TEST(ProfileLoader, RefusesUnreadableOrMalformedProfiles) {
    TempProfileDir dir;
    const std::string missing = (dir.root() / "none.json").string();
    try {
        loadMachineProfile(missing);
        ADD_FAILURE() << "a missing profile was accepted";
    } catch (const ProfileError& error) {
        EXPECT_EQ(std::string(error.what()),
                  missing + ": cannot read the profile: No such file or directory");
    }

    const ProfileError malformed = dir.refusal("{\n  \"driver\": \"direct\",\n  oops\n}");
    EXPECT_TRUE(malformed.key().empty());
    EXPECT_NE(malformed.problem().find("not valid JSON"), std::string::npos);
    EXPECT_NE(malformed.problem().find("line 3, column"), std::string::npos) << malformed.what();
    EXPECT_EQ(malformed.problem().find("json.exception"), std::string::npos);

    const ProfileError notObject = dir.refusal("[1, 2]");
    EXPECT_NE(notObject.problem().find("expected a JSON object at the top level, got an array"),
              std::string::npos);
}

TEST(ProfileLoader, FilesAreFoundBesideTheProfile) {
    TempProfileDir dir;
    std::vector<std::uint8_t> rom(0x10000, 0x11);
    rom[0xFFF5] = '0';
    dir.writeBytes("boards/roms/board.bin", rom);
    dir.writeBytes("boards/extra.bin", {1, 2, 3});
    const std::string absolute = dir.writeBytes("elsewhere/abs.bin", {9});
    const MachineProfile profile = dir.load(R"({
        "rom": "roms/board.bin",
        "memory": [ { "address": "0xC0000", "file": "extra.bin" },
                    { "address": "0xC0010", "file": ")" +
                                                absolute + R"(" } ]
    })",
                                            "boards/board.json");
    EXPECT_EQ(physical(profile, 0xFFFF5, 1)[0], '0');
    EXPECT_EQ(physical(profile, 0xC0000, 3), (std::vector<std::uint8_t>{1, 2, 3}));
    EXPECT_EQ(physical(profile, 0xC0010, 1)[0], 9);

    const ProfileError error = dir.refusal(R"({"rom": "roms/none.bin"})", "boards/b.json");
    EXPECT_EQ(error.key(), "rom");
    EXPECT_NE(error.problem().find((dir.root() / "boards/roms/none.bin").generic_string()),
              std::string::npos)
        << error.what();
    EXPECT_NE(error.problem().find("No such file or directory"), std::string::npos);
}

TEST(ProfileLoader, RomEndsAtTheTopOfTheFirstMegabyte) {
    TempProfileDir dir;
    std::vector<std::uint8_t> big(0x20000);
    for (std::size_t i = 0; i < big.size(); ++i) {
        big[i] = static_cast<std::uint8_t>(i >> 8);
    }
    dir.writeBytes("big.bin", big);
    const MachineProfile bigProfile = dir.load(R"({"rom": "big.bin"})");
    const auto window = physical(bigProfile, 0xF0000, 0x10000);
    EXPECT_TRUE(std::equal(window.begin(), window.end(), big.end() - 0x10000));

    dir.writeBytes("small.bin", std::vector<std::uint8_t>(0x1000, 0xEA));
    const MachineProfile smallProfile = dir.load(R"({"rom": "small.bin"})");
    EXPECT_EQ(physical(smallProfile, 0xFEFFF, 1)[0], 0x00);
    EXPECT_EQ(physical(smallProfile, 0xFF000, 1)[0], 0xEA);
    EXPECT_EQ(physical(smallProfile, 0xFFFFF, 1)[0], 0xEA);

    dir.writeBytes("empty.bin", {});
    EXPECT_NE(dir.refusal(R"({"rom": "empty.bin"})").problem().find("empty"), std::string::npos);
    dir.writeBytes("dir/x", {});
    EXPECT_NE(dir.refusal(R"({"rom": "dir"})").problem().find("is a directory"), std::string::npos);
}

TEST(ProfileLoader, LaterMemoryRegionsOverlayEarlierOnes) {
    TempProfileDir dir;
    dir.writeBytes("rom.bin", std::vector<std::uint8_t>(0x10000, 0xAA));
    dir.writeBytes("patch.bin", {1, 2});
    dir.writeBytes("patch2.bin", {3});
    const MachineProfile profile = dir.load(R"({"rom": "rom.bin", "memory": [
        {"address": "0xF0010", "file": "patch.bin"}, {"address": "0xF0011", "file": "patch2.bin"}]})");
    EXPECT_EQ(physical(profile, 0xF000F, 4), (std::vector<std::uint8_t>{0xAA, 1, 3, 0xAA}));
    EXPECT_EQ(physical(profile, 0x500, 2), (std::vector<std::uint8_t>{0, 0}));

    const ProfileError tooHigh =
        dir.refusal(R"({"memory": [{"address": "0xFFFFFFFF", "file": "patch.bin"}]})");
    EXPECT_EQ(tooHigh.key(), "memory[0]");
    EXPECT_NE(tooHigh.problem().find("past 4 GiB"), std::string::npos);
    EXPECT_EQ(dir.refusal(R"({"memory": [{"address": 0}]})").key(), "memory[0]");
}

TEST(ProfileLoader, ReadsSuperIoChips) {
    TempProfileDir dir;
    const MachineProfile profile = dir.load(R"({"superio": [
        {"indexPort": "0x2E"},
        {"indexPort": "0x3F0", "dataPort": "0x3F0", "unlock": [[["0x3F0", "0x51"]]],
         "lock": [[["0x3F0", "0xBB"]], [["0x3F0", "0xAA"], ["0x3F0", "0xAA"]]],
         "lockOnRegisterWrite": {"register": 2, "value": 2},
         "registers": {"0x29": "0x93"}, "defaultRegister": 0, "lockedRead": "0x7F",
         "sequences": {"0xC0": [1, 2, "0x3"]}}]})");
    ASSERT_EQ(profile.superio.size(), 2u);
    EXPECT_EQ(profile.superio[0].dataPort, 0x2F);
    EXPECT_TRUE(profile.superio[0].unlock.empty());
    const SuperIoChip& chip = profile.superio[1];
    EXPECT_EQ(chip.dataPort, 0x3F0);
    ASSERT_EQ(chip.unlock.size(), 1u);
    EXPECT_EQ(chip.unlock[0], (WriteSequence{{0x3F0, 0x51}}));
    ASSERT_EQ(chip.lock.size(), 2u);
    EXPECT_EQ(chip.lock[1], (WriteSequence{{0x3F0, 0xAA}, {0x3F0, 0xAA}}));
    EXPECT_EQ(chip.lockOnRegisterWrite, std::make_pair(std::uint8_t{2}, std::uint8_t{2}));
    EXPECT_EQ(chip.registers.at(0x29), 0x93);
    EXPECT_EQ(chip.defaultRegister, 0);
    EXPECT_EQ(chip.lockedRead, 0x7F);
    EXPECT_EQ(chip.sequences.at(0xC0), (std::vector<std::uint8_t>{1, 2, 3}));
}

}  // namespace
}  // namespace romwise::sim

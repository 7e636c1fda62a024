// The firmware-tables route end to end on the sample machines of today's
// systems, and the driver's route unchanged where a profile offers nothing.
#include <gtest/gtest.h>

#include <fstream>
#include <nlohmann/json.hpp>

#include "cli_run.h"
#include "tests/support/scratch_files.h"

namespace romwise {
namespace {

using Json = nlohmann::json;
using test_support::TempDirectory;
using testing::runCliWith;

std::string sample(const std::string& name) {
    return std::string(ROMWISE_SAMPLES_DIR) + "/" + name + ".json";
}

struct JsonRun {
    int status = -1;
    Json document;
    std::string err;
};

JsonRun passOn(const std::string& profile) {
    const auto run = runCliWith({"--machine", profile, "--format", "json"});
    return {run.status, Json::parse(run.out), run.err};
}

std::string result(const JsonRun& run, const char* key) {
    return run.document.at("results").at(key).get<std::string>();
}

TEST(FirmwareRouteProfiles, WindowsWithoutDriverReadsTheOfferedRomTablesAndDevices) {
    const JsonRun run = passOn(sample("windows10-no-driver"));
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_TRUE(run.document.at("messages").empty());
    EXPECT_EQ(result(run, "biosTypeLine"), "BIOS Type: Award Modular BIOS v4.51PG");
    EXPECT_EQ(result(run, "biosDateLine"), "BIOS Date: 11/03/99");
    EXPECT_EQ(result(run, "superIoLine"), "Superio:   Not probed (no port access)");
    EXPECT_EQ(result(run, "chipsetLine"), "Chipset:   Intel 2020 rev 7");
    EXPECT_EQ(result(run, "boardModel"), "QS-3000-MB");
    EXPECT_EQ(run.document.at("results").at("dmiMajorVersion"), 3);
    EXPECT_FALSE(result(run, "upgradeUrl").empty());
}

TEST(FirmwareRouteProfiles, WithoutTheRomWindowTheBiosComesFromTheTables) {
    const JsonRun run = passOn(sample("windows11-standard-user"));
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(result(run, "biosDateLine"), "BIOS Date: 06/12/2023");
    EXPECT_EQ(result(run, "biosTypeLine"), "BIOS Type: Quokka Systems");
    EXPECT_EQ(result(run, "oemSignOnLine"), "OEM Sign-On: None");
    EXPECT_EQ(result(run, "biosIdLine").find("Unknown"), std::string::npos);
}

TEST(FirmwareRouteProfiles, AStandardUserCompletesAsTheAdministratorDoes) {
    // The Windows 10 machine again, as a standard user: the same findings.
    std::ifstream in(sample("windows10-no-driver"));
    Json profile = Json::parse(in);
    for (const char* file : {"rom", "smbiosDump"}) {
        profile[file] = std::string(ROMWISE_SAMPLES_DIR) + "/" + profile[file].get<std::string>();
    }
    profile["administrator"] = false;
    TempDirectory dir;
    const std::string path = (dir.path() / "standard-user.json").string();
    std::ofstream(path) << profile.dump();

    const JsonRun administrator = passOn(sample("windows10-no-driver"));
    const JsonRun standard = passOn(path);
    ASSERT_EQ(standard.status, 0) << standard.err;
    EXPECT_EQ(standard.document.at("results"), administrator.document.at("results"));
}

TEST(FirmwareRouteProfiles, LinuxReadsTablesAsRootAndIdentityStringsAsAUser) {
    const JsonRun root = passOn(sample("linux-lockdown-laptop"));
    ASSERT_EQ(root.status, 0) << root.err;
    EXPECT_EQ(result(root, "boardModel"), "QS-3000-MB");
    EXPECT_EQ(result(root, "maxMemoryText"), "3145728 MB");

    // The kernel's tables are root's: the user gets the identity strings.
    const JsonRun user = passOn(sample("linux-ordinary-user"));
    ASSERT_EQ(user.status, 0) << user.err;
    EXPECT_EQ(result(user, "boardManufacturer"), "Quokka Boards Inc.");
    EXPECT_EQ(result(user, "biosTypeLine"), "BIOS Type: Award Software International, Inc.");
    EXPECT_EQ(result(user, "biosIdLine"), "BIOS ID:   Unknown");
    EXPECT_EQ(result(user, "maxMemoryText"), "Unknown");
    EXPECT_EQ(result(user, "chipsetLine"), "Chipset:   Intel 440BX/ZX rev 3");
}

TEST(FirmwareRouteProfiles, MachinesThatOfferNothingStopAsBefore) {
    for (const char* name : {"driver-missing", "not-administrator", "kernel-tables-only"}) {
        const JsonRun run = passOn(sample(name));
        const bool stops = std::string(name) != "kernel-tables-only";
        EXPECT_EQ(run.status, stops ? 3 : 0) << name;
        EXPECT_EQ(run.document.at("messages").size(), stops ? 1u : 0u) << name;
        EXPECT_NE(result(run, "superIoLine"), "Superio:   Not probed (no port access)") << name;
    }
}

}  // namespace
}  // namespace romwise

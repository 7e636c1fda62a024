// Whole passes: the operating-system field and texts on the OS sample
// profiles and on this computer.
#include <gtest/gtest.h>
#include <sys/utsname.h>
#include <nlohmann/json.hpp>

#include <fstream>
#include <sstream>

#include "cli/cli_stream_output.h"
#include "model/detection_results.h"
#include "platform/linux/linux_os_services.h"

namespace romwise {
namespace {

nlohmann::json runJson(std::vector<std::string> arguments, int* status = nullptr) {
    processDetectionResults() = DetectionResults{};
    arguments.push_back("--format");
    arguments.push_back("json");
    std::ostringstream out, err;
    const int code = runCli(arguments, out, err);
    if (status)
        *status = code;
    return nlohmann::json::parse(out.str());
}

std::string sample(const char* name) {
    return std::string(ROMWISE_SAMPLES_DIR) + "/" + name;
}

TEST(OsPassesTest, WindowsNinetyEightSecondEdition) {
    const auto doc = runJson({"--machine", sample("windows98-se.json")});
    EXPECT_EQ(doc["runState"], "Completed");
    EXPECT_EQ(doc["results"]["osFullName"], "Microsoft Windows 98 SE  Version: 4.10.2222  A ");
    EXPECT_EQ(doc["results"]["osShortName"], "Win98");
    EXPECT_EQ(doc["dialog"]["1013"], "Microsoft Windows 98 SE  Version: 4.10.2222  A ");
}

TEST(OsPassesTest, LinuxProfileGivesDistributionKernelAndLocale) {
    const auto doc = runJson({"--machine", sample("linux-debian12.json")});
    EXPECT_EQ(doc["results"]["osFullName"], "Debian GNU/Linux 12 (bookworm) Version: 6.1.0 ");
    EXPECT_EQ(doc["results"]["osShortName"], "debian12");
    EXPECT_EQ(doc["results"]["programDirectory"], "/usr/local/bin/");
    EXPECT_EQ(doc["results"]["timeZoneHours"], -1);
    EXPECT_EQ(doc["results"]["countryCode"], "49");
    EXPECT_EQ(doc["results"]["countryName"], "Germany");
}

TEST(OsPassesTest, UnsupportedPlatformsAreRefusedWithTheirMessage) {
    int status = 0;
    const auto doc = runJson({"--machine", sample("unsupported-platform.json")}, &status);
    EXPECT_EQ(status, 4);
    EXPECT_EQ(doc["runState"], "Failed");
    EXPECT_EQ(doc["dialog"]["1009"], "Romwise does not support this version of Windows!");
    EXPECT_EQ(doc["results"]["osShortName"], "Win32s");
}

TEST(OsPassesTest, RealPassShowsThisComputersDistributionAndKernel) {
    LinuxOsServices services;
    const LinuxRelease release = services.linuxRelease();
    utsname names{};
    ASSERT_EQ(uname(&names), 0);
    unsigned major = 0, minor = 0, patch = 0;
    std::sscanf(names.release, "%u.%u.%u", &major, &minor, &patch);
    const std::string expectedName = release.prettyName.empty() ? "Linux" : release.prettyName;

    // Super I/O probing writes to configuration ports: not from a test.
    const auto doc = runJson({"--skip-superio"});
    const std::string field = doc["dialog"]["1013"];
    EXPECT_EQ(field, expectedName + " Version: " + std::to_string(major) + "." +
                         std::to_string(minor) + "." + std::to_string(patch) + " ");
    EXPECT_NE(doc["runState"], "Failed");
}

}  // namespace
}  // namespace romwise

// romwise-cli end to end on the sample machines.
#include "cli/cli_stream_output.h"
#include "model/detection_results.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "cli_run.h"

namespace romwise {
namespace {

const std::string kSamples = ROMWISE_SAMPLES_DIR;

using testing::CliRun;
using testing::runCliWith;

std::string sample(const std::string& name) {
    return kSamples + "/" + name;
}

TEST(CliTest, DefaultSampleJsonHasEveryField) {
    const CliRun run = runCliWith({"--machine", sample("award-440bx.json"), "--format", "json"});
    ASSERT_EQ(run.status, 0) << run.err;
    const auto doc = nlohmann::json::parse(run.out);
    EXPECT_EQ(doc["runState"], "Completed");
    EXPECT_EQ(doc["options"]["skipSuperIo"], 0);
    const auto& results = doc["results"];
    for (const char* key : {"biosDateLine",      "biosTypeLine",        "biosIdLine",
                            "oemSignOnLine",     "superIoLine",         "chipsetLine",
                            "osFullName",        "osShortName",         "osVersionText",
                            "timeZoneHours",     "countryCode",         "countryName",
                            "dmiMajorVersion",   "dmiMinorVersion",     "boardManufacturer",
                            "boardModel",        "dmiBiosVersion",      "dmiProcessorName",
                            "installedMemoryMb", "memorySlotSizes",     "romSizeText",
                            "romSocketedText",   "installedMemoryText", "maxMemoryText",
                            "cpuLine",           "memorySlotTexts",     "memorySlotsLine",
                            "upgradeUrl",        "upgradeUrlShort",     "programDirectory",
                            "runState",          "requestSubmitted"}) {
        EXPECT_TRUE(results.contains(key)) << key;
    }
    EXPECT_EQ(results["biosDateLine"], "BIOS Date: 11/03/99");
    EXPECT_EQ(results["osShortName"], "WinXP SP2");
    EXPECT_EQ(results["memorySlotSizes"]["capacity"], 16);
    EXPECT_EQ(results["programDirectory"], "C:\\Program Files\\Romwise\\");
    EXPECT_EQ(doc["dialog"]["1006"], "11/03/99");
    EXPECT_TRUE(doc["messages"].empty());
}

TEST(CliTest, ReportIsPrintedWithCrLfLineEnds) {
    const CliRun run = runCliWith({"--machine", sample("award-440bx.json")});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(
        run.out.rfind("Program:   Quorvel Romwise Version 3.54\r\nBIOS Date: 11/03/99\r\n", 0), 0u);
    EXPECT_NE(run.out.find("OS:        WinXP SP2\r\n"), std::string::npos);
}

TEST(CliTest, FailurePathsGiveTheirStatusAndMessages) {
    struct Case {
        const char* profile;
        int status;
        const char* runState;
        const char* message;  // what standard error must hold
    } cases[] = {
        {"unsupported-platform.json", 4, "Failed",
         "romwise: Romwise does not support this version of Windows!"},
        {"not-administrator.json", 3, "Started",
         "romwise: Insufficient privileges to run this application. You must login as "
         "administrator!"},
        {"driver-missing.json", 3, "Started", "romwise: Error loading TVICHW driver!"},
        {"driver-inactive.json", 3, "Started", "romwise: Error loading TVICHW driver!"},
        {"rom-unmappable.json", 3, "Started", nullptr},
    };
    for (const Case& c : cases) {
        const CliRun run = runCliWith({"--machine", sample(c.profile), "--format", "json"});
        EXPECT_EQ(run.status, c.status) << c.profile;
        const auto doc = nlohmann::json::parse(run.out);
        EXPECT_EQ(doc["runState"], c.runState) << c.profile;
        if (c.message) {
            EXPECT_NE(run.err.find(c.message), std::string::npos) << c.profile << ": " << run.err;
        }
    }
    const CliRun rom = runCliWith({"--machine", sample("rom-unmappable.json"), "--format", "json"});
    const auto doc = nlohmann::json::parse(rom.out);
    EXPECT_EQ(doc["dialog"]["1002"], "Unknown");
    EXPECT_EQ(doc["dialog"]["1009"], " ");
}

TEST(CliTest, ReportAfterAnIncompletePassIsRefusedLikeTheSaveCommand) {
    const CliRun failed = runCliWith({"--machine", sample("unsupported-platform.json")});
    EXPECT_EQ(failed.status, 4);
    EXPECT_TRUE(failed.out.empty());
    EXPECT_NE(failed.err.find("romwise: Sorry! Results cannot be saved because there was an error "
                              "with BIOS Detection."),
              std::string::npos);

    const CliRun stopped = runCliWith({"--machine", sample("driver-missing.json")});
    EXPECT_EQ(stopped.status, 3);
    EXPECT_TRUE(stopped.out.empty());
    EXPECT_EQ(stopped.err.find("Sorry!"), std::string::npos);
}

TEST(CliTest, UsageErrorsAndRefusedProfilesExitWithTwo) {
    EXPECT_EQ(runCliWith({"--passes", "0"}).status, 2);
    EXPECT_EQ(runCliWith({"--passes", "x"}).status, 2);
    EXPECT_EQ(runCliWith({"--format", "xml"}).status, 2);
    EXPECT_EQ(runCliWith({"--bogus"}).status, 2);
    EXPECT_EQ(runCliWith({"--machine"}).status, 2);
    EXPECT_EQ(runCliWith({"--help=yes"}).status, 2);
    const CliRun missing = runCliWith({"--machine", sample("no-such-profile.json")});
    EXPECT_EQ(missing.status, 2);
    EXPECT_NE(missing.err.find("no-such-profile.json"), std::string::npos);
}

TEST(CliTest, HelpAndVersion) {
    const CliRun help = runCliWith({"--help"});
    EXPECT_EQ(help.status, 0);
    for (const char* option : {"--machine", "--skip-superio", "--skip-dmi", "--passes", "--format",
                               "--output", "--submit", "--trace-ports", "--version"}) {
        EXPECT_NE(help.out.find(option), std::string::npos) << option;
    }
    EXPECT_EQ(runCliWith({"--version"}).out, "Romwise Version 3.54\n");
}

TEST(CliTest, OptionsReachThePassAndAreReported) {
    const CliRun run = runCliWith({"--machine", sample("award-440bx.json"), "--skip-dmi",
                                   "--skip-superio", "--passes=2", "--format", "json"});
    ASSERT_EQ(run.status, 0) << run.err;
    const auto doc = nlohmann::json::parse(run.out);
    EXPECT_EQ(doc["options"]["skipDmi"], 1);
    EXPECT_EQ(doc["options"]["skipSuperIo"], 1);
    EXPECT_EQ(doc["results"]["superIoLine"], "Superio:   Unknown");
    EXPECT_EQ(doc["results"]["romSizeText"], "Unknown");
}

TEST(CliTest, PortTraceIsWrittenAndAnUnwritableTraceIsAUsageError) {
    const auto trace = std::filesystem::temp_directory_path() / "romwise-cli-test-trace.txt";
    const CliRun run = runCliWith({"--machine", sample("award-440bx.json"), "--trace-ports",
                                   trace.string(), "--format", "json"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_TRUE(std::filesystem::exists(trace));
    std::filesystem::remove(trace);

    EXPECT_EQ(runCliWith({"--machine", sample("award-440bx.json"), "--trace-ports",
                          "/nonexistent-dir/trace.txt"})
                  .status,
              2);
}

TEST(CliTest, OutputFileIsReplacedWholeOrLeftAlone) {
    const auto dir = std::filesystem::temp_directory_path() / "romwise-cli-test-output";
    std::filesystem::create_directories(dir);
    const auto target = dir / "bios.txt";
    {
        std::ofstream old(target);
        old << "old report";
    }
    CliRun run = runCliWith({"--machine", sample("award-440bx.json"), "--output", target.string()});
    EXPECT_EQ(run.status, 0) << run.err;
    {
        // Closed before the folder is removed: Windows keeps an open file.
        std::ifstream saved(target, std::ios::binary);
        const std::string text((std::istreambuf_iterator<char>(saved)), {});
        EXPECT_EQ(text.rfind("Program:   Quorvel Romwise Version 3.54\r\n", 0), 0u);
    }

    run = runCliWith({"--machine", sample("award-440bx.json"), "--output",
                      (dir / "missing" / "bios.txt").string()});
    EXPECT_EQ(run.status, 5);
    EXPECT_NE(run.err.find("romwise: File error saving results!"), std::string::npos);
    std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace romwise

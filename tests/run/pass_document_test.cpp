// The JSON document read back as the window reads the privileged helper's
// answer: for every sample and every kind of pass, reading and writing again
// gives the same document, so no field of the record or the window is lost
// or changed on the way.
#include <gtest/gtest.h>

#include <filesystem>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "cli_run.h"
#include "platform/pass_document/pass_document.h"

namespace romwise {
namespace {

using testing::CliRun;
using testing::runCliWith;

TEST(PassDocument, ReadingAndWritingAgainKeepsEveryByte) {
    std::size_t documents = 0;
    for (const auto& entry : std::filesystem::directory_iterator(ROMWISE_SAMPLES_DIR)) {
        if (entry.path().extension() != ".json") {
            continue;
        }
        for (const std::vector<std::string>& form :
             {std::vector<std::string>{}, {"--skip-dmi"}, {"--passes", "2", "--submit"}}) {
            std::vector<std::string> arguments = {"--machine", entry.path().string(), "--format",
                                                  "json"};
            arguments.insert(arguments.end(), form.begin(), form.end());
            const CliRun run = runCliWith(arguments);
            std::string problem;
            const std::optional<PassDocument> read = readPassDocument(run.out, problem);
            ASSERT_TRUE(read.has_value()) << entry.path() << ": " << problem;
            // The launches are the command line's own; the window never reads them.
            std::string expected = run.out;
            const std::size_t launched = expected.find("  \"launched\": [");
            const std::size_t window = expected.find("  \"window\": {");
            ASSERT_NE(launched, std::string::npos);
            expected.replace(launched, window - launched, "  \"launched\": [],\n");
            EXPECT_EQ(writePassDocument(read->results, read->options, read->view, {}), expected)
                << entry.path();
            ++documents;
        }
    }
    EXPECT_GT(documents, 60u);
}

TEST(PassDocument, WhatIsNoDocumentSaysWhy) {
    std::string problem;
    EXPECT_FALSE(readPassDocument("not json", problem));
    EXPECT_NE(problem.find("parse error"), std::string::npos) << problem;
    EXPECT_FALSE(readPassDocument(R"({"results": {}})", problem));
    EXPECT_FALSE(problem.empty());
    const CliRun run = runCliWith(
        {"--machine", std::string(ROMWISE_SAMPLES_DIR) + "/award-440bx.json", "--format", "json"});
    std::string damaged = run.out;
    damaged.replace(damaged.rfind("\"Completed\""), 11, "\"Finished\"");  // the record's
    EXPECT_FALSE(readPassDocument(damaged, problem));
    EXPECT_NE(problem.find("unknown run state \"Finished\""), std::string::npos) << problem;
}

// Every number is a whole number within its field, as the profile loader
// takes them: nothing is converted, wrapped or cut on the way in.
TEST(PassDocument, NumbersOutsideTheirFieldsAreRefused) {
    const nlohmann::json sample = nlohmann::json::parse(
        runCliWith({"--machine", std::string(ROMWISE_SAMPLES_DIR) + "/award-440bx.json", "--format",
                    "json", "--submit"})
            .out);
    const auto read = [&](const std::string& at, const nlohmann::json& value,
                          std::string& problem) {
        nlohmann::json document = sample;
        document[nlohmann::json::json_pointer(at)] = value;
        return readPassDocument(document.dump(), problem);
    };
    const std::pair<const char*, nlohmann::json> refused[] = {
        {"/results/timeZoneHours", 1e300},        {"/results/timeZoneHours", 2147483648u},
        {"/results/dmiMajorVersion", -5},         {"/results/installedMemoryMb", -1},
        {"/results/requestSubmitted", true},      {"/results/memorySlotSizes/sizeMb/0", 1.5},
        {"/results/memorySlotTexts/count", 16},   {"/options/skipDmi", "1"},
        {"/window/highlighted/0/face", 16777216}, {"/window/enabled/1004x", true},
    };
    for (const auto& [at, value] : refused) {
        std::string problem;
        EXPECT_FALSE(read(at, value, problem)) << at;
        EXPECT_NE(problem.find(": expected "), std::string::npos) << problem;
        EXPECT_EQ(problem.find('\n'), std::string::npos) << problem;
    }
    std::string problem;
    const auto lowest = read("/results/timeZoneHours", -2147483648, problem);
    const auto highest = read("/results/installedMemoryMb", 4294967295u, problem);
    ASSERT_TRUE(lowest && highest) << problem;
    EXPECT_EQ(lowest->results.timeZoneHours, -2147483648);
    EXPECT_EQ(highest->results.installedMemoryMb, 4294967295u);
    EXPECT_FALSE(read("/results/timeZoneHours", 1e300, problem));
    EXPECT_EQ(problem,
              "results.timeZoneHours: expected a whole number from -2147483648 to "
              "2147483647, got 1e+300");
}

// Which way the pass went: the last key, read back as it was written; a
// document without it (a pass stopped before either route) reads as none.
TEST(PassDocument, TheRouteComesLastAndReadsBack) {
    const std::string sample =
        runCliWith({"--machine", std::string(ROMWISE_SAMPLES_DIR) + "/award-440bx.json", "--format",
                    "json"})
            .out;
    std::string problem;
    const std::optional<PassDocument> pass = readPassDocument(sample, problem);
    ASSERT_TRUE(pass) << problem;
    const PassAccess tables = {PassRoute::FirmwareTables, "no port driver: caf\xE9",
                               AccessSource::IdentityStrings, AccessSource::None,
                               AccessSource::DeviceList};
    for (const std::optional<PassAccess>& access :
         {std::optional<PassAccess>(), std::optional<PassAccess>(PassAccess{}),
          std::optional<PassAccess>(tables)}) {
        ViewState view = pass->view;
        view.access = access;
        const std::string written = writePassDocument(pass->results, pass->options, view, {});
        const nlohmann::ordered_json document = nlohmann::ordered_json::parse(written);
        const std::optional<PassDocument> read = readPassDocument(written, problem);
        ASSERT_TRUE(read) << problem;
        EXPECT_EQ(read->view.access, access);
        if (!access) {
            EXPECT_FALSE(document.contains("access"));
            continue;
        }
        EXPECT_EQ(document.back(), document.at("access")) << "after the window";
        EXPECT_EQ(std::prev(document.end()).key(), "access");
    }
    ViewState view = pass->view;
    view.access = PassAccess{};
    EXPECT_EQ(nlohmann::json::parse(writePassDocument(pass->results, pass->options, view, {}))
                  .at("access"),
              nlohmann::json::parse(R"({"route": "driver"})"));
    view.access = tables;
    EXPECT_EQ(nlohmann::json::parse(writePassDocument(pass->results, pass->options, view, {}))
                  .at("access"),
              nlohmann::json::parse(R"({"route": "firmware-tables", "why": "no port driver: café",
                  "bios": "identity-strings", "dmi": "none", "chipset": "device-list",
                  "superIo": "not-probed"})"));
}

TEST(PassDocument, UnknownRoutesAndSourcesAreRefusedOnOneLine) {
    const nlohmann::json sample = nlohmann::json::parse(
        runCliWith({"--machine", std::string(ROMWISE_SAMPLES_DIR) + "/award-440bx.json", "--format",
                    "json"})
            .out);
    nlohmann::json tables = {{"route", "firmware-tables"}, {"why", "no port driver"},
                             {"bios", "rom-window"},       {"dmi", "smbios-tables"},
                             {"chipset", "device-list"},   {"superIo", "not-probed"}};
    const auto read = [&](const char* key, const nlohmann::json& value, std::string& problem) {
        nlohmann::json document = sample;
        document["access"] = tables;
        document["access"][key] = value;
        return readPassDocument(document.dump(), problem);
    };
    std::string problem;
    ASSERT_TRUE(read("why", "no port driver", problem)) << problem;
    const std::pair<const char*, const char*> refused[] = {
        {"route", "access.route: unknown route \"Driver\""},
        {"bios", "access.bios: unknown source \"rom\\nwindow\""},
        {"dmi", "access.dmi: unknown source \"smbios\""},
        {"chipset", "access.chipset: unknown source \"\""},
        {"superIo", "access.superIo: expected \"not-probed\", got \"probed\""},
    };
    const char* values[] = {"Driver", "rom\nwindow", "smbios", "", "probed"};
    for (std::size_t i = 0; i < std::size(refused); ++i) {
        EXPECT_FALSE(read(refused[i].first, values[i], problem)) << refused[i].first;
        EXPECT_EQ(problem, refused[i].second);
    }
    EXPECT_FALSE(read("why", 5, problem));
    EXPECT_EQ(problem.find('\n'), std::string::npos) << problem;
    tables.erase("chipset");
    EXPECT_FALSE(read("why", "no port driver", problem)) << "every step is named";
}

}  // namespace
}  // namespace romwise

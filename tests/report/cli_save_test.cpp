// romwise-cli --output and --submit go through the window's commands.
#include "cli/cli_stream_output.h"
#include "model/detection_results.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "report/text_report.h"

#include "../run/cli_run.h"

namespace romwise {
namespace {

namespace fs = std::filesystem;

using testing::CliRun;
using testing::runCliWith;

const std::string kSample = std::string(ROMWISE_SAMPLES_DIR) + "/award-440bx.json";

TEST(CliSaveTest, OutputWritesWhatTheReportFormatPrints) {
    const fs::path dir =
        fs::temp_directory_path() / ("romwise-cli-save-" + std::to_string(::getpid()));
    fs::create_directories(dir);
    const fs::path target = dir / (std::string(120, 'c') + ".txt");
    const CliRun saved = runCliWith({"--machine", kSample, "--output", target.string()});
    ASSERT_EQ(saved.status, 0) << saved.err;
    const CliRun printed = runCliWith({"--machine", kSample});
    std::ifstream in(target, std::ios::binary);
    EXPECT_EQ(std::string((std::istreambuf_iterator<char>(in)), {}), printed.out);

    const CliRun refused = runCliWith({"--machine", kSample, "--output", (dir / "").string()});
    EXPECT_EQ(refused.status, 5);
    EXPECT_NE(refused.err.find("romwise: File error saving results!\n"), std::string::npos);
    fs::remove_all(dir);
}

TEST(CliSaveTest, SubmitOpensTheFullAddress) {
    const CliRun run = runCliWith({"--machine", kSample, "--submit", "--format", "json"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.out.find("\"requestSubmitted\": 1"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("\"how\": \"open\""), std::string::npos);
    EXPECT_NE(run.out.find("uBType=Award"), std::string::npos);
    EXPECT_NE(run.out.find("uCC="), std::string::npos);
}

}  // namespace
}  // namespace romwise

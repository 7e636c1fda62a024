// --capture: a profile written from a pass replays that pass, on every
// sample machine, with every output; its SMBIOS dump is one dmidecode reads.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "cli_run.h"
#include "tests/support/scratch_files.h"

namespace romwise {
namespace {

using test_support::RunCommand;
using test_support::ShellQuote;
using test_support::TempDirectory;
using testing::CliRun;
using testing::runCliWith;

namespace fs = std::filesystem;

std::vector<std::string> sampleProfiles() {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(ROMWISE_SAMPLES_DIR)) {
        if (entry.path().extension() == ".json") {
            names.push_back(entry.path().stem().string());
        }
    }
    std::sort(names.begin(), names.end());
    return names;
}

std::vector<std::string> with(std::vector<std::string> arguments,
                              const std::vector<std::string>& more) {
    arguments.insert(arguments.end(), more.begin(), more.end());
    return arguments;
}

class CaptureReplay : public ::testing::TestWithParam<std::string> {};

TEST_P(CaptureReplay, GivesTheSameReportJsonAndStatus) {
    TempDirectory dir;
    const std::string original = std::string(ROMWISE_SAMPLES_DIR) + "/" + GetParam() + ".json";
    const std::string captured = (dir.path() / (GetParam() + ".json")).string();
    const CliRun capture = runCliWith({"--machine", original, "--capture", captured});
    ASSERT_TRUE(fs::exists(captured)) << capture.err;

    // Two passes and a submit, so that recorded answers serve every pass
    // and the browser's answers come back too.
    for (const std::vector<std::string>& form :
         {std::vector<std::string>{},
          {"--format", "json"},
          {"--skip-dmi", "--format", "json"},
          {"--passes", "2", "--submit", "--format", "json"}}) {
        const CliRun first = runCliWith(with({"--machine", original}, form));
        const CliRun replay = runCliWith(with({"--machine", captured}, form));
        EXPECT_EQ(replay.status, first.status) << replay.err;
        EXPECT_EQ(replay.out, first.out);
        EXPECT_EQ(replay.err, first.err);
    }
}

INSTANTIATE_TEST_SUITE_P(Samples, CaptureReplay, ::testing::ValuesIn(sampleProfiles()),
                         [](const auto& info) {
                             std::string name = info.param;
                             std::replace(name.begin(), name.end(), '-', '_');
                             return name;
                         });

TEST(Capture, TheDumpIsOneDmidecodeReadsAsTheOriginal) {
    const std::string dmidecode = "PATH=\"$PATH:/usr/sbin:/sbin\"; export PATH; dmidecode";
    if (RunCommand(dmidecode + " --version >/dev/null 2>&1").status != 0) {
        GTEST_SKIP() << "skipped: dmidecode is not installed";
    }
    TempDirectory dir;
    for (const char* sample : {"award-440bx", "smbios3-server", "kernel-tables-only"}) {
        const std::string captured = (dir.path() / (std::string(sample) + ".json")).string();
        runCliWith({"--machine", std::string(ROMWISE_SAMPLES_DIR) + "/" + sample + ".json",
                    "--capture", captured});
        const std::string dump = (dir.path() / (std::string(sample) + ".dmi")).string();
        const std::string original =
            std::string(ROMWISE_SAMPLES_DIR) +
            (std::string(sample) == "award-440bx" ? "/award-440bx.dmi" : "/qs3000-smbios3.dmi");
        const auto decode = [&](const std::string& file) {
            // Everything but the line naming the file.
            return RunCommand(dmidecode + " --from-dump " + ShellQuote(file) +
                              " 2>&1 | grep -v '^Reading SMBIOS'");
        };
        const auto ours = decode(dump);
        EXPECT_EQ(ours.status, 0) << sample;
        EXPECT_EQ(ours.output, decode(original).output) << sample;
    }
}

TEST(Capture, AProfileThatCannotBeWrittenIsReported) {
    const CliRun run =
        runCliWith({"--machine", std::string(ROMWISE_SAMPLES_DIR) + "/award-440bx.json",
                    "--capture", "/nonexistent/folder/machine.json"});
    EXPECT_EQ(run.status, 5);
    EXPECT_NE(run.err.find("romwise: the machine profile was not written: cannot write "
                           "\"/nonexistent/folder/machine-rom.bin\": its folder is missing"),
              std::string::npos)
        << run.err;
}

}  // namespace
}  // namespace romwise

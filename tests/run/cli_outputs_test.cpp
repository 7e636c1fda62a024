// romwise-cli's outputs are checked: standard output or a port trace that
// could not be written in full (a full disk: a copy of /dev/full made with
// mknod in a scratch folder) end with a message and status 5; refusals of
// the command line and of profiles are one line with status 2.
#include <sys/stat.h>
#include <sys/sysmacros.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <sstream>

#include "cli/cli_stream_output.h"
#include "cli_run.h"
#include "tests/support/scratch_files.h"

namespace romwise {
namespace {

using test_support::TempDirectory;
using testing::CliRun;
using testing::runCliWith;

const std::string kSample = std::string(ROMWISE_SAMPLES_DIR) + "/award-440bx.json";

// A device that takes no byte: every write fails with ENOSPC.
std::string fullDevice(const TempDirectory& dir) {
    const std::string path = (dir.path() / "full").string();
    return ::mknod(path.c_str(), S_IFCHR | 0666, makedev(1, 7)) == 0 ? path : std::string();
}

std::size_t lineCount(const std::string& text) {
    return static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n'));
}

TEST(CliOutputsTest, FullStandardOutputOrTraceEndsWithStatusFive) {
    TempDirectory dir;
    const std::string full = fullDevice(dir);
    if (full.empty()) {
        GTEST_SKIP() << "this user cannot make device nodes";
    }
    for (const char* format : {"report", "json", "url"}) {
        processDetectionResults() = DetectionResults{};
        std::ofstream out(full);
        std::ostringstream errors;
        EXPECT_EQ(runCli({"--machine", kSample, "--format", format}, out, errors), 5) << format;
        EXPECT_EQ(errors.str(),
                  "romwise: cannot write to standard output: No space left on device\n")
            << format;
    }
    {
        // Through stdio, as the program itself writes standard output.
        processDetectionResults() = DetectionResults{};
        StdioOutput out = StdioOutput::create(full.c_str());
        ASSERT_TRUE(out.isOpen());
        std::ostringstream errors;
        StreamOutput errorsOutput(errors);
        EXPECT_EQ(runCli({"--machine", kSample}, out, errorsOutput), 5);
        EXPECT_EQ(errors.str(),
                  "romwise: cannot write to standard output: No space left on device\n");
    }
    const CliRun traced = runCliWith({"--machine", kSample, "--trace-ports", full});
    EXPECT_EQ(traced.status, 5);
    EXPECT_EQ(traced.err, "romwise: cannot write the port trace to \"" + full +
                              "\": No space left on device\n");
    EXPECT_FALSE(traced.out.empty()) << "the report still goes out";
}

TEST(CliOutputsTest, RefusalsAreOneLineWithStatusTwo) {
    TempDirectory dir;
    const std::string fifo = (dir.path() / "fifo").string();
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const std::string profiles[] = {
        dir.write("overflow.json", R"({"memoryTotalBytes": 1e400})"),
        dir.write("twice.json", R"({"driver": "direct", "driver": "missing"})"),
        dir.write("escape.json", R"({"driver": "dir\u001b[31mect\nX"})"),
        dir.write("zero.json", R"({"rom": "/dev/zero"})"),
        dir.write("clock.json", R"({"cpu": {"counterFrequency": 10000000000}})"),
        "/dev/zero",
        fifo,
    };
    for (const std::string& profile : profiles) {
        const CliRun run = runCliWith({"--machine", profile});
        EXPECT_EQ(run.status, 2) << profile;
        EXPECT_EQ(run.err.rfind("romwise: machine profile refused: " + profile + ": ", 0), 0u)
            << run.err;
        EXPECT_EQ(lineCount(run.err), 1u) << run.err;
        EXPECT_TRUE(run.out.empty());
    }
    const CliRun option = runCliWith({"--format", "x\x1B[2J\ny"});
    EXPECT_EQ(option.status, 2);
    EXPECT_NE(option.err.find("got \"x\\x1B[2J\\ny\""), std::string::npos) << option.err;
    EXPECT_EQ(lineCount(option.err), 2u) << "the refusal and the hint";
}

// A file name holding ESC and a line feed must not forge a second
// "romwise:" line or reach the terminal as a command.
TEST(CliOutputsTest, PathsInMessagesStayOnTheirLine) {
    const std::string hostile = "/nonexistent/x\x1B[2J\nromwise: forged";
    const CliRun capture = runCliWith({"--machine", kSample, "--capture", hostile + ".json"});
    const CliRun trace = runCliWith({"--machine", kSample, "--trace-ports", hostile});
    EXPECT_EQ(capture.status, 5);
    EXPECT_EQ(trace.status, 2);
    for (const std::string& err : {capture.err, trace.err}) {
        EXPECT_EQ(lineCount(err), 1u) << err;
        EXPECT_EQ(err.find('\x1B'), std::string::npos) << err;
        EXPECT_NE(err.find("x\\x1B[2J\\nromwise: forged"), std::string::npos) << err;
    }
}

}  // namespace
}  // namespace romwise

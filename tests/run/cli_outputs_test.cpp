// romwise-cli's outputs are checked: standard output or a port trace that
// could not be written in full (a full disk: a copy of /dev/full made with
// mknod in a scratch folder; a pipe whose reader went away) end with a
// message and status 5; refusals are one line (status 2 for the command line
// and profiles), names in them escaped; a closed standard descriptor gets /dev/null before
// anything else is opened, so that no output lands in a file the pass opens
// (the port trace here; /dev/port as root).
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <sstream>

#include "cli/cli_stream_output.h"
#include "cli_run.h"
#include "platform/standard_descriptors.h"
#include "tests/support/scratch_files.h"

namespace romwise {
namespace {

using test_support::CommandOutput;
using test_support::RunCommand;
using test_support::ShellQuote;
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
    // A path holding ESC and a line feed forges no second "romwise:" line.
    const std::string hostile = "/nonexistent/x\x1B[2J\nromwise: forged";
    for (const CliRun& run : {runCliWith({"--machine", kSample, "--capture", hostile}),
                              runCliWith({"--machine", kSample, "--trace-ports", hostile})}) {
        EXPECT_EQ(lineCount(run.err), 1u) << run.err;
        EXPECT_NE(run.err.find("x\\x1B[2J\\nromwise: forged"), std::string::npos) << run.err;
    }
}

std::string contentsOf(const std::filesystem::path& path) {
    const auto bytes = test_support::ReadFileBytes(path);
    return std::string(bytes.begin(), bytes.end());
}

bool isNullDevice(int descriptor) {
    struct stat status {};
    return ::fstat(descriptor, &status) == 0 && status.st_rdev == makedev(1, 3);
}

TEST(StandardStreams, ClosedDescriptorsGetTheNullDeviceAndOpenOnesStay) {
    const pid_t child = ::fork();  // whose descriptors the test may close
    if (child == 0) {
        struct stat before {};
        ::fstat(STDERR_FILENO, &before);
        ::close(STDIN_FILENO);
        ::close(STDOUT_FILENO);
        struct stat after {};
        const bool right = openClosedStandardDescriptors() && isNullDevice(STDIN_FILENO) &&
                           isNullDevice(STDOUT_FILENO) && ::fstat(STDERR_FILENO, &after) == 0 &&
                           after.st_ino == before.st_ino &&
                           ::open("/dev/zero", O_RDONLY) > STDERR_FILENO;
        ::_exit(right ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
}

TEST(StandardStreams, ClosedStandardOutputNeverReachesTheFirstFileOpened) {
    const TempDirectory dir;
    const std::string trace = (dir.path() / "ports.txt").string();
    const CommandOutput run =
        RunCommand(ShellQuote(ROMWISE_CLI_PATH) + " --machine " + ShellQuote(kSample) +
                   " --format json --trace-ports " + ShellQuote(trace) + " 2>&1 >&-");
    EXPECT_EQ(run.status, 0) << run.output;
    EXPECT_EQ(contentsOf(trace).find("runState"), std::string::npos) << "JSON in the trace";
    // The helper on this computer: its first files are the system's own.
    const CommandOutput closed = RunCommand(ShellQuote(ROMWISE_PASS_PATH) + " 2>&1 >&-");
    const CommandOutput discarded = RunCommand(ShellQuote(ROMWISE_PASS_PATH) + " 2>&1 >/dev/null");
    EXPECT_EQ(closed.status, discarded.status) << closed.output;
    EXPECT_EQ(closed.output, discarded.output);
}

TEST(StandardStreams, AReaderThatWentAwayGivesTheMessageAndStatusFive) {
    const TempDirectory dir;
    // Standard output is a FIFO opened while it had a reader, who then left.
    const std::string readerGone = "cd " + ShellQuote(dir.path()) +
                                   " && rm -f out && mkfifo out && exec 3<>out 4>out 3>&- && ";
    for (const std::string& program :
         {ShellQuote(ROMWISE_CLI_PATH) + " --machine " + ShellQuote(kSample),
          ShellQuote(ROMWISE_PASS_PATH)}) {
        const CommandOutput run = RunCommand(readerGone + program + " 2>&1 >&4 4>&-");
        EXPECT_EQ(run.status, 5) << program << ": " << run.output;
        EXPECT_NE(run.output.find("romwise: cannot write to standard output: Broken pipe\n"),
                  std::string::npos)
            << run.output;
    }
}

}  // namespace
}  // namespace romwise

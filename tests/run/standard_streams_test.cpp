// The programs' standard streams: a closed descriptor 0-2 gets /dev/null
// before anything else is opened, so that no output lands in a file the
// pass opens (the port trace here; /dev/port as root); and a reader that
// went away is a write error with its message and status 5, not the end of
// the program by SIGPIPE.
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/standard_descriptors.h"
#include "tests/support/scratch_files.h"

extern char** environ;

namespace romwise {
namespace {

using test_support::TempDirectory;

const std::string kSample = std::string(ROMWISE_SAMPLES_DIR) + "/award-440bx.json";

enum class Output { Closed, Discarded, ReaderGone };

struct ProgramRun {
    int status = -1;  // the exit status, or minus the signal that ended it
    std::string err;
};

// Runs `arguments` with standard output as `output` says, standard error to
// a file, and SIGPIPE at its default action, whatever this test's is.
ProgramRun runWith(const std::vector<std::string>& arguments, Output output,
                   const TempDirectory& dir) {
    const std::string errors = (dir.path() / "stderr").string();
    int pipeEnds[2] = {-1, -1};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (output == Output::Closed) {
        posix_spawn_file_actions_addclose(&actions, STDOUT_FILENO);
    } else if (output == Output::Discarded) {
        posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    } else if (::pipe(pipeEnds) == 0) {
        ::close(pipeEnds[0]);
        posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], STDOUT_FILENO);
    }
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, errors.c_str(),
                                     O_WRONLY | O_CREAT | O_TRUNC, 0600);
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    sigset_t defaults;
    sigemptyset(&defaults);
    sigaddset(&defaults, SIGPIPE);
    posix_spawnattr_setsigdefault(&attributes, &defaults);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGDEF);
    std::vector<char*> argv;
    for (const std::string& argument : arguments) {
        argv.push_back(const_cast<char*>(argument.c_str()));
    }
    argv.push_back(nullptr);
    ProgramRun run;
    pid_t child = -1;
    const int started = posix_spawn(&child, argv[0], &actions, &attributes, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    posix_spawnattr_destroy(&attributes);
    if (pipeEnds[1] >= 0) {
        ::close(pipeEnds[1]);
    }
    EXPECT_EQ(started, 0) << argv[0];
    int status = 0;
    if (started == 0 && ::waitpid(child, &status, 0) == child) {
        run.status = WIFSIGNALED(status) ? -WTERMSIG(status) : WEXITSTATUS(status);
    }
    const auto bytes = test_support::ReadFileBytes(errors);
    run.err.assign(bytes.begin(), bytes.end());
    return run;
}

bool isNullDevice(int descriptor) {
    struct stat status {};
    return ::fstat(descriptor, &status) == 0 && S_ISCHR(status.st_mode) &&
           status.st_rdev == makedev(1, 3);
}

TEST(StandardStreams, ClosedDescriptorsGetTheNullDeviceAndOpenOnesStay) {
    // In a child, whose descriptors the test may close.
    const pid_t child = ::fork();
    if (child == 0) {
        struct stat before {};
        ::fstat(STDERR_FILENO, &before);
        ::close(STDIN_FILENO);
        ::close(STDOUT_FILENO);
        bool right = openClosedStandardDescriptors() && isNullDevice(STDIN_FILENO) &&
                     isNullDevice(STDOUT_FILENO) && ::write(STDOUT_FILENO, "x", 1) == 1;
        struct stat after {};
        right = right && ::fstat(STDERR_FILENO, &after) == 0 && after.st_ino == before.st_ino &&
                after.st_dev == before.st_dev;
        ::close(STDERR_FILENO);
        right = right && openClosedStandardDescriptors() && isNullDevice(STDERR_FILENO) &&
                ::open("/dev/zero", O_RDONLY) > STDERR_FILENO;
        ::_exit(right ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
}

TEST(StandardStreams, ClosedStandardOutputNeverReachesTheFirstFileOpened) {
    TempDirectory dir;
    const std::string trace = (dir.path() / "ports.txt").string();
    const ProgramRun run = runWith(
        {ROMWISE_CLI_PATH, "--machine", kSample, "--format", "json", "--trace-ports", trace},
        Output::Closed, dir);
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.err, "");
    const auto bytes = test_support::ReadFileBytes(trace);
    const std::string written(bytes.begin(), bytes.end());
    ASSERT_FALSE(written.empty());
    EXPECT_EQ(written.find('{'), std::string::npos) << "the JSON document went into the trace";
    EXPECT_TRUE(written[0] == 'R' || written[0] == 'W') << written.substr(0, 80);

    // The helper on this computer: its first files are the system's own.
    const ProgramRun discarded = runWith({ROMWISE_PASS_PATH}, Output::Discarded, dir);
    const ProgramRun closed = runWith({ROMWISE_PASS_PATH}, Output::Closed, dir);
    EXPECT_EQ(closed.status, discarded.status) << closed.err;
    EXPECT_EQ(closed.err, discarded.err);
}

TEST(StandardStreams, AReaderThatWentAwayGivesTheMessageAndStatusFive) {
    TempDirectory dir;
    const std::vector<std::vector<std::string>> programs = {
        {ROMWISE_CLI_PATH, "--machine", kSample, "--format", "json"},
        {ROMWISE_CLI_PATH, "--machine", kSample},
        {ROMWISE_PASS_PATH},
    };
    for (const auto& program : programs) {
        const ProgramRun run = runWith(program, Output::ReaderGone, dir);
        EXPECT_EQ(run.status, 5) << program[0] << " " << program.back() << ": " << run.err;
        const std::string last = "romwise: cannot write to standard output: Broken pipe\n";
        EXPECT_TRUE(run.err.size() >= last.size() &&
                    run.err.compare(run.err.size() - last.size(), last.size(), last) == 0)
            << run.err;
    }
}

}  // namespace
}  // namespace romwise

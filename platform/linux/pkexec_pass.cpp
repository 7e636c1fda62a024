#include "platform/linux/pkexec_pass.h"

#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstring>
#include <vector>

#include "platform/pass_document/pass_document.h"

extern char** environ;

namespace romwise {

namespace {

// pkexec's own exit statuses; every other status is the helper's.
constexpr int kAuthorizationDismissed = 126;
constexpr int kNotAuthorized = 127;
// The helper's statuses for a pass that ran (completed, stopped early,
// failed): each comes with its document.
constexpr int kPassStatuses[] = {0, 3, 4};
// A document is a few kilobytes; more than this is no answer of the helper.
constexpr std::size_t kLongestAnswer = 1 << 20;

struct HelperRun {
    int status = -1;  // the exit status; -1: did not start or did not exit
    std::string output;
    int startError = 0;
};

// Runs `argv` with standard output read into a string (up to the limit)
// and standard input from /dev/null; pkexec's password prompt goes through
// the desktop's authentication agent, not through these streams.
HelperRun runCollecting(const std::vector<std::string>& arguments) {
    HelperRun run;
    int pipeEnds[2];
    if (pipe2(pipeEnds, O_CLOEXEC) != 0) {
        run.startError = errno;
        return run;
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], STDOUT_FILENO);
    std::vector<char*> argv;
    for (const std::string& argument : arguments) {
        argv.push_back(const_cast<char*>(argument.c_str()));
    }
    argv.push_back(nullptr);
    pid_t pid = -1;
    run.startError = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(pipeEnds[1]);
    if (run.startError != 0) {
        close(pipeEnds[0]);
        return run;
    }
    std::array<char, 8192> chunk;
    for (;;) {
        const ssize_t got = read(pipeEnds[0], chunk.data(), chunk.size());
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got <= 0) {
            break;
        }
        if (run.output.size() < kLongestAnswer) {
            run.output.append(chunk.data(), static_cast<std::size_t>(got));
        }
    }
    close(pipeEnds[0]);
    int status = 0;
    while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    if (WIFEXITED(status)) {
        run.status = WEXITSTATUS(status);
    }
    return run;
}

bool isPassStatus(int status) {
    for (const int known : kPassStatuses) {
        if (status == known) {
            return true;
        }
    }
    return false;
}

bool executable(const std::string& path) {
    return !path.empty() && access(path.c_str(), X_OK) == 0;
}

}  // namespace

std::string passHelperPath() {
    std::array<char, 4096> program{};
    const ssize_t length = readlink("/proc/self/exe", program.data(), program.size() - 1);
    if (length > 0) {
        std::string beside(program.data(), static_cast<std::size_t>(length));
        beside.erase(beside.rfind('/') + 1);
        beside += kPassHelperName;
        if (executable(beside)) {
            return beside;
        }
    }
#ifdef ROMWISE_INSTALLED_HELPER_DIR
    const std::string installed = std::string(ROMWISE_INSTALLED_HELPER_DIR) + "/" + kPassHelperName;
    if (executable(installed)) {
        return installed;
    }
#endif
    return {};
}

std::optional<PassAnswer> PkexecPass::run(const DetectionOptions& options, std::string& reason) {
    if (!executable(pkexec_)) {
        reason = "reading this computer's hardware needs administrator rights, and " + pkexec_ +
                 " (polkit) is not installed: install the pkexec package, or start Romwise as "
                 "root.";
        return std::nullopt;
    }
    if (!executable(helper_)) {
        reason = "the privileged helper " + (helper_.empty() ? kPassHelperName : helper_) +
                 " is not installed; reinstall Romwise, or start it as root.";
        return std::nullopt;
    }
    std::vector<std::string> arguments = {pkexec_, helper_};
    if (options.skipSuperIo != 0) {
        arguments.emplace_back("--skip-superio");
    }
    if (options.skipDmi != 0) {
        arguments.emplace_back("--skip-dmi");
    }
    const HelperRun run = runCollecting(arguments);
    if (run.startError != 0) {
        reason = pkexec_ + " could not be started: " + std::strerror(run.startError) + ".";
        return std::nullopt;
    }
    if (run.status == kAuthorizationDismissed || run.status == kNotAuthorized) {
        reason =
            "the administrator's password was not given, so this computer's hardware cannot "
            "be read. Try again, or start Romwise as root.";
        return std::nullopt;
    }
    if (!isPassStatus(run.status)) {
        reason = "the privileged helper " + helper_ + " ended without a pass (exit status " +
                 std::to_string(run.status) + ").";
        return std::nullopt;
    }
    std::string problem;
    std::optional<PassDocument> document = readPassDocument(run.output, problem);
    if (!document) {
        reason = "the privileged helper's answer could not be read: " + problem + ".";
        return std::nullopt;
    }
    return PassAnswer{document->results, std::move(document->view)};
}

}  // namespace romwise

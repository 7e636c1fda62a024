#include "platform/linux/linux_shell.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>

extern char** environ;

namespace romwise {

namespace {

constexpr const char* kDirectBrowsers[] = {"x-www-browser", "sensible-browser"};

bool needsPercentEncoding(unsigned char byte) {
    return byte < 0x20 || byte >= 0x7F;
}

std::vector<std::string> pathDirectories() {
    std::vector<std::string> directories;
    const char* path = std::getenv("PATH");
    std::string_view rest = path != nullptr ? path : "/usr/local/bin:/usr/bin:/bin";
    while (true) {
        const std::string_view::size_type colon = rest.find(':');
        const std::string_view entry = rest.substr(0, colon);
        directories.emplace_back(entry.empty() ? "." : entry);
        if (colon == std::string_view::npos) {
            break;
        }
        rest.remove_prefix(colon + 1);
    }
    return directories;
}

// Starts `program` with one argument. Its standard input reads nothing and
// its standard output goes to standard error, so that a launcher's chatter
// never mixes with the program's own output. SIGPIPE has its default action
// there, whatever this program does with it: a launcher script relies on it.
pid_t spawnProgram(const std::string& program, const std::string& argument) {
    posix_spawn_file_actions_t actions;
    posix_spawnattr_t attributes;
    if (posix_spawn_file_actions_init(&actions) != 0) {
        return -1;
    }
    if (posix_spawnattr_init(&attributes) != 0) {
        posix_spawn_file_actions_destroy(&actions);
        return -1;
    }
    sigset_t defaults;
    sigemptyset(&defaults);
    sigaddset(&defaults, SIGPIPE);
    posix_spawnattr_setsigdefault(&attributes, &defaults);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGDEF);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_adddup2(&actions, STDERR_FILENO, STDOUT_FILENO);
    std::vector<char*> argv = {const_cast<char*>(program.c_str()),
                               const_cast<char*>(argument.c_str()), nullptr};
    pid_t pid = -1;
    const int error =
        posix_spawn(&pid, program.c_str(), &actions, &attributes, argv.data(), environ);
    posix_spawnattr_destroy(&attributes);
    posix_spawn_file_actions_destroy(&actions);
    return error == 0 ? pid : -1;
}

bool exitedSuccessfully(pid_t pid) {
    int status = 0;
    pid_t waited = 0;
    do {
        waited = waitpid(pid, &status, 0);
    } while (waited < 0 && errno == EINTR);
    return waited == pid && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

}  // namespace

std::string commandLineAddress(std::string_view address) {
    static constexpr char kHexDigits[] = "0123456789ABCDEF";
    std::string encoded;
    encoded.reserve(address.size());
    for (const char character : address) {
        const auto byte = static_cast<unsigned char>(character);
        if (needsPercentEncoding(byte)) {
            encoded.push_back('%');
            encoded.push_back(kHexDigits[byte >> 4]);
            encoded.push_back(kHexDigits[byte & 0x0F]);
        } else {
            encoded.push_back(character);
        }
    }
    return encoded;
}

LinuxShell::LinuxShell() : LinuxShell(pathDirectories()) {}

LinuxShell::LinuxShell(std::vector<std::string> searchDirectories)
    : searchDirectories_(std::move(searchDirectories)) {}

LinuxShell::~LinuxShell() {
    reapFinishedBrowsers();
}

std::string LinuxShell::findProgram(const char* name) const {
    for (const std::string& directory : searchDirectories_) {
        std::string candidate = directory + "/" + name;
        struct stat status {};
        if (::stat(candidate.c_str(), &status) == 0 && S_ISREG(status.st_mode) &&
            ::access(candidate.c_str(), X_OK) == 0) {
            return candidate;
        }
    }
    return {};
}

void LinuxShell::reapFinishedBrowsers() {
    std::erase_if(browsers_, [](int pid) {
        int status = 0;
        return waitpid(pid, &status, WNOHANG) != 0;
    });
}

bool LinuxShell::openAddress(const std::string& address) {
    const std::string program = findProgram("xdg-open");
    if (program.empty()) {
        return false;
    }
    const pid_t pid = spawnProgram(program, commandLineAddress(address));
    return pid > 0 && exitedSuccessfully(pid);
}

bool LinuxShell::startBrowser(const std::string& parameters) {
    reapFinishedBrowsers();
    for (const char* browser : kDirectBrowsers) {
        const std::string program = findProgram(browser);
        if (program.empty()) {
            continue;
        }
        const pid_t pid = spawnProgram(program, commandLineAddress(parameters));
        if (pid <= 0) {
            return false;
        }
        browsers_.push_back(pid);
        return true;
    }
    return false;
}

}  // namespace romwise

#include "platform/linux/linux_report_files.h"

#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>

namespace romwise {

namespace {

constexpr int kNameAttempts = 100;

class LinuxTemporaryReportFile final : public TemporaryReportFile {
  public:
    LinuxTemporaryReportFile(int descriptor, std::string path, std::string target)
        : descriptor_(descriptor), path_(std::move(path)), target_(std::move(target)) {}

    ~LinuxTemporaryReportFile() override {
        if (descriptor_ >= 0) {
            ::close(descriptor_);
        }
        if (!replaced_) {
            ::unlink(path_.c_str());
        }
    }

    bool write(std::string_view bytes) override {
        if (descriptor_ < 0 || failed_) {
            return false;
        }
        while (!bytes.empty()) {
            const ssize_t written = ::write(descriptor_, bytes.data(), bytes.size());
            if (written < 0 && errno == EINTR) {
                continue;
            }
            if (written <= 0) {
                failed_ = true;
                return false;
            }
            bytes.remove_prefix(static_cast<std::size_t>(written));
        }
        return true;
    }

    bool close() override {
        if (descriptor_ < 0) {
            return false;
        }
        // Some file systems report a full disk only when the data is flushed.
        const bool synced = ::fsync(descriptor_) == 0 || errno == EINVAL;
        const bool closed = ::close(descriptor_) == 0;
        descriptor_ = -1;
        closed_ = synced && closed && !failed_;
        return closed_;
    }

    bool replaceTarget() override {
        if (!closed_ || replaced_) {
            return false;
        }
        replaced_ = ::rename(path_.c_str(), target_.c_str()) == 0;
        return replaced_;
    }

  private:
    int descriptor_;
    std::string path_;
    std::string target_;
    bool failed_ = false;
    bool closed_ = false;
    bool replaced_ = false;
};

// A target that is a symbolic link keeps its link: the file it points to is
// the one replaced, as writing through the link would have done.
std::string resolvedTarget(const std::string& target) {
    struct stat status {};
    if (::lstat(target.c_str(), &status) != 0 || !S_ISLNK(status.st_mode)) {
        return target;
    }
    char* resolved = ::realpath(target.c_str(), nullptr);
    if (resolved == nullptr) {
        return target;
    }
    std::string path(resolved);
    std::free(resolved);
    return path;
}

std::string directoryOf(const std::string& path) {
    const std::string::size_type slash = path.rfind('/');
    if (slash == std::string::npos) {
        return ".";
    }
    return slash == 0 ? "/" : path.substr(0, slash);
}

}  // namespace

std::unique_ptr<TemporaryReportFile> LinuxReportFiles::createBeside(const std::string& typed) {
    // A name holding NUL cannot reach the system whole; one ending in "/"
    // names a directory.
    if (typed.empty() || typed.find('\0') != std::string::npos || typed.back() == '/') {
        return nullptr;
    }
    const std::string target = resolvedTarget(typed);
    const std::string directory = directoryOf(target);

    struct stat existing {};
    const bool replacesFile = ::stat(target.c_str(), &existing) == 0;
    if (replacesFile && S_ISDIR(existing.st_mode)) {
        return nullptr;
    }

    static unsigned counter = 0;
    for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
        char name[64];
        std::snprintf(name, sizeof name, "/.romwise-save-%ld-%u.tmp", static_cast<long>(::getpid()),
                      counter++);
        std::string path = directory + name;
        const int descriptor = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (descriptor < 0) {
            if (errno == EEXIST) {
                continue;
            }
            return nullptr;
        }
        if (replacesFile && S_ISREG(existing.st_mode)) {
            // The replaced report keeps its permissions.
            static_cast<void>(::fchmod(descriptor, existing.st_mode & 07777));
        }
        return std::make_unique<LinuxTemporaryReportFile>(descriptor, std::move(path), target);
    }
    return nullptr;
}

std::string LinuxReportFiles::homeDirectory() {
    const char* home = std::getenv("HOME");
    if (home != nullptr && home[0] == '/') {
        return home;
    }
    struct passwd entry {};
    struct passwd* found = nullptr;
    char buffer[4096];
    if (::getpwuid_r(::getuid(), &entry, buffer, sizeof buffer, &found) == 0 && found != nullptr &&
        found->pw_dir != nullptr && found->pw_dir[0] == '/') {
        return found->pw_dir;
    }
    return {};
}

}  // namespace romwise

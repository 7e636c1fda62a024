#include "platform/linux/report_writers.h"

#include <fcntl.h>
#include <sys/resource.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <optional>
#include <string>

#include "platform/linux/save_lock.h"
#include "platform/linux/signal_hold.h"

namespace romwise {

namespace {

constexpr int kNameAttempts = 100;
// How often a save takes its turn again when other saves keep putting new
// files in the target's place before it.
constexpr int kReplaceAttempts = 100;
constexpr mode_t kSetIdBits = S_ISUID | S_ISGID;

bool writeAll(int descriptor, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(descriptor, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written <= 0) {
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

bool writeAllAt(int descriptor, std::string_view bytes, off_t offset) {
    while (!bytes.empty()) {
        const ssize_t written = ::pwrite(descriptor, bytes.data(), bytes.size(), offset);
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written <= 0) {
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
        offset += written;
    }
    return true;
}

// A hidden name in `directory` for a file of this process.
std::string stagingName(const std::string& directory) {
    static unsigned counter = 0;
    char name[64];
    std::snprintf(name, sizeof name, "/.romwise-save-%ld-%u.tmp", static_cast<long>(::getpid()),
                  counter++);
    return directory + name;
}

class DirectReportFile final : public TemporaryReportFile {
  public:
    explicit DirectReportFile(ReportTarget target) : target_(std::move(target)) {}
    ~DirectReportFile() override {
        if (target_.descriptor >= 0) {
            ::close(target_.descriptor);
        }
    }

    bool write(std::string_view bytes) override {
        failed_ = failed_ || target_.descriptor < 0 || !writeAll(target_.descriptor, bytes);
        return !failed_;
    }
    bool close() override {
        const bool closed = target_.descriptor >= 0 && ::close(target_.descriptor) == 0;
        target_.descriptor = -1;
        closed_ = closed && !failed_;
        return closed_;
    }
    bool replaceTarget() override { return closed_; }

  private:
    SignalHold hold_{{}, {SIGPIPE}};
    ReportTarget target_;
    bool failed_ = false;
    bool closed_ = false;
};

class StagedReportFile final : public TemporaryReportFile {
  public:
    explicit StagedReportFile(ReportTarget target) : target_(std::move(target)) {
        const std::string directory = directoryOf(target_.path);
        // The unnamed file is linked under a name through /proc.
        if (::access("/proc/self/fd", X_OK) == 0) {
            staging_ = ::open(directory.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
        }
        for (int attempt = 0; staging_ < 0 && attempt < kNameAttempts; ++attempt) {
            std::string name = stagingName(directory);
            staging_ = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
            if (staging_ >= 0) {
                stagingName_ = std::move(name);
            } else if (errno != EEXIST) {
                return;
            }
        }
        if (staging_ >= 0 && target_.kind == ReportTarget::Kind::RegularFile) {
            takeOnTheTarget();
        }
    }

    ~StagedReportFile() override {
        if (staging_ >= 0) {
            ::close(staging_);
        }
        if (!stagingName_.empty()) {
            ::unlink(stagingName_.c_str());
        }
        if (target_.descriptor >= 0) {
            ::close(target_.descriptor);
        }
    }

    bool isOpen() const { return staging_ >= 0; }

    bool write(std::string_view bytes) override {
        failed_ = failed_ || staging_ < 0 || !writeAll(staging_, bytes);
        if (!failed_) {
            bytes_.append(bytes);
        }
        return !failed_;
    }

    // Flushed, not closed: an unnamed file would be gone.
    bool close() override {
        // Some file systems report a full disk only when the data is flushed.
        closed_ = staging_ >= 0 && !failed_ && (::fsync(staging_) == 0 || errno == EINVAL);
        return closed_;
    }

    // Other saves of the same file may finish first: a new file that
    // appeared meanwhile, or a file put in the target's place, becomes the
    // target, as it would for a save started later.
    bool replaceTarget() override {
        if (!closed_ || replaced_) {
            return false;
        }
        for (int attempt = 0; attempt < kReplaceAttempts; ++attempt) {
            switch (target_.kind) {
                case ReportTarget::Kind::NewFile:
                    if (giveName(target_.path)) {
                        replaced_ = true;
                        return true;
                    }
                    if (errno != EEXIST || !lookAgain()) {
                        return false;
                    }
                    break;
                case ReportTarget::Kind::RegularFile:
                    if (const std::optional<bool> done = replaceInTurn()) {
                        replaced_ = *done;
                        return replaced_;
                    }
                    if (!lookAgain()) {
                        return false;
                    }
                    break;
                case ReportTarget::Kind::OtherFile:
                    return false;
            }
        }
        return false;
    }

  private:
    // Replaces the file, or rewrites it, holding its lock throughout, so that
    // no other save is halfway through it meanwhile. Nothing when the name
    // no longer leads to the file that was opened.
    std::optional<bool> replaceInTurn() {
        const SaveLock turn(target_.descriptor);
        if (!stillNamed()) {
            return std::nullopt;
        }
        return inPlace_ ? rewriteInPlace() : renameOverTarget();
    }

    // Whether the target's name still leads to the file that was opened.
    bool stillNamed() const {
        struct stat now {};
        return ::lstat(target_.path.c_str(), &now) == 0 && now.st_dev == target_.status.st_dev &&
               now.st_ino == target_.status.st_ino;
    }

    // The target's name, found again: a file that another save put there,
    // or nothing again. False when the save must now be refused, or the
    // name leads to a device or FIFO, which no staging file stands in for.
    bool lookAgain() {
        std::optional<ReportTarget> found = findReportTarget(target_.path);
        if (target_.descriptor >= 0) {
            ::close(target_.descriptor);
            target_.descriptor = -1;
        }
        if (!found || found->kind == ReportTarget::Kind::OtherFile) {
            if (found) {
                ::close(found->descriptor);
            }
            return false;
        }
        target_ = std::move(*found);
        if (target_.kind == ReportTarget::Kind::RegularFile) {
            takeOnTheTarget();
        }
        return true;
    }

    // The staging file gets the existing file's owner, group and permission
    // bits; where that cannot be, or where renaming would split the file's
    // hard links, the report goes into the file itself.
    void takeOnTheTarget() {
        const struct stat& existing = target_.status;
        struct stat staged {};
        inPlace_ = existing.st_nlink > 1 || ::fstat(staging_, &staged) != 0;
        if (!inPlace_ && (staged.st_uid != existing.st_uid || staged.st_gid != existing.st_gid)) {
            inPlace_ = ::fchown(staging_, existing.st_uid, existing.st_gid) != 0;
        }
        if (!inPlace_) {
            inPlace_ = ::fchmod(staging_, existing.st_mode & 07777 & ~kSetIdBits) != 0;
        }
    }

    // Links the staging file under `name`, which must not exist yet.
    bool giveName(const std::string& name) {
        if (!stagingName_.empty()) {
            if (::renameat2(AT_FDCWD, stagingName_.c_str(), AT_FDCWD, name.c_str(),
                            RENAME_NOREPLACE) == 0 ||
                (errno == EINVAL &&
                 ::rename(stagingName_.c_str(), name.c_str()) == 0)) {  // no RENAME_NOREPLACE
                stagingName_.clear();
                return true;
            }
            return false;
        }
        const std::string self = "/proc/self/fd/" + std::to_string(staging_);
        return ::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, name.c_str(), AT_SYMLINK_FOLLOW) == 0;
    }

    bool renameOverTarget() {
        if (stagingName_.empty()) {
            for (int attempt = 0; attempt < kNameAttempts && stagingName_.empty(); ++attempt) {
                std::string name = stagingName(directoryOf(target_.path));
                if (giveName(name)) {
                    stagingName_ = std::move(name);
                } else if (errno != EEXIST) {
                    return false;
                }
            }
        }
        if (stagingName_.empty() || ::rename(stagingName_.c_str(), target_.path.c_str()) != 0) {
            return false;
        }
        stagingName_.clear();
        return true;
    }

    bool rewriteInPlace() {
        const int file = target_.descriptor;
        const auto size = static_cast<off_t>(bytes_.size());
        rlimit limit{};
        if (::getrlimit(RLIMIT_FSIZE, &limit) == 0 && limit.rlim_cur != RLIM_INFINITY &&
            static_cast<rlim_t>(size) > limit.rlim_cur) {
            return false;
        }
        if (::fallocate(file, FALLOC_FL_KEEP_SIZE, 0, size) != 0 && errno != EOPNOTSUPP &&
            errno != ENOSYS) {
            return false;
        }
        if (!writeAllAt(file, bytes_, 0) || ::ftruncate(file, size) != 0 ||
            (::fsync(file) != 0 && errno != EINVAL)) {
            return false;
        }
        if ((target_.status.st_mode & kSetIdBits) != 0) {
            static_cast<void>(::fchmod(file, target_.status.st_mode & 07777 & ~kSetIdBits));
        }
        return true;
    }

    // First: released after the staging file is gone.
    SignalHold hold_{kEndingSignals, {SIGXFSZ}};
    ReportTarget target_;
    int staging_ = -1;
    std::string stagingName_;  // empty while the staging file has no name
    std::string bytes_;        // what was written, for a rewrite in place
    bool inPlace_ = false;
    bool failed_ = false;
    bool closed_ = false;
    bool replaced_ = false;
};

}  // namespace

std::unique_ptr<TemporaryReportFile> openDirectReportFile(ReportTarget target) {
    return std::make_unique<DirectReportFile>(std::move(target));
}

std::unique_ptr<TemporaryReportFile> openStagedReportFile(ReportTarget target) {
    auto file = std::make_unique<StagedReportFile>(std::move(target));
    if (!file->isOpen()) {
        return nullptr;
    }
    return file;
}

}  // namespace romwise

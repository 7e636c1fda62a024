#include "platform/linux/report_target.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <vector>

namespace romwise {

namespace {

// As many links as the kernel follows in one path before it gives ELOOP.
constexpr int kMaxLinks = 40;

constexpr mode_t kAnyWrite = S_IWUSR | S_IWGRP | S_IWOTH;

// How often a name is looked up again when other saves keep replacing it.
constexpr int kLookups = 100;

std::optional<std::string> readLink(const std::string& path) {
    std::vector<char> buffer(256);
    for (;;) {
        const ssize_t length = ::readlink(path.c_str(), buffer.data(), buffer.size());
        if (length < 0) {
            return std::nullopt;
        }
        if (static_cast<std::size_t>(length) < buffer.size()) {
            return std::string(buffer.data(), static_cast<std::size_t>(length));
        }
        buffer.resize(buffer.size() * 2);
    }
}

// Whether links made by `strangers` (users other than this one and root)
// may lead to `path`: only when each of them owns the file there, or, for a
// new file, its folder. A link another user plants in a folder both may
// write then cannot lead this user, root above all, into a file of its own.
bool ledIntoTheirOwn(const std::vector<uid_t>& strangers, const std::string& path, bool exists) {
    if (strangers.empty()) {
        return true;
    }
    struct stat status {};
    if (::stat((exists ? path : directoryOf(path)).c_str(), &status) != 0) {
        return false;
    }
    for (const uid_t owner : strangers) {
        if (owner != status.st_uid) {
            return false;
        }
    }
    return true;
}

// The name the chain of symbolic links starting at `path` ends in: a name
// that is no link, or does not exist (where a dangling link points).
// Nothing for a loop, a link that cannot be read, or a link of another user
// that leads into what that user does not own.
std::optional<std::string> followLinks(std::string path) {
    std::vector<uid_t> strangers;
    for (int links = 0; links <= kMaxLinks; ++links) {
        struct stat status {};
        if (::lstat(path.c_str(), &status) != 0) {
            if (errno != ENOENT || !ledIntoTheirOwn(strangers, path, false)) {
                return std::nullopt;
            }
            return path;
        }
        if (!S_ISLNK(status.st_mode)) {
            return ledIntoTheirOwn(strangers, path, true) ? std::optional<std::string>(path)
                                                          : std::nullopt;
        }
        if (status.st_uid != ::geteuid() && status.st_uid != 0) {
            strangers.push_back(status.st_uid);
        }
        const std::optional<std::string> target = readLink(path);
        if (!target || target->empty()) {
            return std::nullopt;
        }
        path = target->front() == '/' ? *target : directoryOf(path) + "/" + *target;
    }
    return std::nullopt;
}

bool sameFile(const struct stat& a, const struct stat& b) {
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

// Root writes past permission bits; a file or folder nobody may write is
// still meant to stay as it is.
bool refusedForRoot(const std::string& path) {
    if (::geteuid() != 0) {
        return false;
    }
    struct stat status {};
    return ::stat(path.c_str(), &status) == 0 && (status.st_mode & kAnyWrite) == 0;
}

enum class Lookup { Found, Refused, Replaced };

Lookup lookUp(const std::string& typed, ReportTarget& target) {
    // Opened without creating or truncating anything, and without waiting
    // for the reader of a FIFO (none: ENXIO) or the carrier of a terminal.
    target.descriptor = ::open(typed.c_str(), O_WRONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (target.descriptor < 0) {
        if (errno != ENOENT) {
            return Lookup::Refused;
        }
        const std::optional<std::string> path = followLinks(typed);
        if (!path || refusedForRoot(directoryOf(*path))) {
            return Lookup::Refused;
        }
        target.kind = ReportTarget::Kind::NewFile;
        target.path = *path;
        return Lookup::Found;
    }
    const auto give = [&target](Lookup answer) {
        ::close(target.descriptor);
        target.descriptor = -1;
        return answer;
    };
    if (::fstat(target.descriptor, &target.status) != 0 ||
        (::geteuid() == 0 && (target.status.st_mode & kAnyWrite) == 0)) {
        return give(Lookup::Refused);
    }
    if (!S_ISREG(target.status.st_mode)) {
        // Written to as it is; later writes may wait for the reader. A link
        // of another user does not lead into a device of someone else.
        const int flags = ::fcntl(target.descriptor, F_GETFL);
        if (!followLinks(typed) || flags < 0 ||
            ::fcntl(target.descriptor, F_SETFL, flags & ~O_NONBLOCK) != 0) {
            return give(Lookup::Refused);
        }
        target.kind = ReportTarget::Kind::OtherFile;
        target.path = typed;
        return Lookup::Found;
    }
    // The file's own name, checked to be the file that opened: a name that
    // no longer exists, or a link into /proc to a deleted file, has none.
    const std::optional<std::string> path = followLinks(typed);
    struct stat named {};
    if (!path || ::stat(path->c_str(), &named) != 0 || refusedForRoot(directoryOf(*path))) {
        return give(Lookup::Refused);
    }
    if (!sameFile(named, target.status)) {
        return give(Lookup::Replaced);
    }
    target.kind = ReportTarget::Kind::RegularFile;
    target.path = *path;
    return Lookup::Found;
}

}  // namespace

std::string directoryOf(const std::string& path) {
    const std::string::size_type slash = path.rfind('/');
    if (slash == std::string::npos) {
        return ".";
    }
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::optional<ReportTarget> findReportTarget(const std::string& typed) {
    // A name holding NUL cannot reach the system whole; one ending in "/"
    // names a directory.
    if (typed.empty() || typed.find('\0') != std::string::npos || typed.back() == '/') {
        return std::nullopt;
    }
    // Another save may put a new file in place of the one that opened
    // between the two looks below: then the name is looked up again.
    for (int attempt = 0; attempt < kLookups; ++attempt) {
        ReportTarget target;
        switch (lookUp(typed, target)) {
            case Lookup::Found:
                return target;
            case Lookup::Refused:
                return std::nullopt;
            case Lookup::Replaced:
                break;
        }
    }
    return std::nullopt;
}

}  // namespace romwise

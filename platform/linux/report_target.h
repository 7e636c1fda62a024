// What a save target names on Linux: found the way opening it for writing
// would find it, through symbolic links, with the permission checks that
// opening it would make.
#pragma once

#include <sys/stat.h>

#include <optional>
#include <string>

namespace romwise {

struct ReportTarget {
    enum class Kind {
        NewFile,      // nothing there yet (a dangling link names where it goes)
        RegularFile,  // an existing file, to be replaced
        OtherFile,    // a device, FIFO with a reader, terminal: written to directly
    };
    Kind kind = Kind::NewFile;
    // The file's own name, after every symbolic link; where a new file goes
    // and what a replacement is renamed over.
    std::string path;
    // Open for writing (not truncated) when the target exists, else -1.
    // Owned: the caller closes it.
    int descriptor = -1;
    struct stat status {};  // of the existing file
};

// The target `typed` names, or nothing when the save must be refused:
// the name cannot reach the system whole or names a directory; the file
// exists but cannot be opened for writing (no permission, read-only
// medium, a FIFO without a reader, a socket, a link loop); or, for root,
// whom permission bits do not stop, the file or its directory has no write
// permission for anyone (mode 0444, 0555), which root then honours; or a
// symbolic link on the way that another user (not root) made leads into
// what that user does not own, a file or, for a new file, the folder. A name
// that another save gives a new file while it is looked up is looked up
// again.
std::optional<ReportTarget> findReportTarget(const std::string& typed);

// The directory part of a path ("." for a bare name).
std::string directoryOf(const std::string& path);

}  // namespace romwise

// What a save target names on Windows: found by opening it for writing, as
// saving would, so that the system makes every check (sharing, the ACL, a
// folder of that name) and follows every symbolic link.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "platform/windows/owned_handle.h"

namespace romwise {

struct ReportTarget {
    enum class Kind {
        NewFile,      // nothing there yet
        RegularFile,  // an existing disk file, to be replaced
        OtherFile,    // NUL, CON, a serial port, a named pipe: written to directly
    };
    Kind kind = Kind::NewFile;
    // The name as the user typed it, to look it up again.
    std::string typed;
    // Where a new file goes, or the existing file's own name after every
    // symbolic link ("\\?\C:\..."); empty for an existing file whose name
    // the system cannot give (a reparse point on a system without
    // GetFinalPathNameByHandleW).
    std::wstring path;
    // The folder whose disk holds the file, for its free space.
    std::wstring folder;
    // Open for writing, not truncated, when the target exists.
    OwnedHandle file;
    DWORD attributes = 0;
    DWORD links = 0;
};

// The target `typed` (the user's 8-bit text) names, or nothing when the
// save must be refused: the name cannot reach the system whole or ends in
// a separator; its folder does not exist; the system refuses to open it for
// writing (a folder, a read-only file, no write access in its ACL, another
// program's sharing, a busy pipe); it is a read-only file the system would
// open for an administrator anyway (wine); or it is a symbolic link that
// leads nowhere (saving through it would replace the link itself).
std::optional<ReportTarget> findReportTarget(const std::string& typed);

// Whether the report goes into the existing file itself: a new file would
// split its hard links off, or, without the file's own name, replace the
// link that leads to it.
bool rewrittenInPlace(const ReportTarget& target);

}  // namespace romwise

// Several files that belong together (a machine profile and the files it
// names), written all or none: either every file holds its new bytes, or
// every old file is as it was and nothing new is left behind.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "report/report_files.h"

namespace romwise {

struct FileToWrite {
    std::string path;  // as the user typed it, or made from what they typed
    std::string bytes;
};

// Which file of a set stopped the write, and how.
struct FilesNotWritten {
    enum class Step {
        // No new file can stand beside it: its folder is missing or takes
        // no new file, or the file may not be replaced (read-only, no
        // regular file, a link into another user's file).
        Refused,
        // Writing or flushing its new file failed (a full disk, a size limit).
        Written,
        // Its new file could not take its place; the files before it in
        // the list already had.
        Replaced,
    };
    Step step = Step::Refused;
    std::size_t file = 0;  // its index in the list
};

// Writes every file of `list` into a new file beside it (regular files only,
// ReportFiles::createRegularBeside), and only when every one is written and
// flushed puts them in place, in the order of the list. Until then a failure
// removes the new files and leaves the old ones untouched. Nothing when
// every file was written.
std::optional<FilesNotWritten> writeFilesTogether(ReportFiles& files,
                                                  const std::vector<FileToWrite>& list);

}  // namespace romwise

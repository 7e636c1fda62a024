#include "report/files_together.h"

#include <memory>

namespace romwise {

std::optional<FilesNotWritten> writeFilesTogether(ReportFiles& files,
                                                  const std::vector<FileToWrite>& list) {
    using Step = FilesNotWritten::Step;
    // Every new file is open at once, so that a folder or file that refuses
    // one is found before any old file changes. They go last first: each
    // holds back the signals that end the program over the ones opened
    // before it, and gives them back as it found them.
    struct LastFirst {
        std::vector<std::unique_ptr<TemporaryReportFile>> files;
        ~LastFirst() {
            while (!files.empty()) {
                files.pop_back();
            }
        }
    } open;
    auto& staged = open.files;
    for (std::size_t i = 0; i < list.size(); ++i) {
        staged.push_back(files.createRegularBeside(list[i].path));
        if (!staged.back()) {
            return FilesNotWritten{Step::Refused, i};
        }
    }
    for (std::size_t i = 0; i < list.size(); ++i) {
        if (!staged[i]->write(list[i].bytes) || !staged[i]->close()) {
            return FilesNotWritten{Step::Written, i};
        }
    }
    for (std::size_t i = 0; i < list.size(); ++i) {
        if (!staged[i]->replaceTarget()) {
            return FilesNotWritten{Step::Replaced, i};
        }
    }
    return std::nullopt;
}

}  // namespace romwise

#include "platform/linux/linux_report_files.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>

#include "platform/linux/report_target.h"
#include "platform/linux/report_writers.h"

namespace romwise {

std::unique_ptr<TemporaryReportFile> LinuxReportFiles::createBeside(const std::string& typed) {
    std::optional<ReportTarget> target = findReportTarget(typed);
    if (!target) {
        return nullptr;
    }
    if (target->kind == ReportTarget::Kind::OtherFile) {
        return openDirectReportFile(std::move(*target));
    }
    return openStagedReportFile(std::move(*target));
}

std::unique_ptr<TemporaryReportFile> LinuxReportFiles::createRegularBeside(
    const std::string& typed) {
    std::optional<ReportTarget> target = findReportTarget(typed);
    if (!target) {
        return nullptr;
    }
    if (target->kind == ReportTarget::Kind::OtherFile) {
        ::close(target->descriptor);
        return nullptr;
    }
    return openStagedReportFile(std::move(*target));
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

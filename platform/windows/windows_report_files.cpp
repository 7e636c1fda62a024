#include "platform/windows/windows_report_files.h"

#include <cstdlib>

#include "platform/windows/windows_report_target.h"
#include "platform/windows/windows_report_writers.h"

namespace romwise {

namespace {

bool isSeparator(char c) {
    return c == '\\' || c == '/';
}

}  // namespace

std::unique_ptr<TemporaryReportFile> WindowsReportFiles::createBeside(const std::string& typed) {
    std::optional<ReportTarget> target = findReportTarget(typed);
    if (!target) {
        return nullptr;
    }
    if (target->kind == ReportTarget::Kind::OtherFile) {
        return openDirectReportFile(std::move(*target));
    }
    if (rewrittenInPlace(*target)) {
        return openInPlaceReportFile(std::move(*target));
    }
    return openStagedReportFile(std::move(*target));
}

std::unique_ptr<TemporaryReportFile> WindowsReportFiles::createRegularBeside(
    const std::string& typed) {
    std::optional<ReportTarget> target = findReportTarget(typed);
    if (!target || target->kind == ReportTarget::Kind::OtherFile) {
        return nullptr;
    }
    if (rewrittenInPlace(*target)) {
        return openInPlaceReportFile(std::move(*target));
    }
    return openStagedReportFile(std::move(*target));
}

std::string WindowsReportFiles::homeDirectory() {
    const char* profile = std::getenv("USERPROFILE");
    if (profile != nullptr && profile[0] != '\0' && profile[1] == ':' && isSeparator(profile[2])) {
        return profile;
    }
    return {};
}

}  // namespace romwise

#include "report/report_save.h"

#include "model/product_identity.h"
#include "model/run_texts.h"
#include "report/text_report.h"

namespace romwise {

namespace {

#if defined(_WIN32)
constexpr bool kWindowsPaths = true;
#else
constexpr bool kWindowsPaths = false;
#endif

constexpr char kReportFileName[] = "bios.txt";

}  // namespace

std::string defaultReportPath(ReportFiles& files) {
    if (kWindowsPaths) {
        return "c:\\bios.txt";
    }
    const std::string home = files.homeDirectory();
    std::string path;
    if (!home.empty() && home.front() == '/') {
        path.append(home);
    }
    if (path.empty() || path.back() != '/') {
        path.push_back('/');
    }
    path.append(kReportFileName);
    return path;
}

bool saveTextReport(const DetectionResults& results, const std::string& path, ReportFiles& files) {
    if (path.empty()) {
        return false;
    }
    const std::unique_ptr<TemporaryReportFile> file = files.createBeside(path);
    if (!file) {
        return false;
    }
    return file->write(writeTextReport(results)) && file->close() && file->replaceTarget();
}

bool acceptSaveReport(const DetectionResults& results, const std::string& path, ReportFiles& files,
                      MainView& messages) {
    if (saveTextReport(results, path, files)) {
        return true;
    }
    messages.messageBox(kFileErrorSaving, kErrorCaption);
    return false;
}

}  // namespace romwise

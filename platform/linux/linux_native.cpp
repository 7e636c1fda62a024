#include "platform/linux/linux_platform.h"
#include "platform/linux/linux_report_files.h"
#include "platform/native_platform.h"

namespace romwise {

std::unique_ptr<Platform> createNativePlatform() {
    return std::make_unique<LinuxPlatform>();
}

std::unique_ptr<ReportFiles> createNativeReportFiles() {
    return std::make_unique<LinuxReportFiles>();
}

// Linux streams never translate line ends.
void useBinaryStandardStreams() {}

}  // namespace romwise

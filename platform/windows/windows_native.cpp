#include <fcntl.h>
#include <io.h>

#include <cstdio>

#include "platform/native_platform.h"
#include "platform/windows/windows_platform.h"
#include "platform/windows/windows_report_files.h"

namespace romwise {

std::unique_ptr<Platform> createNativePlatform() {
    return std::make_unique<WindowsPlatform>();
}

std::unique_ptr<ReportFiles> createNativeReportFiles() {
    return std::make_unique<WindowsReportFiles>();
}

// The C run-time opens the standard streams in text mode, which would turn
// every LF into CR LF (and a report's CR LF into CR CR LF).
void useBinaryStandardStreams() {
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
}

}  // namespace romwise

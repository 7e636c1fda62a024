// This computer, on whichever system the program was built for: each
// platform folder (platform/linux, platform/windows) defines these, and the
// front ends reach the real machine only through them.
#pragma once

#include <memory>

#include "app/platform.h"
#include "report/report_files.h"

namespace romwise {

std::unique_ptr<Platform> createNativePlatform();
std::unique_ptr<ReportFiles> createNativeReportFiles();

// Standard output and standard error carry the program's bytes unchanged:
// no line-end translation, so that a report written there keeps its CR LF
// line ends and every output is byte for byte the same on every system.
void useBinaryStandardStreams();

}  // namespace romwise

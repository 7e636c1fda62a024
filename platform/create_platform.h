// The one choice both front ends make before anything runs: this computer,
// or a recorded or simulated machine described by a profile.
#pragma once

#include <memory>
#include <optional>
#include <ostream>
#include <string>

#include "model/platform.h"
#include "report/report_files.h"

namespace romwise {

// This computer when `machineProfile` is empty, else the machine the profile
// at that path describes. Nothing when the profile is refused; why has then
// been written to `errors` as "romwise: machine profile refused: ...".
std::unique_ptr<Platform> createPlatform(const std::optional<std::string>& machineProfile,
                                         std::ostream& errors);

// Where this computer saves reports (also when the pass ran on a profile).
std::unique_ptr<ReportFiles> createReportFiles();

}  // namespace romwise

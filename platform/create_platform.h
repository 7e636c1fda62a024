// The one choice both front ends make before anything runs: this computer,
// or a recorded or simulated machine described by a profile.
#pragma once

#include <iosfwd>
#include <memory>
#include <optional>
#include <string>

#include "model/platform.h"
#include "model/privileged_pass.h"
#include "report/report_files.h"
#include "report/shell.h"

namespace romwise {

// This computer when `machineProfile` is empty, else the machine the profile
// at that path describes. Nothing when the profile is refused; why is then
// in `refusal`, as "machine profile refused: ...".
std::unique_ptr<Platform> createPlatform(const std::optional<std::string>& machineProfile,
                                         std::string& refusal);
// The same, with the refusal written to `errors` as a line of its own,
// "romwise: machine profile refused: ...".
std::unique_ptr<Platform> createPlatform(const std::optional<std::string>& machineProfile,
                                         std::ostream& errors);

// Where this computer saves reports (also when the pass ran on a profile).
std::unique_ptr<ReportFiles> createReportFiles();

// This computer's shell, for what always opens here (the help page), also
// when the pass runs on a profile.
std::unique_ptr<Shell> createLocalShell();

// For a window on this computer run by a user who may not read its
// hardware: the helper that runs each pass with the rights it needs (on
// Linux through polkit). Nothing for a profile, for root, and on Windows,
// where the program asks for its rights when it starts.
std::unique_ptr<PrivilegedPass> createPrivilegedPass(
    const std::optional<std::string>& machineProfile);

}  // namespace romwise

#pragma once

#include <string>
#include <vector>

#include "cli/cli_output.h"

namespace romwise {

// The exit status when an output could not be written.
inline constexpr int kExitOutputNotWritten = 5;

// The whole of romwise-cli: returns the process exit status.
int runCli(const std::vector<std::string>& arguments, CliOutput& out, CliOutput& errors);

}  // namespace romwise

#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace romwise {

// The whole of romwise-cli: returns the process exit status.
int runCli(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& errors);

}  // namespace romwise

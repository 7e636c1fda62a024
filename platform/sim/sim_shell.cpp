#include "platform/sim/sim_shell.h"

namespace romwise::sim {

bool SimShell::openAddress(const std::string& address) {
    launches_.push_back({"open", address, browser_.open});
    return browser_.open;
}

bool SimShell::startBrowser(const std::string& parameters) {
    launches_.push_back({"direct", parameters, browser_.direct});
    return browser_.direct;
}

}  // namespace romwise::sim

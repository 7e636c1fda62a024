#include "platform/linux/linux_lockdown.h"

#include <fstream>

namespace romwise {

std::optional<std::string> kernelLockdownMode(const std::string& path) {
    std::ifstream file(path);
    std::string line;
    if (!file || !std::getline(file, line)) {
        return std::nullopt;
    }
    const std::size_t open = line.find('[');
    const std::size_t close = line.find(']', open);
    if (open == std::string::npos || close == std::string::npos) {
        return std::nullopt;
    }
    std::string mode = line.substr(open + 1, close - open - 1);
    if (mode.empty() || mode == "none") {
        return std::nullopt;
    }
    return mode;
}

}  // namespace romwise

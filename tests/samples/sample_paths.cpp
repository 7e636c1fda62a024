#include "tests/samples/sample_paths.h"

#include <unistd.h>

#include <cstdlib>
#include <sstream>

namespace romwise::samples_test {

std::filesystem::path GeneratorPath() {
    return ROMWISE_SAMPLEGEN_PATH;
}
std::filesystem::path SamplesDir() {
    return ROMWISE_SAMPLES_DIR;
}

std::string ReadText(const std::filesystem::path& path) {
    const auto bytes = ReadFileBytes(path);
    return {bytes.begin(), bytes.end()};
}

std::optional<std::filesystem::path> FindProgram(const std::string& name) {
    std::vector<std::filesystem::path> dirs;
    if (const char* path = std::getenv("PATH")) {
        std::stringstream list(path);
        std::string dir;
        while (std::getline(list, dir, ':')) {
            if (!dir.empty()) {
                dirs.emplace_back(dir);
            }
        }
    }
    dirs.emplace_back("/usr/sbin");
    dirs.emplace_back("/sbin");
    for (const auto& dir : dirs) {
        const auto candidate = dir / name;
        if (access(candidate.c_str(), X_OK) == 0) {
            return candidate;
        }
    }
    return std::nullopt;
}

}  // namespace romwise::samples_test

#include "tests/samples/sample_paths.h"

#include <sys/wait.h>

#include <unistd.h>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sstream>
#include <stdexcept>

namespace romwise::samples_test {

std::filesystem::path GeneratorPath() {
    return ROMWISE_SAMPLEGEN_PATH;
}
std::filesystem::path SamplesDir() {
    return ROMWISE_SAMPLES_DIR;
}

std::vector<std::uint8_t> ReadBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        throw std::runtime_error("cannot read " + path.string());
    }
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::string ReadText(const std::filesystem::path& path) {
    const auto bytes = ReadBytes(path);
    return {bytes.begin(), bytes.end()};
}

CommandResult RunCommand(const std::string& command) {
    CommandResult result;
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) {
        return result;
    }
    std::array<char, 4096> chunk{};
    std::size_t n = 0;
    while ((n = std::fread(chunk.data(), 1, chunk.size(), pipe)) > 0) {
        result.output.append(chunk.data(), n);
    }
    const int raw = pclose(pipe);
    result.status = (raw != -1 && WIFEXITED(raw)) ? WEXITSTATUS(raw) : -1;
    return result;
}

std::string ShellQuote(const std::string& text) {
    std::string quoted = "'";
    for (char c : text) {
        quoted += (c == '\'') ? std::string("'\\''") : std::string(1, c);
    }
    return quoted + "'";
}

TempDir::TempDir() {
    std::string pattern =
        (std::filesystem::temp_directory_path() / "romwise-samples-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) {
        throw std::runtime_error("cannot create a temporary directory");
    }
    path_ = pattern;
}

TempDir::~TempDir() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
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

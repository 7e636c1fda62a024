// Where the sample tests find the generator and the committed samples, and
// the small file helpers they share.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace romwise::samples_test {

std::filesystem::path GeneratorPath();
std::filesystem::path SamplesDir();

std::vector<std::uint8_t> ReadBytes(const std::filesystem::path& path);
std::string ReadText(const std::filesystem::path& path);

// Runs a shell command; its standard output (and error, when asked) and
// exit status.
struct CommandResult {
    int status = -1;
    std::string output;
};
CommandResult RunCommand(const std::string& command);

std::string ShellQuote(const std::string& text);

// A fresh directory under the temporary directory, removed on destruction.
class TempDir {
  public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::filesystem::path& path() const { return path_; }

  private:
    std::filesystem::path path_;
};

// The program found in PATH or, for system tools, in /usr/sbin and /sbin.
std::optional<std::filesystem::path> FindProgram(const std::string& name);

}  // namespace romwise::samples_test

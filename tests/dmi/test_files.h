// Scratch files for tests and the programs they run.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace romwise::dmi_test {

// A fresh directory under the temporary directory, removed with everything
// in it on destruction.
class TempDirectory {
  public:
    TempDirectory();
    ~TempDirectory();
    TempDirectory(const TempDirectory&) = delete;
    TempDirectory& operator=(const TempDirectory&) = delete;

    // Writes the file `name` and returns its path.
    std::string write(const std::string& name, const std::string& text) const;
    std::string writeBytes(const std::string& name, const std::vector<std::uint8_t>& bytes) const;
    const std::filesystem::path& path() const { return path_; }

  private:
    std::filesystem::path path_;
};

std::vector<std::uint8_t> ReadFileBytes(const std::filesystem::path& path);

struct CommandOutput {
    int status = -1;
    std::string output;  // standard output only
};
CommandOutput RunCommand(const std::string& command);
std::string ShellQuote(const std::string& text);

}  // namespace romwise::dmi_test

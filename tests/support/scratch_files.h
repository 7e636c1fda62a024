// Scratch files for tests and the programs they run.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace romwise::test_support {

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

// Runs a shell command: its standard output and exit status (-1 when it
// could not run or did not exit normally).
struct CommandOutput {
    int status = -1;
    std::string output;
};
CommandOutput RunCommand(const std::string& command);

// `text` as one single-quoted shell word.
std::string ShellQuote(const std::string& text);

}  // namespace romwise::test_support

// Where the sample tests find the generator and the committed samples, and
// the small file helpers they share.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "tests/support/scratch_files.h"

namespace romwise::samples_test {

std::filesystem::path GeneratorPath();
std::filesystem::path SamplesDir();

std::string ReadText(const std::filesystem::path& path);

using test_support::CommandOutput;
using test_support::ReadFileBytes;
using test_support::RunCommand;
using test_support::ShellQuote;
using test_support::TempDirectory;

// The program found in PATH or, for system tools, in /usr/sbin and /sbin.
std::optional<std::filesystem::path> FindProgram(const std::string& name);

}  // namespace romwise::samples_test

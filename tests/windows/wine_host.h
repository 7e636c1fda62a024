// What the Windows tests share: whether they run under wine, paths of the
// build (written by CMake as Unix paths) as Windows paths, scratch folders,
// and running a program with its output captured.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace romwise::test {

// Whether this process runs under wine rather than on Windows itself.
bool runningUnderWine();

// A path the build wrote ("/work/x/y") as wine's drive Z: sees it
// ("Z:\work\x\y"); other paths come back with backslashes only.
std::string hostPath(const std::string& path);

// A new empty folder under the temporary folder, removed with everything in
// it when the object goes. path() ends in a backslash.
class ScratchFolder {
  public:
    ScratchFolder();
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    const std::string& path() const { return path_; }
    std::string file(const std::string& name) const { return path_ + name; }
    // The names of the files in the folder.
    std::vector<std::string> fileNames() const;

  private:
    std::string path_;
};

std::string readFileBytes(const std::string& path);
void writeFileBytes(const std::string& path, const std::string& bytes);

struct ProgramRun {
    std::uint32_t exitCode = 0;
    std::string out;
    std::string err;
};

// Runs `commandLine` with standard output and error captured, waits for it
// to end (at most a minute) and returns what it wrote and its exit status.
ProgramRun runProgram(const std::string& commandLine);

}  // namespace romwise::test

#include "platform/linux/linux_platform.h"

#include <spawn.h>
#include <sys/wait.h>

#include <vector>

extern char** environ;

namespace romwise {

namespace {

// Runs a program with one argument and waits for it; true on exit status 0.
bool runProgram(const char* program, const std::string& argument) {
    std::vector<char*> argv = {const_cast<char*>(program), const_cast<char*>(argument.c_str()),
                               nullptr};
    pid_t pid = 0;
    if (posix_spawnp(&pid, program, nullptr, nullptr, argv.data(), environ) != 0) {
        return false;
    }
    int status = 0;
    if (waitpid(pid, &status, 0) != pid) {
        return false;
    }
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

// The physical-memory window is not reached from here yet: it reports that
// the platform lacks it, so the SMBIOS reading falls back.
class UnavailablePhysicalMemoryWindow final : public PhysicalMemoryWindow {
  public:
    bool ResolveNativeServices() override { return false; }
    bool Open() override { return false; }
    bool MapRange(std::uint64_t, std::uint32_t, MemoryView&) override { return false; }
    bool UnmapRange(const MemoryView&) override { return false; }
    void Close() override {}
};

}  // namespace

bool LinuxShell::openAddress(const std::string& address) {
    return runProgram("xdg-open", address);
}

bool LinuxShell::startBrowser(const std::string& parameters) {
    return runProgram("x-www-browser", parameters) || runProgram("sensible-browser", parameters);
}

std::unique_ptr<PhysicalMemoryWindow> LinuxPlatform::createPhysicalMemoryWindow() {
    return std::make_unique<UnavailablePhysicalMemoryWindow>();
}

std::unique_ptr<PciConfigAccess> LinuxPlatform::createPciConfigAccess(HardwareDriver& driver) {
    return std::make_unique<PortPciConfigAccess>(driver);
}

}  // namespace romwise

#include "platform/linux/linux_platform.h"
#include "platform/linux/linux_pci_config.h"
#include "platform/linux/linux_physical_memory.h"

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

}  // namespace

bool LinuxShell::openAddress(const std::string& address) {
    return runProgram("xdg-open", address);
}

bool LinuxShell::startBrowser(const std::string& parameters) {
    return runProgram("x-www-browser", parameters) || runProgram("sensible-browser", parameters);
}

std::unique_ptr<PhysicalMemoryWindow> LinuxPlatform::createPhysicalMemoryWindow() {
    return std::make_unique<LinuxPhysicalMemoryWindow>();
}

// Configuration space through the kernel where it offers it; the port
// mechanism only where it does not (see docs/hardware-access.md).
std::unique_ptr<PciConfigAccess> LinuxPlatform::createPciConfigAccess(HardwareDriver& driver) {
    if (LinuxPciConfigAccess::available()) {
        return std::make_unique<LinuxPciConfigAccess>();
    }
    return std::make_unique<PortPciConfigAccess>(driver);
}

}  // namespace romwise

#include "platform/create_platform.h"

#include <ostream>

#include "platform/sim/profile_loader.h"
#include "platform/sim/sim_platform.h"

// This computer, on the system the program is built for.
#if defined(_WIN32)
#include "platform/windows/windows_platform.h"
#include "platform/windows/windows_report_files.h"
#include "platform/windows/windows_shell.h"
namespace romwise {
using NativePlatform = WindowsPlatform;
using NativeReportFiles = WindowsReportFiles;
using NativeShell = WindowsShell;
}  // namespace romwise
#else
#include "platform/linux/linux_platform.h"
#include "platform/linux/linux_report_files.h"
#include "platform/linux/linux_shell.h"
#include "platform/linux/pkexec_pass.h"

#include <unistd.h>
namespace romwise {
using NativePlatform = LinuxPlatform;
using NativeReportFiles = LinuxReportFiles;
using NativeShell = LinuxShell;
}  // namespace romwise
#endif

namespace romwise {

std::unique_ptr<Platform> createPlatform(const std::optional<std::string>& machineProfile,
                                         std::string& refusal) {
    if (!machineProfile) {
        return std::make_unique<NativePlatform>();
    }
    try {
        return std::make_unique<sim::SimPlatform>(sim::loadMachineProfile(*machineProfile));
    } catch (const sim::ProfileError& error) {
        refusal = std::string("machine profile refused: ") + error.what();
        return nullptr;
    }
}

std::unique_ptr<Platform> createPlatform(const std::optional<std::string>& machineProfile,
                                         std::ostream& errors) {
    std::string refusal;
    std::unique_ptr<Platform> platform = createPlatform(machineProfile, refusal);
    if (!platform) {
        errors << "romwise: " << refusal << '\n';
    }
    return platform;
}

std::unique_ptr<ReportFiles> createReportFiles() {
    return std::make_unique<NativeReportFiles>();
}

std::unique_ptr<Shell> createLocalShell() {
    return std::make_unique<NativeShell>();
}

std::unique_ptr<PrivilegedPass> createPrivilegedPass(
    const std::optional<std::string>& machineProfile) {
#if defined(_WIN32)
    (void)machineProfile;
    return nullptr;
#else
    if (machineProfile || geteuid() == 0) {
        return nullptr;
    }
    return std::make_unique<PkexecPass>(kPkexecPath, passHelperPath());
#endif
}

}  // namespace romwise

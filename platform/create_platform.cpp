#include "platform/create_platform.h"

#include "platform/linux/linux_platform.h"
#include "platform/linux/linux_report_files.h"
#include "platform/sim/profile_loader.h"
#include "platform/sim/sim_platform.h"

namespace romwise {

std::unique_ptr<Platform> createPlatform(const std::optional<std::string>& machineProfile,
                                         std::ostream& errors) {
    if (!machineProfile) {
        return std::make_unique<LinuxPlatform>();
    }
    try {
        return std::make_unique<sim::SimPlatform>(sim::loadMachineProfile(*machineProfile));
    } catch (const sim::ProfileError& error) {
        errors << "romwise: machine profile refused: " << error.what() << '\n';
        return nullptr;
    }
}

std::unique_ptr<ReportFiles> createReportFiles() {
    return std::make_unique<LinuxReportFiles>();
}

}  // namespace romwise

// Whole passes on the Windows 98 sample machine, where the pass takes the
// Windows 9x way: no administrator check (9x has no service manager), the
// virtual device copied from the program's folder into the system folder
// and opened by its own name, and never the 64-bit driver.
#include <gtest/gtest.h>

#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "app/detection_session.h"
#include "app/main_controller.h"
#include "app/standard_detectors.h"
#include "cli/cli_view.h"
#include "model/detection_results.h"
#include "platform/sim/profile_loader.h"
#include "platform/sim/sim_platform.h"

namespace romwise {
namespace {

sim::MachineProfile windows98(sim::DriverOutcome outcome) {
    sim::MachineProfile profile =
        sim::loadMachineProfile(std::string(ROMWISE_SAMPLES_DIR) + "/windows98-se.json");
    profile.driver = outcome;
    // A 9x system tells nothing of administrators; the pass must not ask.
    profile.administrator = false;
    return profile;
}

struct Windows98Pass {
    explicit Windows98Pass(sim::MachineProfile profile) : platform(std::move(profile)) {
        controller.initialize();
        controller.getBiosInfo();
    }

    std::vector<std::string> driverCalls() {
        std::vector<std::string> calls;
        for (const std::string& call : platform.simDriverServices().calls()) {
            calls.push_back(call.substr(0, call.rfind(" = ")));
        }
        return calls;
    }

    sim::SimPlatform platform;
    std::unique_ptr<DetectionResults> results = std::make_unique<DetectionResults>();
    DetectionOptions options;
    std::ostringstream errors;
    CliView view{errors};
    StandardDetectors detectors{platform};
    DetectionSession session{*results,  options,       view,
                             detectors, platform.os(), platform.driverHost()};
    MainController controller{session, platform.shell()};
};

// One attempt: the system folder, the copy unless present, the device.
const std::string kVirtualDeviceCopy = "C:\\WINDOWS\\SYSTEM\\TVICHW32.vxd";
const std::string kCopyFromProgramFolder =
    "CopyFile(C:\\Program Files\\Romwise\\TVICHW32.vxd, " + kVirtualDeviceCopy + ", 1)";
const std::string kFindCopy = "FindFirstFile(" + kVirtualDeviceCopy + ")";
const std::string kOpenVirtualDevice = "CreateFile(\\\\.\\TVICHW32.vxd, 1, 0, 3, 80h)";
const std::vector<std::string> kAttempt = {"GetSystemDirectory()", kFindCopy,
                                           kCopyFromProgramFolder, kOpenVirtualDevice};

TEST(Windows9xPass, CopiesTheVirtualDeviceAndOpensItWithoutAdministratorOrService) {
    sim::MachineProfile profile = windows98(sim::DriverOutcome::AfterInstall);
    // Even where a WOW64 function answers, 9x is no 64-bit Windows.
    profile.os.wow64Directory = "C:\\WINDOWS\\SysWOW64";
    profile.os.nativeArchitecture = 9;
    Windows98Pass pass(std::move(profile));

    EXPECT_EQ(pass.results->runState, RunState::Completed) << pass.errors.str();
    EXPECT_TRUE(pass.view.messages().empty());
    EXPECT_EQ(pass.driverCalls(), kAttempt) << "no service manager, no 64-bit driver";
    EXPECT_EQ(pass.platform.simDriverServices().files().count(kVirtualDeviceCopy), 1u);
    EXPECT_EQ(pass.results->osShortName.str(), "Win98");

    // The next pass keeps the open device.
    pass.platform.simDriverServices().clearCalls();
    pass.controller.getBiosInfo();
    EXPECT_EQ(pass.results->runState, RunState::Completed);
    EXPECT_TRUE(pass.driverCalls().empty());
}

TEST(Windows9xPass, MissingVirtualDeviceStopsAtTheDriverAfterTryingItTwice) {
    Windows98Pass pass(windows98(sim::DriverOutcome::Missing));

    EXPECT_EQ(pass.results->runState, RunState::Started);
    ASSERT_EQ(pass.view.messages().size(), 1u);
    EXPECT_EQ(pass.view.messages()[0].text, "Error loading TVICHW driver!");
    std::vector<std::string> twice = kAttempt;
    twice.insert(twice.end(), kAttempt.begin(), kAttempt.end());
    EXPECT_EQ(pass.driverCalls(), twice) << "both device names lead to the same virtual device";
}

}  // namespace
}  // namespace romwise

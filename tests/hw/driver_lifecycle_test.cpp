// The driver over the life of the process: kept from pass to pass, asked
// again when inactive, closed by the window's close path and opened again by
// the next pass; the message a user sees when it cannot be opened; and the
// Windows 9x way of opening it in whole passes.
#include <unistd.h>

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "app/detection_session.h"
#include "app/main_controller.h"
#include "app/standard_detectors.h"
#include "cli/cli_stream_output.h"
#include "cli/cli_view.h"
#include "hw/driver_opening.h"
#include "hw/service_driver_host.h"
#include "model/detection_results.h"
#include "platform/linux/linux_driver_services.h"
#include "platform/sim/profile_loader.h"
#include "platform/sim/sim_platform.h"
#include "tests/report/memory_files.h"

#include "../run/cli_run.h"

namespace romwise {
namespace {

const std::string kSamples = ROMWISE_SAMPLES_DIR;
constexpr const char* kDriverMessage = "Error loading TVICHW driver!";

sim::MachineProfile sampleWith(sim::DriverOutcome outcome) {
    sim::MachineProfile profile = sim::loadMachineProfile(kSamples + "/award-440bx.json");
    profile.driver = outcome;
    return profile;
}

// The window's logic on a sample machine, with the command line's view.
struct SimWindow {
    explicit SimWindow(sim::DriverOutcome outcome) : SimWindow(sampleWith(outcome)) {}
    explicit SimWindow(sim::MachineProfile profile) : platform(std::move(profile)) {
        controller.initialize();
    }

    sim::SimDriverServices& driverSystem() { return platform.simDriverServices(); }

    // The driver system's calls, without their results.
    std::vector<std::string> driverCalls() {
        std::vector<std::string> calls;
        for (const std::string& call : driverSystem().calls()) {
            calls.push_back(call.substr(0, call.rfind(" = ")));
        }
        return calls;
    }

    int deviceOpens() {
        int count = 0;
        for (const std::string& call : driverSystem().calls()) {
            count += call.rfind("CreateFile(", 0) == 0 ? 1 : 0;
        }
        return count;
    }

    sim::SimPlatform platform;
    std::unique_ptr<DetectionResults> results = std::make_unique<DetectionResults>();
    DetectionOptions options;
    std::ostringstream errors;
    CliView view{errors};
    StandardDetectors detectors{platform};
    DetectionSession session{*results,  options,       view,
                             detectors, platform.os(), platform.driverHost()};
    testing::MemoryFiles files;
    MainController controller{session, platform.shell(), files};
};

TEST(DriverLifecycle, TheOpenDriverServesEveryLaterPass) {
    SimWindow window(sim::DriverOutcome::AfterInstall);
    for (int pass = 0; pass < 3; ++pass) {
        window.controller.getBiosInfo();
        EXPECT_EQ(window.results->runState, RunState::Completed) << window.errors.str();
    }
    EXPECT_EQ(window.deviceOpens(), 2) << "one failed direct open, one after installing";
    EXPECT_TRUE(window.view.messages().empty());
}

TEST(DriverLifecycle, AnInactiveDriverIsAskedAgainWithoutReopening) {
    SimWindow window(sim::DriverOutcome::Inactive);
    window.controller.getBiosInfo();
    window.controller.getBiosInfo();
    EXPECT_EQ(window.deviceOpens(), 1);
    EXPECT_NE(window.session.driver, nullptr) << "kept although inactive";
    EXPECT_EQ(window.results->runState, RunState::Started);
    ASSERT_EQ(window.view.messages().size(), 2u);
    for (const RecordedMessage& message : window.view.messages()) {
        EXPECT_EQ(message.text, kDriverMessage);
        EXPECT_EQ(message.caption, "Quorvel Romwise");
        EXPECT_EQ(message.reason, "") << "an open driver gives no reason line";
    }
    EXPECT_EQ(window.view.field(1009), " ");
}

TEST(DriverLifecycle, AFailedOpenIsTriedAgainByEveryPassAndSaysWhy) {
    SimWindow window(sim::DriverOutcome::Missing);
    window.controller.getBiosInfo();
    const int opensPerPass = window.deviceOpens();
    window.controller.getBiosInfo();
    EXPECT_EQ(window.deviceOpens(), 2 * opensPerPass);
    ASSERT_EQ(window.view.messages().size(), 2u);
    EXPECT_EQ(window.view.messages()[1].text, kDriverMessage);
    EXPECT_EQ(window.view.messages()[1].reason,
              "the machine profile has no hardware-access driver (driver: missing)");
    EXPECT_NE(window.errors.str().find("romwise: Error loading TVICHW driver!\nromwise: the "
                                       "machine profile has no hardware-access driver"),
              std::string::npos)
        << window.errors.str();
    EXPECT_EQ(window.driverSystem().openHandleCount(), 0u);
}

TEST(DriverLifecycle, TheClosePathClosesTheDriverAndTheNextPassOpensItAgain) {
    SimWindow window(sim::DriverOutcome::Direct);
    window.controller.closeRequested();  // before any pass: nothing to close
    EXPECT_TRUE(window.driverSystem().calls().empty());

    window.controller.getBiosInfo();
    window.controller.closeRequested();
    EXPECT_EQ(window.session.driver, nullptr);
    EXPECT_EQ(window.driverSystem().calls().back(), "CloseHandle(1)");
    EXPECT_EQ(window.driverSystem().openHandleCount(), 0u);

    window.controller.getBiosInfo();
    EXPECT_EQ(window.results->runState, RunState::Completed);
    const std::vector<std::string> expected = {"CreateFile(\\\\.\\TVicDevice1, 1, 0, 3, 80h) = 1",
                                               "CloseHandle(1)",
                                               "CreateFile(\\\\.\\TVicDevice1, 1, 0, 3, 80h) = 2"};
    EXPECT_EQ(window.driverSystem().calls(), expected);
}

TEST(DriverLifecycle, AfterASubmitTheClosePathLeavesTheDriverOpen) {
    SimWindow window(sim::DriverOutcome::Direct);
    window.controller.getBiosInfo();
    window.controller.submit();
    ASSERT_EQ(window.results->requestSubmitted, 1);
    window.controller.closeRequested();
    EXPECT_TRUE(window.view.ended());
    EXPECT_NE(window.session.driver, nullptr);
    EXPECT_EQ(window.driverSystem().calls().size(), 1u);
}

// A system whose driver device opens but cannot be used, and says why (as
// Windows does when TVicHW32.dll is missing).
class UnusableDeviceServices final : public DriverServices {
  public:
    static constexpr const char* kWhy = "TVicHW32.dll was not found (looked in C:\\Romwise\\)";

    DeviceHandle openDevice(std::string_view, const DeviceOpenParameters&) override { return 1; }
    void closeDevice(DeviceHandle) override {}
    std::unique_ptr<HardwareDriver> deviceDriver(const DriverRecord&) override {
        notes_ = kWhy;
        return nullptr;
    }
    std::string systemDirectory() override { return "C:\\WINDOWS\\system32"; }
    std::optional<std::string> wow64SystemDirectory() override { return std::nullopt; }
    FileSearchHandle findFirstFile(std::string_view) override { return kNoFileSearch; }
    void findClose(FileSearchHandle) override {}
    bool copyFile(std::string_view, std::string_view, bool) override { return false; }
    ServiceHandle openServiceManager(std::uint32_t) override { return kNoServiceHandle; }
    ServiceHandle openService(ServiceHandle, std::string_view, std::uint32_t) override {
        return kNoServiceHandle;
    }
    bool startService(ServiceHandle) override { return false; }
    ServiceHandle createService(ServiceHandle, const ServiceDefinition&) override {
        return kNoServiceHandle;
    }
    void closeServiceHandle(ServiceHandle) override {}
    std::uint32_t lastError() override { return 0; }
    std::string failureNotes() const override { return notes_; }
    void clearFailureNotes() override { notes_.clear(); }

  private:
    std::string notes_;
};

TEST(DriverLifecycle, AnOpenButUnusableDriverSaysWhyOnEveryPass) {
    sim::SimPlatform platform(sampleWith(sim::DriverOutcome::Direct));
    UnusableDeviceServices services;
    ServiceDriverHost host(services);
    auto results = std::make_unique<DetectionResults>();
    DetectionOptions options;
    std::ostringstream errors;
    CliView view(errors);
    StandardDetectors detectors(platform);
    DetectionSession session(*results, options, view, detectors, platform.os(), host);
    testing::MemoryFiles files;
    MainController controller(session, platform.shell(), files);
    controller.initialize();

    controller.getBiosInfo();
    controller.getBiosInfo();
    EXPECT_NE(session.driver, nullptr) << "the device opened";
    EXPECT_EQ(results->runState, RunState::Started);
    ASSERT_EQ(view.messages().size(), 2u);
    for (const RecordedMessage& message : view.messages()) {
        EXPECT_EQ(message.text, kDriverMessage);
        EXPECT_EQ(message.reason, UnusableDeviceServices::kWhy)
            << "also on the pass that reuses the kept driver";
    }
}

using testing::CliRun;
using testing::runCliWith;

TEST(DriverMessage, TheJsonDocumentKeepsTheMessageAndItsReasonApart) {
    const CliRun run =
        runCliWith({"--machine", kSamples + "/driver-missing.json", "--format", "json"});
    EXPECT_EQ(run.status, 3);
    const auto doc = nlohmann::json::parse(run.out);
    ASSERT_EQ(doc["messages"].size(), 1u);
    EXPECT_EQ(doc["messages"][0]["text"], kDriverMessage);
    EXPECT_EQ(doc["messages"][0]["reason"],
              "the machine profile has no hardware-access driver (driver: missing)");

    const CliRun inactive =
        runCliWith({"--machine", kSamples + "/driver-inactive.json", "--format", "json"});
    const auto quiet = nlohmann::json::parse(inactive.out);
    EXPECT_FALSE(quiet["messages"][0].contains("reason"));
}

// Whether this process may use port instructions or /dev/port at all.
bool machineGrantsPortAccess() {
    if (access("/dev/port", F_OK) == 0) {
        return true;
    }
    LinuxDriverServices probe("/nonexistent/port");
    const DeviceHandle device =
        probe.openDevice(std::string(kDevicePathPrefix) + "TVicDevice1", kDriverDeviceOpen);
    if (device == kNoDevice) {
        return false;
    }
    probe.closeDevice(device);
    return true;
}

TEST(DriverMessage, ARealPassWithoutPortAccessStopsAtTheDriverWithAReasonLine) {
    if (machineGrantsPortAccess()) {
        GTEST_SKIP() << "this machine grants I/O port access; a real pass would probe its ports";
    }
    const CliRun run = runCliWith({});
    if (run.err.find("Insufficient privileges") != std::string::npos) {
        GTEST_SKIP() << "not running as an administrator; the pass stops before the driver";
    }
    EXPECT_EQ(run.status, 3) << run.err;
    EXPECT_TRUE(run.out.empty());
    EXPECT_NE(run.err.find("romwise: Error loading TVICHW driver!\nromwise: no I/O port access ("),
              std::string::npos)
        << run.err;
    EXPECT_NE(run.err.find("Run as root"), std::string::npos);
}

// Whole passes on the Windows 98 sample machine, where the pass takes the
// Windows 9x way: no administrator check (9x has no service manager), the
// virtual device copied from the program's folder into the system folder
// and opened by its own name, and never the 64-bit driver.
sim::MachineProfile windows98(sim::DriverOutcome outcome) {
    sim::MachineProfile profile = sim::loadMachineProfile(kSamples + "/windows98-se.json");
    profile.driver = outcome;
    // A 9x system tells nothing of administrators; the pass must not ask.
    profile.administrator = false;
    return profile;
}

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
    SimWindow pass(std::move(profile));
    pass.controller.getBiosInfo();

    EXPECT_EQ(pass.results->runState, RunState::Completed) << pass.errors.str();
    EXPECT_TRUE(pass.view.messages().empty());
    EXPECT_EQ(pass.driverCalls(), kAttempt) << "no service manager, no 64-bit driver";
    EXPECT_EQ(pass.driverSystem().files().count(kVirtualDeviceCopy), 1u);
    EXPECT_EQ(pass.results->osShortName.str(), "Win98");

    // The next pass keeps the open device.
    pass.driverSystem().clearCalls();
    pass.controller.getBiosInfo();
    EXPECT_EQ(pass.results->runState, RunState::Completed);
    EXPECT_TRUE(pass.driverCalls().empty());
}

TEST(Windows9xPass, MissingVirtualDeviceStopsAtTheDriverAfterTryingItTwice) {
    SimWindow pass(windows98(sim::DriverOutcome::Missing));
    pass.controller.getBiosInfo();

    EXPECT_EQ(pass.results->runState, RunState::Started);
    ASSERT_EQ(pass.view.messages().size(), 1u);
    EXPECT_EQ(pass.view.messages()[0].text, "Error loading TVICHW driver!");
    std::vector<std::string> twice = kAttempt;
    twice.insert(twice.end(), kAttempt.begin(), kAttempt.end());
    EXPECT_EQ(pass.driverCalls(), twice) << "both device names lead to the same virtual device";
}

}  // namespace
}  // namespace romwise

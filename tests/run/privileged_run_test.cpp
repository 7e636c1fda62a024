// Get BIOS Info through the privileged helper, with a stand-in helper: its
// answer (the route its pass took among it) goes into this window, and a
// helper that could not run leaves the pass to what this process may read.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "app/privileged_run.h"
#include "fakes.h"
#include "model/control_ids.h"
#include "model/run_texts.h"

namespace romwise {
namespace {

using testing::FakeMachine;

class FakePrivilegedPass final : public PrivilegedPass {
  public:
    std::optional<PassAnswer> run(const DetectionOptions&, std::string& reason) override {
        ++runs;
        reason = refusal;
        return answer;
    }
    std::optional<PassAnswer> answer;
    std::string refusal;
    int runs = 0;
};

// Keeps what the window is told, in order.
class RecordingView final : public MainView {
  public:
    void setFieldText(int id, const char* text) override {
        fields[id] = text;
        told.push_back("field " + std::to_string(id));
    }
    void enableControl(int, bool) override {}
    void showControl(int, bool) override {}
    void setFocus(int) override {}
    void messageBox(const char* text, const char*) override {
        messages.emplace_back(text);
        told.push_back("message");
    }
    void setButtonColors(int, std::uint32_t, std::uint32_t) override {}
    void resetButtonColors(int) override {}
    void showPassAccess(const PassAccess& access) override {
        accesses.push_back(access);
        told.push_back("access");
    }
    DialogResult runCloseConfirmation() override { return DialogResult::Cancel; }
    void runSaveReportDialog() override {}
    void runPrintJob() override {}
    void runOptionsDialog() override {}
    void runMoreInfoDialog() override {}
    void runAboutBox() override {}
    void showHelp() override {}
    void endDialog() override {}

    std::map<int, std::string> fields;
    std::vector<std::string> messages;
    std::vector<PassAccess> accesses;
    std::vector<std::string> told;
};

struct HelperWindow {
    HelperWindow() { session.privilegedPass = &helper; }

    FakeMachine machine;
    RecordingView view;
    FakePrivilegedPass helper;
    DetectionSession session{machine.results,   machine.options, view,
                             machine.detectors, machine.os,      machine.host};
};

TEST(PrivilegedRun, TheHelpersRouteIsToldBeforeItsFieldsAndOnlyWhenItTookOne) {
    HelperWindow window;
    PassAnswer answer;
    answer.results.runState = RunState::Completed;
    answer.view.fields[control::kSignOn] = "OEM Sign-On: None";
    answer.view.access =
        PassAccess{PassRoute::FirmwareTables, "no port driver: refused", AccessSource::SmbiosTables,
                   AccessSource::SmbiosTables, AccessSource::DeviceList};
    window.helper.answer = answer;

    const PassOutcome outcome = runPrivilegedPass(window.session);
    EXPECT_EQ(outcome.end, PassEnd::Completed);
    ASSERT_EQ(window.view.accesses.size(), 1u);
    EXPECT_EQ(window.view.accesses[0], *answer.view.access);
    const auto accessTold = std::find(window.view.told.begin(), window.view.told.end(), "access");
    const auto signOnTold =
        std::find(accessTold, window.view.told.end(), "field " + std::to_string(control::kSignOn));
    EXPECT_NE(signOnTold, window.view.told.end()) << "the helper's sign-on is written after";
    EXPECT_EQ(window.view.fields[control::kSignOn], "OEM Sign-On: None");

    // A helper's pass that stopped at the administrator check took no route.
    HelperWindow stopped;
    answer = PassAnswer{};
    answer.results.runState = RunState::Started;
    answer.view.messages.push_back({kInsufficientPrivileges, "Romwise", ""});
    stopped.helper.answer = answer;
    EXPECT_EQ(runPrivilegedPass(stopped.session).end, PassEnd::StoppedAtAdministratorCheck);
    EXPECT_TRUE(stopped.view.accesses.empty());
    EXPECT_EQ(stopped.view.messages, std::vector<std::string>{kInsufficientPrivileges});
}

// The window's own process reads nothing of the hardware where the system
// offers none of what the firmware-tables route reads: the pass ends at the
// driver, the reason the helper's refusal.
TEST(PrivilegedRun, ARefusedHelperOnASystemThatOffersNothingEndsAtTheDriver) {
    HelperWindow window;
    window.helper.refusal = "the administrator's password was not given";

    const PassOutcome outcome = runPrivilegedPass(window.session);
    EXPECT_EQ(window.helper.runs, 1);
    EXPECT_EQ(outcome.end, PassEnd::StoppedAtDriver);
    EXPECT_EQ(outcome.message, kDriverLoadError);
    EXPECT_EQ(outcome.reason, window.helper.refusal);
    EXPECT_EQ(window.machine.results.runState, RunState::Started);
    EXPECT_EQ(window.view.messages, std::vector<std::string>{std::string(kDriverLoadError) + "\n" +
                                                             window.helper.refusal});
    EXPECT_EQ(window.view.fields[control::kSignOn], " ");
    EXPECT_TRUE(window.view.accesses.empty()) << "no route was taken";
    const testing::FakeDetectors& detectors = window.machine.detectors;
    EXPECT_EQ(detectors.biosCalls + detectors.dmiCalls + detectors.chipsetCalls +
                  detectors.superIoCalls + detectors.processorCalls,
              0)
        << "nothing was read here";
    EXPECT_EQ(window.machine.host.opens, 0) << "no driver is opened by the window's process";
}

// Where the system offers the firmware, the window's own process takes the
// firmware-tables route as this user, and its note names the refusal.
TEST(PrivilegedRun, ARefusedHelperLeavesThePassToTheFirmwareTablesRoute) {
    HelperWindow window;
    window.helper.refusal = "the administrator's password was not given";
    window.machine.os.administrator = false;
    window.machine.detectors.offer.smbiosTables = true;

    const PassOutcome outcome = runPrivilegedPass(window.session);
    EXPECT_EQ(outcome.end, PassEnd::Completed);
    EXPECT_TRUE(window.view.messages.empty());
    ASSERT_EQ(window.view.accesses.size(), 1u);
    EXPECT_EQ(window.view.accesses[0].route, PassRoute::FirmwareTables);
    EXPECT_EQ(window.view.accesses[0].why,
              "no privileged helper: the administrator's password was not given");
    EXPECT_EQ(window.machine.host.opens, 0);
}

}  // namespace
}  // namespace romwise

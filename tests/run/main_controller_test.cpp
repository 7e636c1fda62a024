// The window's command logic: start-up state, report gating, submit, the
// hidden details message and the close path.
#include "app/main_controller.h"

#include <gtest/gtest.h>

#include "fakes.h"
#include "model/control_ids.h"
#include "report/text_report.h"
#include "tests/report/memory_files.h"

namespace romwise {
namespace {

using namespace control;
using testing::FakeMachine;
using testing::FakeShell;

// The command-line view answers the close confirmation with "no"; these
// tests need every answer.
class ScriptedView final : public MainView {
  public:
    void setFieldText(int, const char*) override {}
    void enableControl(int id, bool enabled) override { enabled_[id] = enabled; }
    void showControl(int, bool) override {}
    void setFocus(int) override {}
    void messageBox(const char* text, const char* caption) override {
        messages.push_back({text, caption, {}});
    }
    void setButtonColors(int, std::uint32_t, std::uint32_t) override {}
    void resetButtonColors(int) override {}
    DialogResult runCloseConfirmation() override {
        ++confirmations;
        return answer;
    }
    void runSaveReportDialog() override { ++saveDialogs; }
    void runPrintJob() override { ++printJobs; }
    void runOptionsDialog() override {}
    void runMoreInfoDialog() override {}
    void runAboutBox() override {}
    void showHelp() override {}
    void endDialog() override { ended = true; }

    DialogResult answer = DialogResult::Cancel;
    std::vector<RecordedMessage> messages;
    std::map<int, bool> enabled_;
    int confirmations = 0, saveDialogs = 0, printJobs = 0;
    bool ended = false;
};

struct ControllerFixture {
    ControllerFixture()
        : session(machine.results, machine.options, view, machine.detectors, machine.os,
                  machine.host),
          controller(session, shell, files) {}
    FakeMachine machine;
    ScriptedView view;
    FakeShell shell;
    testing::MemoryFiles files;
    DetectionSession session;
    MainController controller;
};

TEST(MainControllerTest, ConstructionResetsStateAndInitialisationDisablesReportButtons) {
    FakeMachine m;
    m.results.runState = RunState::Completed;
    m.results.requestSubmitted = 1;
    m.options.skipDmi = 1;
    FakeShell shell;
    testing::MemoryFiles files;
    MainController controller(m.session, shell, files);
    EXPECT_EQ(m.results.runState, RunState::NotRun);
    EXPECT_EQ(m.results.requestSubmitted, 0);
    EXPECT_EQ(m.options.skipDmi, 0);

    controller.initialize();
    EXPECT_EQ(m.view.field(kBiosType), "Click on Get BIOS Info Button...");
    EXPECT_FALSE(m.view.isEnabled(kSave));
    EXPECT_FALSE(m.view.isEnabled(kPrint));
    EXPECT_FALSE(m.view.isEnabled(kSubmit));
    EXPECT_FALSE(m.view.isVisible(kMoreInfo));
    EXPECT_EQ(m.view.focus(), kGetBiosInfo);
    EXPECT_TRUE(m.view.isHighlighted(kGetBiosInfo));
}

TEST(MainControllerTest, SaveAndPrintActOnlyAfterACompletedPass) {
    ControllerFixture f;
    f.controller.save();
    f.controller.print();
    ASSERT_EQ(f.view.messages.size(), 2u);
    EXPECT_EQ(f.view.messages[0].text,
              "You must select Get BIOS Info button first before saving the results.");
    EXPECT_EQ(f.view.messages[0].caption, "ERROR!");
    EXPECT_EQ(f.view.messages[1].text,
              "You must select Get BIOS Info button first before printing the results.");

    f.controller.getBiosInfo();
    f.controller.save();
    f.controller.print();
    EXPECT_EQ(f.view.saveDialogs, 1);
    EXPECT_EQ(f.view.printJobs, 1);

    // A later pass that stops at the administrator check: Save stays enabled
    // but neither saves nor says anything.
    f.machine.os.administrator = false;
    f.controller.getBiosInfo();
    f.view.messages.clear();
    f.controller.save();
    f.controller.print();
    EXPECT_TRUE(f.view.messages.empty());
    EXPECT_EQ(f.view.saveDialogs, 1);
    EXPECT_TRUE(f.view.enabled_[kSave]);

    f.machine.os.version.platformId = 0;
    f.controller.getBiosInfo();
    f.controller.save();
    f.controller.print();
    ASSERT_EQ(f.view.messages.size(), 2u);
    EXPECT_EQ(f.view.messages[0].text,
              "Sorry! Results cannot be saved because there was an error with BIOS Detection.");
    EXPECT_EQ(f.view.messages[1].text,
              "Sorry! Results cannot be printed because there was an error with BIOS Detection.");
}

// The one save the save dialog's OK and the command line's --output share:
// the Save command's refusals first, then the file.
TEST(MainControllerTest, SaveReportRefusesAsTheSaveCommandThenWritesTheFile) {
    ControllerFixture f;
    EXPECT_EQ(f.controller.saveReport("/home/ann/bios.txt"), SaveOutcome::Refused);
    ASSERT_EQ(f.view.messages.size(), 1u);
    EXPECT_EQ(f.view.messages[0].text,
              "You must select Get BIOS Info button first before saving the results.");
    EXPECT_TRUE(f.files.files.empty());

    f.controller.getBiosInfo();
    EXPECT_EQ(f.controller.saveReport("/home/ann/bios.txt"), SaveOutcome::Saved);
    EXPECT_EQ(f.files.files["/home/ann/bios.txt"], writeTextReport(f.machine.results));
    EXPECT_EQ(f.controller.saveReport("/nowhere/bios.txt"), SaveOutcome::NotWritten);
    ASSERT_EQ(f.view.messages.size(), 2u);
    EXPECT_EQ(f.view.messages[1].text, "File error saving results!");
    EXPECT_EQ(f.view.messages[1].caption, "ERROR!");
    EXPECT_EQ(f.view.saveDialogs, 0) << "no dialog is shown for a name already given";

    // After a pass that stopped early the save neither writes nor speaks.
    f.machine.os.administrator = false;
    f.controller.getBiosInfo();
    f.view.messages.clear();
    EXPECT_EQ(f.controller.saveReport("/home/ann/other.txt"), SaveOutcome::Refused);
    EXPECT_TRUE(f.view.messages.empty());
    EXPECT_EQ(f.files.files.count("/home/ann/other.txt"), 0u);
}

TEST(MainControllerTest, SubmitRefusesWithoutAddressAndLaunchesAnEarlierOneAfterAFailure) {
    ControllerFixture f;
    f.controller.submit();
    ASSERT_EQ(f.view.messages.size(), 1u);
    EXPECT_EQ(
        f.view.messages[0].text,
        "You must select Get BIOS Info button before submitting BIOS upgrade request online.");
    EXPECT_EQ(f.machine.results.requestSubmitted, 0);

    f.controller.getBiosInfo();
    f.machine.os.version.platformId = 0;
    f.controller.getBiosInfo();
    ASSERT_EQ(f.machine.results.runState, RunState::Failed);
    f.controller.submit();
    ASSERT_EQ(f.shell.opened.size(), 1u);
    EXPECT_EQ(f.shell.opened[0], "http://example.test/full?uBType=Award");
    EXPECT_EQ(f.machine.results.requestSubmitted, 1);
}

TEST(MainControllerTest, SubmitFallsBackToShortAddressThenDirectStartThenTellsTheUser) {
    ControllerFixture f;
    f.controller.getBiosInfo();
    f.shell.openWorks = false;
    f.shell.directWorks = false;
    f.controller.submit();
    EXPECT_EQ(f.shell.opened.size(), 2u);
    EXPECT_EQ(f.shell.opened[1], "http://example.test/short?uBType=Award");
    ASSERT_EQ(f.shell.direct.size(), 1u);
    EXPECT_EQ(f.shell.direct[0], "http://example.test/short?uBType=Award");
    ASSERT_EQ(f.view.messages.size(), 1u);
    EXPECT_NE(f.view.messages[0].text.find("CODE: 0\n\nhttp://"), std::string::npos);
    EXPECT_EQ(f.machine.results.requestSubmitted, 1);
}

TEST(MainControllerTest, DetailsMessageNeedsCtrlAndAltAndAPass) {
    ControllerFixture f;
    f.controller.detailsPictureClicked(true, true);
    EXPECT_TRUE(f.view.messages.empty());

    f.controller.getBiosInfo();
    f.controller.detailsPictureClicked(true, false);
    EXPECT_TRUE(f.view.messages.empty());

    f.controller.detailsPictureClicked(true, true);
    ASSERT_EQ(f.view.messages.size(), 1u);
    EXPECT_EQ(f.view.messages[0].text,
              "DMI Version 2.3\nMotherboard Name: Quokka Boards Inc.\nMotherboard Model: "
              "QB-440BX\nOS: WinXP SP2\nCPU: Pentium III 500 Mhz MAX: 600 Mhz\nTime Zone: "
              "5\nCountry: 1 - United States\nBIOS Version: 1014 beta");

    // Stopped at the driver step: the long form with this pass's resets.
    f.machine.host.setOutcome(false, false);
    f.controller.closeRequested();  // releases the driver; the view answers "no"
    f.controller.getBiosInfo();
    ASSERT_EQ(f.machine.results.runState, RunState::Started);
    f.view.messages.clear();
    f.controller.detailsPictureClicked(true, true);
    ASSERT_EQ(f.view.messages.size(), 1u);
    EXPECT_EQ(f.view.messages[0].text.substr(0, 16), "DMI Version 0.0\n");

    f.machine.os.version.platformId = 7;
    f.controller.getBiosInfo();
    f.view.messages.clear();
    f.controller.detailsPictureClicked(true, true);
    EXPECT_EQ(f.view.messages[0].text, "OS: Not Known Version: 5.1.2600 Service Pack 2");
}

TEST(MainControllerTest, DetailsMessageKeepsFirmwareTextsOnTheirLines) {
    ControllerFixture f;
    f.machine.detectors.dmi.manufacturer.assign("Quokka\r\nBoards\x1B[2J");
    f.controller.getBiosInfo();
    f.controller.detailsPictureClicked(true, true);
    ASSERT_EQ(f.view.messages.size(), 1u);
    EXPECT_NE(f.view.messages[0].text.find(
                  "\nMotherboard Name: Quokka\\r\\nBoards\\x1B[2J\nMotherboard Model: "),
              std::string::npos)
        << f.view.messages[0].text;
}

TEST(MainControllerTest, ClosePathReleasesDriverAndFollowsTheAnswer) {
    ControllerFixture f;
    f.controller.getBiosInfo();
    ASSERT_TRUE(f.session.driver);

    // "Yes" submits and keeps the window open; the driver is released anyway.
    f.view.answer = DialogResult::Accept;
    f.controller.closeRequested();
    EXPECT_EQ(f.view.confirmations, 1);
    EXPECT_FALSE(f.session.driver);
    EXPECT_FALSE(f.view.ended);
    EXPECT_EQ(f.machine.results.requestSubmitted, 1);

    // Once submitted, closing no longer asks.
    f.controller.closeRequested();
    EXPECT_EQ(f.view.confirmations, 1);
    EXPECT_TRUE(f.view.ended);

    // The next pass opens the driver again.
    f.controller.getBiosInfo();
    EXPECT_EQ(f.machine.host.opens, 2);
}

TEST(MainControllerTest, ClosePathAnswers) {
    ControllerFixture beforeAnyPass;
    beforeAnyPass.view.answer = DialogResult::Accept;
    beforeAnyPass.controller.closeRequested();
    ASSERT_EQ(beforeAnyPass.view.messages.size(), 1u);
    EXPECT_EQ(
        beforeAnyPass.view.messages[0].text,
        "You must select Get BIOS Info button before submitting BIOS upgrade request online.");
    EXPECT_FALSE(beforeAnyPass.view.ended);

    ControllerFixture no;
    no.view.answer = DialogResult::Cancel;
    no.controller.closeRequested();
    EXPECT_TRUE(no.view.ended);

    ControllerFixture broken;
    broken.view.answer = DialogResult::CouldNotCreate;
    broken.controller.closeRequested();
    ASSERT_EQ(broken.view.messages.size(), 1u);
    EXPECT_EQ(broken.view.messages[0].text, "Dialog box could not be created!");
    EXPECT_TRUE(broken.view.ended);

    ControllerFixture other;
    other.view.answer = DialogResult::Other;
    other.controller.closeRequested();
    EXPECT_FALSE(other.view.ended);
}

TEST(MainControllerTest, WebSiteLinkTellsTheUserWhenNoBrowserStarts) {
    ControllerFixture f;
    f.controller.openWebSite();
    EXPECT_TRUE(f.view.messages.empty());
    f.shell.openWorks = false;
    f.controller.openWebSite();
    ASSERT_EQ(f.view.messages.size(), 1u);
    EXPECT_EQ(f.view.messages[0].text,
              "Romwise could not launch a default browser. Please install a default browser on "
              "this system.");
}

}  // namespace
}  // namespace romwise

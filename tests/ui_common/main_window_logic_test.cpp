// The main window's logic both toolkits share: the command each control's
// click runs, and the result the close path ends the dialog with after the
// Close button and after the window's own close request.
#include "ui/common/main_window_logic.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "../run/fakes.h"
#include "model/control_ids.h"
#include "ui/common/dialog_template_data.h"
#include "ui/common/pass_access_texts.h"

namespace romwise::ui {
namespace {

using namespace control;

// The logic never saves by itself; the toolkits' save dialogs do.
struct NoFiles final : ReportFiles {
    std::unique_ptr<TemporaryReportFile> createBeside(const std::string&) override {
        return nullptr;
    }
    std::unique_ptr<TemporaryReportFile> createRegularBeside(const std::string&) override {
        return nullptr;
    }
    std::string homeDirectory() override { return {}; }
};

// A window that keeps what the logic asked of it, in order.
class RecordingWindow final : public MainWindowLogic {
  public:
    RecordingWindow(testing::FakeMachine& machine, Shell& shell, ReportFiles& files)
        : MainWindowLogic(machine.results, machine.options,
                          {machine.detectors, machine.os, machine.host, shell, files}) {}

    void setFieldText(int, const char*) override {}
    void enableControl(int, bool) override {}
    void showControl(int, bool) override {}
    void setFocus(int) override {}
    void messageBox(const char* text, const char*) override { log.push_back(text); }
    void setButtonColors(int, std::uint32_t, std::uint32_t) override {}
    void resetButtonColors(int) override {}
    DialogResult runCloseConfirmation() override {
        log.push_back("confirmation");
        return answer;
    }
    void runSaveReportDialog() override { log.push_back("save dialog"); }
    void runPrintJob() override { log.push_back("print job"); }
    void runOptionsDialog() override { log.push_back("options"); }
    void runMoreInfoDialog() override { log.push_back("more info"); }
    void runAboutBox() override { log.push_back("about"); }
    void showHelp() override { log.push_back("help"); }

    DialogResult answer = DialogResult::Cancel;
    std::vector<std::string> log;
    std::vector<DialogEnd> ends;
    std::vector<std::string> captions;

  protected:
    void endWindow(DialogEnd result) override { ends.push_back(result); }
    void showCaption(const std::string& caption) override { captions.push_back(caption); }
};

struct Window {
    Window() : window(machine, shell, files) { window.controller().initialize(); }
    testing::FakeMachine machine;
    testing::FakeShell shell;
    NoFiles files;
    RecordingWindow window;
};

TEST(MainWindowLogic, EachCommandControlRunsItsCommandAndOtherControlsNone) {
    Window w;
    for (const int id : {kBiosType, kAcceptId, kNoId}) {
        EXPECT_FALSE(w.window.controlClicked(id)) << id;
    }
    EXPECT_TRUE(w.window.log.empty());

    EXPECT_TRUE(w.window.controlClicked(kGetBiosInfo));
    ASSERT_EQ(w.machine.results.runState, RunState::Completed);
    for (const int id : {kOptions, kMoreInfo, kHelp, kSave, kPrint}) {
        EXPECT_TRUE(w.window.controlClicked(id)) << id;
    }
    // The details picture hands on the keys held at the click.
    EXPECT_TRUE(w.window.controlClicked(kDetailsPicture, {true, false}));
    w.window.controlClicked(kDetailsPicture, {false, true});
    w.window.controlClicked(kDetailsPicture, {true, true});
    ASSERT_EQ(w.window.log.size(), 6u);
    EXPECT_EQ(
        std::vector<std::string>(w.window.log.begin(), w.window.log.begin() + 5),
        (std::vector<std::string>{"options", "more info", "help", "save dialog", "print job"}));
    EXPECT_EQ(w.window.log[5].substr(0, 16), "DMI Version 2.3\n");

    EXPECT_TRUE(w.window.controlClicked(kLogo));
    EXPECT_TRUE(w.window.controlClicked(kSubmit));
    ASSERT_EQ(w.shell.opened.size(), 2u);  // the web site, then the request
    EXPECT_EQ(w.shell.opened[1], "http://example.test/full?uBType=Award");
    EXPECT_TRUE(w.window.ends.empty());
}

TEST(MainWindowLogic, CloseButtonEndsAcceptedAndTheWindowsCloseRequestCancelled) {
    Window byButton;
    EXPECT_TRUE(byButton.window.controlClicked(kClose));
    EXPECT_EQ(byButton.window.log, std::vector<std::string>{"confirmation"});
    EXPECT_EQ(byButton.window.ends, std::vector<DialogEnd>{DialogEnd::Accept});

    Window byRequest;
    byRequest.window.windowCloseRequested();
    EXPECT_EQ(byRequest.window.log, std::vector<std::string>{"confirmation"});
    EXPECT_EQ(byRequest.window.ends, std::vector<DialogEnd>{DialogEnd::Cancel});

    // A close request answered "yes" submits and keeps the window open; the
    // Close button then ends it at once, accepted.
    Window kept;
    kept.window.controlClicked(kGetBiosInfo);
    kept.window.answer = DialogResult::Accept;
    kept.window.windowCloseRequested();
    EXPECT_TRUE(kept.window.ends.empty());
    EXPECT_EQ(kept.machine.results.requestSubmitted, 1);
    kept.window.controlClicked(kClose);
    EXPECT_EQ(kept.window.ends, std::vector<DialogEnd>{DialogEnd::Accept});
}

// The caption shows the route of the last pass only: a firmware-tables pass
// puts its note there, a driver-route pass and a new pass take it away.
TEST(MainWindowLogic, CaptionFollowsTheLastPasssRoute) {
    Window w;
    EXPECT_TRUE(w.window.captions.empty()) << "the toolkit sets the first caption";
    const std::string plain = mainWindowCaption(std::nullopt);
    const PassAccess tables = {PassRoute::FirmwareTables, "no port driver", AccessSource::RomWindow,
                               AccessSource::SmbiosTables, AccessSource::DeviceList};
    w.window.showPassAccess(tables);
    EXPECT_EQ(w.window.captions, std::vector<std::string>{mainWindowCaption(tables)});
    EXPECT_NE(w.window.captions.back(), plain);
    EXPECT_EQ(w.window.passAccess(), tables);

    w.window.showPassAccess(PassAccess{});
    EXPECT_EQ(w.window.captions.back(), plain);

    w.window.showPassAccess(tables);
    w.window.captions.clear();
    EXPECT_TRUE(w.window.controlClicked(kGetBiosInfo));
    ASSERT_FALSE(w.window.captions.empty()) << "the new pass starts with the plain caption";
    EXPECT_EQ(w.window.captions.front(), plain);
    EXPECT_EQ(w.window.captions.back(), plain);
    EXPECT_NE(w.window.passAccess(), tables);
}

}  // namespace
}  // namespace romwise::ui

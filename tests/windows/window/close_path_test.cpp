// The close path through the window: the Close button and the window's own
// close request (the close box, Alt+F4, WM_CLOSE) ask first unless the
// request went out, release the driver before asking, keep the window open
// on yes and end it on no with the accept and the cancel result; Enter and
// Escape in the running window end it at once, without asking.
#include <windows.h>

#include <gtest/gtest.h>

#include "model/control_ids.h"
#include "ui/common/dialog_templates.h"
#include "window_fixtures.h"

namespace romwise::ui::win32 {
namespace {

using testing::click;
using testing::ModalScript;
using testing::press;
using testing::pumpUntil;
using testing::SampleWindow;

void answer(ModalScript& script, int buttonId) {
    script.then([buttonId](HWND modal) { press(modal, buttonId); });
}

class ClosePath : public ::testing::Test {
  protected:
    void SetUp() override {
        click(window.control(control::kGetBiosInfo));
        ASSERT_NE(window.window.session().driver, nullptr);
    }
    void clickClose() { click(window.control(control::kClose)); }

    SampleWindow window{"award-440bx.json"};
};

TEST_F(ClosePath, NoEndsTheWindowWithTheAcceptResultAfterReleasingTheDriver) {
    ModalScript script;
    answer(script, IDCANCEL);
    clickClose();
    ASSERT_EQ(script.seen().size(), 1u);
    EXPECT_EQ(script.seen()[0].title, kCloseConfirmationTemplate.caption);
    EXPECT_TRUE(window.window.ended());
    EXPECT_EQ(window.window.result(), IDOK);
    EXPECT_EQ(window.window.session().driver, nullptr);
}

TEST_F(ClosePath, YesSubmitsKeepsTheWindowAndTheNextCloseAsksNothing) {
    ModalScript script;
    answer(script, IDOK);
    clickClose();
    EXPECT_FALSE(window.window.ended());
    EXPECT_EQ(window.results->requestSubmitted, 1);
    EXPECT_EQ(window.window.session().driver, nullptr);  // released even though we stay
    ASSERT_FALSE(window.platform.simShell().launches().empty());

    ModalScript none;
    clickClose();
    EXPECT_TRUE(none.seen().empty());
    EXPECT_TRUE(window.window.ended());
}

TEST_F(ClosePath, EscapeOrTheCloseBoxOfTheConfirmationCountsAsNo) {
    ModalScript script;
    script.then([](HWND modal) { PostMessageW(modal, WM_CLOSE, 0, 0); });
    clickClose();
    EXPECT_TRUE(window.window.ended());
}

// The window's own close request, posted as the close box and Alt+F4 send
// it (the close system command, which becomes WM_CLOSE) or as WM_CLOSE
// itself, and run through the thread's messages: whatever the dialog
// manager does with it afterwards happens before the checks.
enum class CloseRequest { SystemCommand, Message };

class WindowCloseRequest : public ::testing::TestWithParam<CloseRequest> {
  protected:
    void request(const ModalScript& script) {
        HWND main = window.window.handle();
        if (GetParam() == CloseRequest::SystemCommand) {
            PostMessageW(main, WM_SYSCOMMAND, SC_CLOSE, 0);
        } else {
            PostMessageW(main, WM_CLOSE, 0, 0);
        }
        pumpUntil([&] { return script.finished(); });
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
    void getBiosInfo() {
        click(window.control(control::kGetBiosInfo));
        ASSERT_NE(window.window.session().driver, nullptr);
    }

    SampleWindow window{"award-440bx.json"};
};

TEST_P(WindowCloseRequest, AfterAPassNoEndsTheWindowWithTheCancelResult) {
    getBiosInfo();
    ModalScript script;
    answer(script, IDCANCEL);
    request(script);
    ASSERT_EQ(script.seen().size(), 1u);
    EXPECT_EQ(script.seen()[0].title, kCloseConfirmationTemplate.caption);
    EXPECT_TRUE(window.window.ended());
    EXPECT_EQ(window.window.result(), IDCANCEL);
    EXPECT_EQ(window.window.session().driver, nullptr);
}

TEST_P(WindowCloseRequest, AfterAPassYesSubmitsAndKeepsTheWindowThenTheNextEndsItAtOnce) {
    getBiosInfo();
    ModalScript script;
    answer(script, IDOK);
    request(script);
    ASSERT_EQ(script.seen().size(), 1u);
    EXPECT_EQ(window.results->requestSubmitted, 1);
    EXPECT_FALSE(window.platform.simShell().launches().empty());
    EXPECT_FALSE(window.window.ended()) << "yes keeps the window open";
    EXPECT_TRUE(IsWindowVisible(window.window.handle()));

    ModalScript none;
    request(none);
    EXPECT_TRUE(none.seen().empty());
    EXPECT_TRUE(window.window.ended());
    EXPECT_EQ(window.window.result(), IDCANCEL);
}

TEST_P(WindowCloseRequest, BeforeAPassYesShowsTheRefusalAndKeepsTheWindow) {
    ModalScript script;
    answer(script, IDOK);  // the refusal that follows gets its OK
    request(script);
    ASSERT_EQ(script.seen().size(), 2u);
    EXPECT_EQ(script.seen()[0].title, kCloseConfirmationTemplate.caption);
    EXPECT_FALSE(script.seen()[1].text.empty()) << "a message box";
    EXPECT_EQ(window.results->requestSubmitted, 0);
    EXPECT_FALSE(window.window.ended());
}

TEST_P(WindowCloseRequest, BeforeAPassNoEndsTheWindow) {
    ModalScript script;
    answer(script, IDCANCEL);
    request(script);
    ASSERT_EQ(script.seen().size(), 1u);
    EXPECT_TRUE(window.window.ended());
    EXPECT_EQ(window.window.result(), IDCANCEL);
}

TEST_P(WindowCloseRequest, AfterSubmitFromItsButtonAsksNothingAndEnds) {
    getBiosInfo();
    click(window.control(control::kSubmit));
    ModalScript none;
    request(none);
    EXPECT_TRUE(none.seen().empty());
    EXPECT_TRUE(window.window.ended());
    EXPECT_EQ(window.window.result(), IDCANCEL);
}

INSTANTIATE_TEST_SUITE_P(CloseBoxAndMessage, WindowCloseRequest,
                         ::testing::Values(CloseRequest::SystemCommand, CloseRequest::Message),
                         [](const ::testing::TestParamInfo<CloseRequest>& info) {
                             return info.param == CloseRequest::SystemCommand ? "SystemCommand"
                                                                              : "Message";
                         });

TEST(ClosePathBeforeAnyPass, StillAsks) {
    SampleWindow window("award-440bx.json");
    ModalScript script;
    answer(script, IDCANCEL);
    click(window.control(control::kClose));
    ASSERT_EQ(script.seen().size(), 1u);
    EXPECT_EQ(script.seen()[0].title, kCloseConfirmationTemplate.caption);
}

// A key as the user presses it in the running window: the dialog manager's
// message loop sees it on the control with the focus.
void pressKey(WPARAM key) {
    PostMessageW(GetFocus(), WM_KEYDOWN, key, 0);
    PostMessageW(GetFocus(), WM_KEYUP, key, 0);
}

TEST(RunningWindow, EscapeAfterAPassEndsItAtOnceWithoutAskingOrReleasingTheDriver) {
    SampleWindow window("award-440bx.json", L"", false);
    ModalScript script;
    script.then([](HWND) { pressKey(VK_ESCAPE); });
    EXPECT_EQ(window.window.run(true), IDCANCEL);
    EXPECT_EQ(window.results->runState, RunState::Completed) << "--get-bios-info ran a pass";
    EXPECT_EQ(script.seen().size(), 1u) << "the main window only, no question";
    EXPECT_NE(window.window.session().driver, nullptr);
}

TEST(RunningWindow, EnterOnGetBiosInfoEndsItAtOnceWithTheAcceptResult) {
    SampleWindow window("award-440bx.json", L"", false);
    HWND focus = nullptr;
    ModalScript script;
    script.then([&](HWND main) {
        focus = GetFocus();
        EXPECT_EQ(focus, GetDlgItem(main, control::kGetBiosInfo));
        pressKey(VK_RETURN);
    });
    EXPECT_EQ(window.window.run(false), IDOK);
    EXPECT_EQ(script.seen().size(), 1u);
    EXPECT_EQ(window.results->runState, RunState::NotRun);
}

TEST(RunningWindow, TabMovesTheFocusInTemplateOrderFromGetBiosInfo) {
    SampleWindow window("award-440bx.json", L"", false);
    std::vector<int> order;
    ModalScript script;
    script.then([&](HWND main) {
        for (int i = 0; i < 3; ++i) {
            order.push_back(GetDlgCtrlID(GetFocus()));
            SendMessageW(main, WM_NEXTDLGCTL, 0, FALSE);
        }
        press(main, IDCANCEL);
    });
    window.window.run(false);
    // Get BIOS Info, then the next tab stops the template lists after it
    // (Submit is disabled before a pass).
    EXPECT_EQ(order, (std::vector<int>{control::kGetBiosInfo, control::kHelp, control::kClose}));
}

}  // namespace
}  // namespace romwise::ui::win32

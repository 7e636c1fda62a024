// The close path through the window: the Close button and the window's own
// close request (the close box, Alt+F4, WM_CLOSE) ask first unless the
// request went out, release the driver before asking, keep the window open
// on yes and end it on no with the accept and the cancel result; Enter and
// Escape in the running window end it at once, without asking.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstddef>
#include <ostream>
#include <string>
#include <tuple>

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

void postCloseRequest(HWND main, CloseRequest request, const ModalScript& script) {
    if (request == CloseRequest::SystemCommand) {
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

struct CloseCase {
    const char* name;
    bool pass;           // a pass ran first
    bool submitted;      // and Submit was clicked
    int answer;          // to the confirmation
    std::size_t modals;  // the confirmation; before a pass, yes brings the refusal
    bool ends;
};

constexpr CloseCase kCloseCases[] = {
    {"YesAfterAPass", true, false, IDOK, 1, false},
    {"NoAfterAPass", true, false, IDCANCEL, 1, true},
    {"YesBeforeAPass", false, false, IDOK, 2, false},
    {"NoBeforeAPass", false, false, IDCANCEL, 1, true},
    {"AfterASubmit", true, true, IDOK, 0, true},
};

void PrintTo(const CloseCase& c, std::ostream* out) {
    *out << c.name;
}

class WindowCloseRequest : public ::testing::TestWithParam<std::tuple<CloseRequest, CloseCase>> {};

TEST_P(WindowCloseRequest, TakesTheClosePath) {
    const auto [request, c] = GetParam();
    SampleWindow window("award-440bx.json");
    if (c.pass) {
        click(window.control(control::kGetBiosInfo));
    }
    if (c.submitted) {
        click(window.control(control::kSubmit));
    }
    ModalScript script;
    if (c.modals > 0) {
        answer(script, c.answer);
    }
    postCloseRequest(window.window.handle(), request, script);
    ASSERT_EQ(script.seen().size(), c.modals);
    if (c.modals > 0) {
        EXPECT_EQ(script.seen()[0].title, kCloseConfirmationTemplate.caption);
    }
    EXPECT_EQ(window.results->requestSubmitted,
              c.submitted || (c.pass && c.answer == IDOK) ? 1 : 0);
    if (c.pass) {
        EXPECT_EQ(window.window.session().driver == nullptr, !c.submitted) << "released to ask";
    }
    EXPECT_EQ(window.window.ended(), c.ends) << "yes keeps the window open";
    if (c.ends) {
        EXPECT_EQ(window.window.result(), IDCANCEL);
    }
}

INSTANTIATE_TEST_SUITE_P(
    CloseBoxAndMessage, WindowCloseRequest,
    ::testing::Combine(::testing::Values(CloseRequest::SystemCommand, CloseRequest::Message),
                       ::testing::ValuesIn(kCloseCases)),
    [](const ::testing::TestParamInfo<WindowCloseRequest::ParamType>& info) {
        const bool command = std::get<0>(info.param) == CloseRequest::SystemCommand;
        return std::string(command ? "SystemCommand" : "Message") + std::get<1>(info.param).name;
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

// The main window bound to the command logic on the sample machines: its
// size and caption, the start-up state, a completed pass with the command
// line's values in every field, a pass stopped early, the hidden details
// message, the logo link, the About command and help.
#include <windows.h>

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <algorithm>
#include <string>

#include "../wine_host.h"
#include "model/control_ids.h"
#include "model/run_texts.h"
#include "ui/common/dialog_templates.h"
#include "ui/common/window_texts.h"
#include "window_fixtures.h"

namespace romwise::ui::win32 {
namespace {

using testing::click;
using testing::dialogRect;
using testing::ModalScript;
using testing::SampleWindow;
using testing::windowText;

constexpr std::uint32_t kGreenFace = 0x78B40F;

// The command line's view of a pass: its "dialog" texts by control id.
nlohmann::json commandLineDialog(const std::string& arguments) {
    const auto run = test::runProgram("\"" + test::hostPath(ROMWISE_CLI_PROGRAM) +
                                      "\" --format json " + arguments);
    return nlohmann::json::parse(run.out)["dialog"];
}

std::string machine(const std::string& profile) {
    return "--machine \"" + testing::samplePath(profile) + "\"";
}

void getBiosInfo(SampleWindow& window) {
    click(window.control(control::kGetBiosInfo));
}

bool enabled(SampleWindow& window, int id) {
    return IsWindowEnabled(window.control(id)) != 0;
}

TEST(MainWindow, ClientAreaIsTheTemplateInTheDialogFontAndTheCaptionCarriesTheVersion) {
    SampleWindow window("award-440bx.json");
    HWND handle = window.window.handle();
    RECT client;
    GetClientRect(handle, &client);
    const RECT expected =
        dialogRect(handle, 0, 0, kMainDialogTemplate.width, kMainDialogTemplate.height);
    EXPECT_EQ(client.right, expected.right);
    EXPECT_EQ(client.bottom, expected.bottom);
    EXPECT_EQ(windowText(handle), "Quorvel Romwise Version 3.54");
    EXPECT_NE(SendMessageW(handle, WM_GETICON, ICON_BIG, 0), 0);
    EXPECT_NE(SendMessageW(handle, WM_GETICON, ICON_SMALL, 0), 0);
    // Both pictures hold their bitmaps, stretched to the control.
    HWND details = window.control(control::kDetailsPicture);
    const auto* bitmap =
        reinterpret_cast<HBITMAP>(SendMessageW(details, STM_GETIMAGE, IMAGE_BITMAP, 0));
    ASSERT_NE(bitmap, nullptr);
    BITMAP size = {};
    GetObjectW(const_cast<HBITMAP>(bitmap), sizeof size, &size);
    RECT area;
    GetClientRect(details, &area);
    EXPECT_EQ(size.bmWidth, area.right);
    EXPECT_EQ(size.bmHeight, area.bottom);
    int decorative = 0;
    for (HWND child = GetWindow(handle, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        if (GetDlgCtrlID(child) == -1 && SendMessageW(child, STM_GETIMAGE, IMAGE_BITMAP, 0) != 0) {
            ++decorative;
            EXPECT_TRUE(GetWindowLongW(child, GWL_STYLE) & WS_BORDER) << "the bordered one";
        }
    }
    EXPECT_EQ(decorative, 1);
}

TEST(MainWindow, StartsWithTheHintDisabledReportButtonsFocusAndHighlightOnGetBiosInfo) {
    SampleWindow window("award-440bx.json");
    EXPECT_EQ(window.text(control::kBiosType), "Click on Get BIOS Info Button...");
    EXPECT_FALSE(enabled(window, control::kSave));
    EXPECT_FALSE(enabled(window, control::kPrint));
    EXPECT_FALSE(enabled(window, control::kSubmit));
    EXPECT_FALSE(IsWindowVisible(window.control(control::kMoreInfo)));
    EXPECT_EQ(GetFocus(), window.control(control::kGetBiosInfo));
    EXPECT_EQ(window.window.colorButton(control::kGetBiosInfo)->colors().face, kGreenFace);
    EXPECT_EQ(window.window.colorButton(control::kGetBiosInfo)->colors().text, 0x010101u);
    EXPECT_NE(window.window.colorButton(control::kSubmit)->colors().face, kGreenFace);
    EXPECT_EQ(window.results->runState, RunState::NotRun);
}

TEST(MainWindow, TheLogoPlaysInsideItsAreaAndClicksThroughItOpenTheWebSite) {
    SampleWindow window("award-440bx.json");
    HWND area = window.control(control::kLogo);
    HWND logo = window.window.logoAnimation();
    ASSERT_NE(logo, nullptr) << "the clip opened";
    EXPECT_EQ(GetParent(logo), area);
    EXPECT_EQ(GetDlgCtrlID(logo), control::kLogo);
    RECT areaClient;
    RECT logoRect;
    GetClientRect(area, &areaClient);
    GetClientRect(logo, &logoRect);
    EXPECT_TRUE(EqualRect(&areaClient, &logoRect));
    // A click on the animation falls through to the area, which reports it.
    RECT onScreen;
    GetWindowRect(logo, &onScreen);
    const LPARAM point = MAKELPARAM(onScreen.left + 5, onScreen.top + 5);
    EXPECT_EQ(SendMessageW(logo, WM_NCHITTEST, 0, point), HTTRANSPARENT);
    EXPECT_EQ(SendMessageW(area, WM_NCHITTEST, 0, point), HTCLIENT);

    SendMessageW(window.window.handle(), WM_COMMAND, MAKEWPARAM(control::kLogo, STN_CLICKED),
                 reinterpret_cast<LPARAM>(area));
    const auto& launches = window.platform.simShell().launches();
    ASSERT_EQ(launches.size(), 1u);
    EXPECT_NE(launches[0].target.find("quorvel"), std::string::npos);
}

TEST(MainWindow, ACompletedPassShowsTheCommandLinesValuesAndEnablesTheReportCommands) {
    const nlohmann::json expected = commandLineDialog(machine("award-440bx.json"));
    SampleWindow window("award-440bx.json");
    getBiosInfo(window);
    ASSERT_EQ(window.results->runState, RunState::Completed);
    for (const int id : kResultFieldIds) {
        const std::string key = std::to_string(id);
        ASSERT_TRUE(expected.contains(key)) << key;
        EXPECT_EQ(window.text(id), expected[key].get<std::string>()) << id;
        EXPECT_FALSE(window.text(id).empty()) << id;
    }
    EXPECT_TRUE(enabled(window, control::kSave));
    EXPECT_TRUE(enabled(window, control::kPrint));
    EXPECT_TRUE(enabled(window, control::kSubmit));
    EXPECT_TRUE(IsWindowVisible(window.control(control::kMoreInfo)));
    EXPECT_EQ(window.window.colorButton(control::kSubmit)->colors().face, kGreenFace);
    EXPECT_NE(window.window.colorButton(control::kGetBiosInfo)->colors().face, kGreenFace);
}

// How much of a field's text would not show: the pixels its ink reaches
// (the text's extent less the blank after the last glyph) beyond the
// field's text area.
int hiddenPixels(HWND field) {
    const int length = GetWindowTextLengthW(field);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    GetWindowTextW(field, text.data(), length + 1);
    text.resize(static_cast<std::size_t>(length));
    if (text.empty()) {
        return 0;
    }
    HDC dc = GetDC(field);
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(field, WM_GETFONT, 0, 0)));
    SIZE extent = {};
    GetTextExtentPoint32W(dc, text.c_str(), length, &extent);
    ABC last = {};
    GetCharABCWidthsW(dc, text.back(), text.back(), &last);
    SelectObject(dc, old);
    ReleaseDC(field, dc);
    RECT area = {};
    SendMessageW(field, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&area));
    return extent.cx - std::max(last.abcC, 0) - (area.right - area.left);
}

// The operating system's line of the sample machine ("... Service Pack 2")
// is the longest its field can hold in the dialog font.
TEST(MainWindow, EveryFieldShowsItsWholeTextAfterAPass) {
    SampleWindow window("award-440bx.json");
    getBiosInfo(window);
    for (const int id : kResultFieldIds) {
        EXPECT_LE(hiddenPixels(window.control(id)), 0) << id << ": " << window.text(id);
    }
}

TEST(MainWindow, RecordTextsAreShownAsTheirWindows1252Characters) {
    SampleWindow window("award-440bx.json");
    window.window.setFieldText(control::kProcessor, "Intel\xAE Pentium\xAE III 1\xB5");
    EXPECT_EQ(window.text(control::kProcessor), "Intel® Pentium® III 1µ");
}

TEST(MainWindow, APassStoppedAtTheAdministratorCheckSaysWhyAndEnablesNothing) {
    SampleWindow window("not-administrator.json");
    ModalScript script;
    getBiosInfo(window);
    EXPECT_EQ(window.results->runState, RunState::Started);
    ASSERT_EQ(script.seen().size(), 1u);
    EXPECT_EQ(script.seen()[0].text, kInsufficientPrivileges);
    EXPECT_EQ(script.seen()[0].title, "Quorvel Romwise");
    EXPECT_FALSE(enabled(window, control::kSave));
    EXPECT_FALSE(enabled(window, control::kSubmit));
    EXPECT_EQ(window.window.colorButton(control::kGetBiosInfo)->colors().face, kGreenFace);
}

// Ctrl and Alt as GetKeyState sees them on this thread.
void holdKeys(bool control, bool alt) {
    BYTE keys[256] = {};
    GetKeyboardState(keys);
    keys[VK_CONTROL] = control ? 0x80 : 0;
    keys[VK_MENU] = alt ? 0x80 : 0;
    SetKeyboardState(keys);
}

void clickDetailsPicture(SampleWindow& window, bool control, bool alt) {
    holdKeys(control, alt);
    HWND picture = window.control(control::kDetailsPicture);
    SendMessageW(window.window.handle(), WM_COMMAND,
                 MAKEWPARAM(control::kDetailsPicture, STN_CLICKED),
                 reinterpret_cast<LPARAM>(picture));
    holdKeys(false, false);
}

TEST(DetailsPicture, CtrlAltClickShowsTheDetailsAndCtrlClickAloneShowsNothing) {
    SampleWindow window("award-440bx.json");
    {
        ModalScript script;
        clickDetailsPicture(window, true, true);
        EXPECT_TRUE(script.seen().empty()) << "nothing before the first pass";
    }
    getBiosInfo(window);
    {
        ModalScript script;
        clickDetailsPicture(window, true, false);
        EXPECT_TRUE(script.seen().empty());
    }
    ModalScript script;
    clickDetailsPicture(window, true, true);
    ASSERT_EQ(script.seen().size(), 1u);
    EXPECT_EQ(script.seen()[0].title, "Quorvel Romwise");
    EXPECT_EQ(script.seen()[0].text.rfind("DMI Version 2.3\nMotherboard Name: ", 0), 0u)
        << script.seen()[0].text;
}

TEST(SystemMenu, HoldsTheAboutCommandWhichShowsTheAboutBox) {
    SampleWindow window("award-440bx.json");
    HMENU menu = GetSystemMenu(window.window.handle(), FALSE);
    wchar_t text[64] = {};
    ASSERT_GT(GetMenuStringW(menu, kAboutCommandId, text, 64, MF_BYCOMMAND), 0);
    EXPECT_EQ(std::wstring(text), L"&\x5173\x4e8eRomwise...");

    std::string line;
    ModalScript script;
    script.then([&](HWND about) {
        line = windowText(GetDlgItem(about, control::kAboutText));
        EXPECT_NE(SendMessageW(GetWindow(about, GW_CHILD), STM_GETICON, 0, 0), 0) << "its icon";
        testing::press(about, IDOK);
    });
    SendMessageW(window.window.handle(), WM_SYSCOMMAND, kAboutCommandId, 0);
    ASSERT_EQ(script.seen().size(), 1u);
    EXPECT_EQ(script.seen()[0].title, kAboutBoxTemplate.caption);
    EXPECT_EQ(line, "Romwise Version 3.54");
}

TEST(HelpButton, OpensOurPageAndSaysSoWhenThePageIsMissingOrNothingOpensIt) {
    const std::string page = test::hostPath(ROMWISE_HELP_PAGE);
    SampleWindow window("award-440bx.json", std::wstring(page.begin(), page.end()));
    std::wstring asked;
    bool opens = true;
    window.window.setHelpOpener([&](const std::wstring& path) {
        asked = path;
        return opens;
    });
    {
        ModalScript script;
        click(window.control(control::kHelp));
        EXPECT_EQ(asked, std::wstring(page.begin(), page.end()));
        EXPECT_TRUE(script.seen().empty());
    }
    opens = false;
    {
        ModalScript script;
        click(window.control(control::kHelp));
        ASSERT_EQ(script.seen().size(), 1u);
        EXPECT_EQ(script.seen()[0].text, std::string(kHelpPageNotOpened) + "\n" + page);
    }
    SampleWindow missing("award-440bx.json");
    missing.window.setHelpOpener([&](const std::wstring&) { return true; });
    ModalScript script;
    click(missing.control(control::kHelp));
    ASSERT_EQ(script.seen().size(), 1u);
    EXPECT_EQ(script.seen()[0].text, kHelpPageMissing);
}

}  // namespace
}  // namespace romwise::ui::win32

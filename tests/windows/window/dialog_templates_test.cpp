// Every dialog made from its template: the client area, caption and font of
// the template, and each control with its id, class, style, text and the
// rectangle the dialog manager makes of its dialog units.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <cwctype>
#include <string>

#include "ui/common/dialog_templates.h"
#include "ui/win32/dialog_builder.h"
#include "ui/win32/dialog_window.h"
#include "ui/win32/wide_text.h"
#include "window_fixtures.h"

namespace romwise::ui::win32 {
namespace {

using testing::dialogRect;
using testing::kDialogs;
using testing::NamedDialog;
using testing::rectInParent;
using testing::windowText;

std::wstring lower(std::wstring text) {
    for (wchar_t& c : text) {
        c = static_cast<wchar_t>(std::towlower(c));
    }
    return text;
}

std::wstring className(HWND window) {
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    return lower(name);
}

::testing::AssertionResult sameRect(const RECT& actual, const RECT& expected) {
    if (EqualRect(&actual, &expected)) {
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure()
           << "(" << actual.left << "," << actual.top << ")-(" << actual.right << ","
           << actual.bottom << ") instead of (" << expected.left << "," << expected.top << ")-("
           << expected.right << "," << expected.bottom << ")";
}

TEST(DialogTemplates, EveryDialogHasItsTemplatesClientAreaCaptionAndFont) {
    for (const NamedDialog& named : kDialogs) {
        SCOPED_TRACE(named.name);
        const DialogTemplate& dialog = *named.dialog;
        DialogWindow window(dialog);
        HWND handle = window.create(nullptr);
        ASSERT_NE(handle, nullptr);
        RECT client;
        GetClientRect(handle, &client);
        EXPECT_TRUE(sameRect(client, dialogRect(handle, 0, 0, dialog.width, dialog.height)));
        EXPECT_EQ(windowText(handle), dialog.caption);

        LOGFONTW font = {};
        GetObjectW(reinterpret_cast<HFONT>(SendMessageW(handle, WM_GETFONT, 0, 0)), sizeof font,
                   &font);
        EXPECT_EQ(std::wstring(font.lfFaceName), wideFromUtf8(dialog.fontFace));
        HDC screen = GetDC(nullptr);
        EXPECT_EQ(font.lfHeight, -MulDiv(dialog.fontPoints, GetDeviceCaps(screen, LOGPIXELSY), 72));
        ReleaseDC(nullptr, screen);

        const LONG style = GetWindowLongW(handle, GWL_STYLE);
        EXPECT_EQ(style & (WS_CAPTION | WS_SYSMENU), WS_CAPTION | WS_SYSMENU);
        EXPECT_EQ(style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX), 0);
    }
}

TEST(DialogTemplates, EveryControlHasItsIdClassStyleTextAndRectangle) {
    for (const NamedDialog& named : kDialogs) {
        const DialogTemplate& dialog = *named.dialog;
        DialogWindow window(dialog);
        HWND handle = window.create(nullptr);
        ASSERT_NE(handle, nullptr);
        int index = 0;
        for (const ControlTemplate& control : dialog.controls) {
            SCOPED_TRACE(std::string(named.name) + " control " + std::to_string(index) + " (" +
                         std::to_string(control.id) + ")");
            HWND made = window.controlAt(index++);
            ASSERT_NE(made, nullptr);
            EXPECT_EQ(static_cast<int>(GetWindowLongPtrW(made, GWLP_ID)), control.id);
            if (control.id != kNoId) {
                EXPECT_EQ(GetDlgItem(handle, control.id), made);
            }
            const ControlClass expected = controlClass(control.kind);
            EXPECT_EQ(className(made), lower(expected.className));
            // The dialog manager draws a bordered edit or list with the
            // sunken client edge instead of the border.
            auto style = static_cast<DWORD>(GetWindowLongW(made, GWL_STYLE));
            if (GetWindowLongW(made, GWL_EXSTYLE) & WS_EX_CLIENTEDGE) {
                style |= WS_BORDER;
            }
            EXPECT_EQ(style & expected.style, expected.style);
            EXPECT_TRUE(style & WS_VISIBLE);
            EXPECT_EQ(windowText(made), control.text);
            EXPECT_TRUE(sameRect(rectInParent(made), dialogRect(handle, control.x, control.y,
                                                                control.width, control.height)));
        }
        EXPECT_EQ(window.controlAt(index), nullptr)
            << named.name << ": no control beyond the template";
    }
}

// The kinds that decide how the window behaves, as the system sees them.
TEST(DialogTemplates, FieldsAreReadOnlyOutOfTheTabOrderAndTheLargeButtonsOwnerDrawn) {
    DialogWindow window(kMainDialogTemplate, DialogRole::Main);
    HWND handle = window.create(nullptr);
    ASSERT_NE(handle, nullptr);
    const LONG field = GetWindowLongW(GetDlgItem(handle, 1002), GWL_STYLE);
    EXPECT_TRUE(field & ES_READONLY);
    EXPECT_TRUE(field & ES_AUTOHSCROLL);
    EXPECT_FALSE(field & WS_TABSTOP);
    for (const int id : {1004, 1011}) {
        EXPECT_EQ(GetWindowLongW(GetDlgItem(handle, id), GWL_STYLE) & BS_TYPEMASK, BS_OWNERDRAW);
    }
    EXPECT_TRUE(GetWindowLongW(handle, GWL_EXSTYLE) & WS_EX_APPWINDOW) << "in the task bar";
    EXPECT_TRUE(GetWindowLongW(GetDlgItem(handle, 1028), GWL_STYLE) & SS_NOTIFY);

    DialogWindow list(kMoreInfoTemplate);
    HWND listDialog = list.create(nullptr);
    EXPECT_EQ(className(GetDlgItem(listDialog, 1030)), L"syslistview32");
    EXPECT_EQ(GetWindowLongW(GetDlgItem(listDialog, 1030), GWL_STYLE) & LVS_TYPEMASK, LVS_REPORT);
}

}  // namespace
}  // namespace romwise::ui::win32

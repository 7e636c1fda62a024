// Every Chinese text of every dialog draws in glyphs of its own: the
// controls' texts in the font the dialog gives them, the captions in the
// font the frame draws them with. A character that a font and its links
// cannot draw comes out as the font's box (or as nothing), whatever the
// character, just as a character that no font has does.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "ui/win32/dialog_window.h"
#include "ui/win32/wide_text.h"
#include "window_fixtures.h"

namespace romwise::ui::win32 {
namespace {

using testing::kDialogs;
using testing::NamedDialog;
using testing::windowText;

// A noncharacter: no font has a glyph for it.
constexpr wchar_t kNoGlyph = 0xFFFF;
// The square each character is drawn in, large enough for a caption's.
constexpr int kCell = 48;

bool isChinese(wchar_t c) {
    return (c >= 0x2E80 && c <= 0x9FFF) || (c >= 0xF900 && c <= 0xFAFF) ||
           (c >= 0xFF00 && c <= 0xFFEF);
}

// The picture of `text` drawn black on white; an empty text draws nothing.
std::vector<std::uint32_t> drawn(HFONT font, const std::wstring& text) {
    testing::MemoryPicture picture(kCell, kCell);
    const RECT cell = {0, 0, kCell, kCell};
    FillRect(picture.dc(), &cell, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    HGDIOBJ old = SelectObject(picture.dc(), font);
    SetBkMode(picture.dc(), TRANSPARENT);
    TextOutW(picture.dc(), 2, 2, text.c_str(), static_cast<int>(text.size()));
    SelectObject(picture.dc(), old);
    return picture.pixels();
}

// Whether `font` draws every Chinese character of `text` as a glyph of its
// own, neither as the box nor as nothing.
::testing::AssertionResult drawsChinese(HFONT font, const std::string& text) {
    const std::vector<std::uint32_t> box = drawn(font, std::wstring(1, kNoGlyph));
    const std::vector<std::uint32_t> nothing = drawn(font, L"");
    std::string boxed;
    for (const wchar_t c : wideFromUtf8(text)) {
        if (isChinese(c)) {
            const std::vector<std::uint32_t> glyph = drawn(font, std::wstring(1, c));
            if (glyph == box || glyph == nothing) {
                boxed += utf8FromWide(std::wstring(1, c));
            }
        }
    }
    if (boxed.empty()) {
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure() << "\"" << text << "\" draws " << boxed << " as boxes";
}

TEST(ChineseGlyphs, EveryDialogsCaptionAndControlsDrawTheirChineseNotBoxes) {
    NONCLIENTMETRICSW frame = {};
    frame.cbSize = sizeof frame;
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof frame, &frame, 0);
    HFONT caption = CreateFontIndirectW(&frame.lfCaptionFont);
    int checked = 0;
    for (const NamedDialog& named : kDialogs) {
        SCOPED_TRACE(named.name);
        DialogWindow dialog(*named.dialog);
        HWND handle = dialog.create(nullptr);
        ASSERT_NE(handle, nullptr);
        EXPECT_TRUE(drawsChinese(caption, windowText(handle))) << "caption";
        for (HWND child = GetWindow(handle, GW_CHILD); child != nullptr;
             child = GetWindow(child, GW_HWNDNEXT)) {
            const auto font = reinterpret_cast<HFONT>(SendMessageW(child, WM_GETFONT, 0, 0));
            EXPECT_TRUE(drawsChinese(font, windowText(child)));
            ++checked;
        }
    }
    DeleteObject(caption);
    EXPECT_GT(checked, 40) << "every control of every dialog";
}

}  // namespace
}  // namespace romwise::ui::win32

// Every Chinese text of every dialog draws in glyphs of its own: the
// controls' texts in the font the dialog gives them, the captions in the
// font the frame draws them with, the About command in the menu font. A
// character that a font and its links cannot draw comes out as the font's
// box (or as nothing), whatever the character, just as a character that no
// font has does.
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

// Draws one character at a time, black on white.
class GlyphPainter {
  public:
    explicit GlyphPainter(HFONT font) : oldFont_(SelectObject(picture_.dc(), font)) {
        SetBkMode(picture_.dc(), TRANSPARENT);
        SetTextColor(picture_.dc(), RGB(0, 0, 0));
    }
    ~GlyphPainter() { SelectObject(picture_.dc(), oldFont_); }
    GlyphPainter(const GlyphPainter&) = delete;
    GlyphPainter& operator=(const GlyphPainter&) = delete;

    // The picture of `c`; an empty string draws nothing.
    std::vector<std::uint32_t> draw(const std::wstring& c) {
        RECT cell = {0, 0, kCell, kCell};
        FillRect(picture_.dc(), &cell, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        TextOutW(picture_.dc(), 2, 2, c.c_str(), static_cast<int>(c.size()));
        return picture_.pixels();
    }

  private:
    testing::MemoryPicture picture_{kCell, kCell};
    HGDIOBJ oldFont_;
};

// The Chinese characters of `text` that `font` draws as a box or not at all.
::testing::AssertionResult drawsChinese(HFONT font, const std::string& text) {
    GlyphPainter painter(font);
    const std::vector<std::uint32_t> box = painter.draw(std::wstring(1, kNoGlyph));
    const std::vector<std::uint32_t> nothing = painter.draw(L"");
    std::string boxed;
    for (const wchar_t c : wideFromUtf8(text)) {
        if (!isChinese(c)) {
            continue;
        }
        const std::vector<std::uint32_t> glyph = painter.draw(std::wstring(1, c));
        if (glyph == box || glyph == nothing) {
            boxed += utf8FromWide(std::wstring(1, c));
        }
    }
    if (boxed.empty()) {
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure() << "\"" << text << "\" draws " << boxed << " as boxes";
}

// A font of the frame, as SystemParametersInfo describes it.
class FrameFont {
  public:
    explicit FrameFont(LOGFONTW NONCLIENTMETRICSW::*which) {
        NONCLIENTMETRICSW metrics = {};
        metrics.cbSize = sizeof metrics;
        SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
        font_ = CreateFontIndirectW(&(metrics.*which));
    }
    ~FrameFont() { DeleteObject(font_); }
    FrameFont(const FrameFont&) = delete;
    FrameFont& operator=(const FrameFont&) = delete;
    HFONT get() const { return font_; }

  private:
    HFONT font_;
};

TEST(ChineseGlyphs, EveryDialogsCaptionAndControlsDrawTheirChineseNotBoxes) {
    const FrameFont caption(&NONCLIENTMETRICSW::lfCaptionFont);
    int checked = 0;
    for (const NamedDialog& named : kDialogs) {
        SCOPED_TRACE(named.name);
        DialogWindow dialog(*named.dialog);
        HWND handle = dialog.create(nullptr);
        ASSERT_NE(handle, nullptr);
        EXPECT_TRUE(drawsChinese(caption.get(), windowText(handle))) << "caption";
        for (HWND child = GetWindow(handle, GW_CHILD); child != nullptr;
             child = GetWindow(child, GW_HWNDNEXT)) {
            const auto font = reinterpret_cast<HFONT>(SendMessageW(child, WM_GETFONT, 0, 0));
            EXPECT_TRUE(drawsChinese(font, windowText(child)));
            ++checked;
        }
    }
    EXPECT_GT(checked, 40) << "every control of every dialog";
}

TEST(ChineseGlyphs, TheAboutCommandDrawsInTheMenuFont) {
    const FrameFont menu(&NONCLIENTMETRICSW::lfMenuFont);
    EXPECT_TRUE(drawsChinese(menu.get(), kAboutCommandText));
}

}  // namespace
}  // namespace romwise::ui::win32

// The owner-drawn colour button's own drawing of the shared frame plan
// (whose cases are in tests/ui_common), painted as WM_DRAWITEM asks: the
// item's state flags, lines without their end points, the system's focus
// rectangle, the label in its colours and places, and the system colours.
#include <windows.h>

#include <gtest/gtest.h>

#include "ui/win32/color_button.h"
#include "window_fixtures.h"

namespace romwise::ui::win32 {
namespace {

constexpr int kWidth = 100;
constexpr int kHeight = 30;
constexpr COLORREF kRed = RGB(255, 0, 0);

// The button's size, on magenta, in a heavy face so that the label has
// pixels of the full text colour.
struct Canvas : testing::MemoryPicture {
    Canvas() : MemoryPicture(kWidth, kHeight) {
        font = CreateFontW(-20, 0, 0, 0, FW_BOLD, 0, 0, 0, DEFAULT_CHARSET, 0, 0,
                           NONANTIALIASED_QUALITY, 0, L"Tahoma");
        oldFont = SelectObject(dc(), font);
        HBRUSH magenta = CreateSolidBrush(RGB(255, 0, 255));
        const RECT all = {0, 0, kWidth, kHeight};
        FillRect(dc(), &all, magenta);
        DeleteObject(magenta);
    }
    ~Canvas() {
        SelectObject(dc(), oldFont);
        DeleteObject(font);
    }

    HFONT font;
    HGDIOBJ oldFont;
};

class ColorButtonPainting : public ::testing::Test {
  protected:
    void SetUp() override {
        button = CreateWindowExW(0, L"Button", L"Go", WS_POPUP | BS_OWNERDRAW, 0, 0, kWidth,
                                 kHeight, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
        painter.attach(button);
        painter.setColors(kRed, RGB(15, 180, 120));
    }
    void TearDown() override { DestroyWindow(button); }

    void paint(Canvas& canvas, UINT state) {
        DRAWITEMSTRUCT item = {};
        item.CtlType = ODT_BUTTON;
        item.itemAction = ODA_DRAWENTIRE;
        item.itemState = state;
        item.hwndItem = button;
        item.hDC = canvas.dc();
        item.rcItem = {0, 0, kWidth, kHeight};
        painter.drawItem(item);
        GdiFlush();
    }

    // The bounds of the pixels in the label area that are not the face.
    RECT labelBounds(const Canvas& canvas, COLORREF face) {
        RECT bounds = {kWidth, kHeight, 0, 0};
        for (int y = 3; y < kHeight - 3; ++y) {
            for (int x = 5; x < kWidth - 5; ++x) {
                if (canvas.at(x, y) != face) {
                    bounds = {std::min<LONG>(bounds.left, x), std::min<LONG>(bounds.top, y),
                              std::max<LONG>(bounds.right, x + 1),
                              std::max<LONG>(bounds.bottom, y + 1)};
                }
            }
        }
        return bounds;
    }

    bool hasColour(const Canvas& canvas, COLORREF colour) {
        for (int y = 0; y < kHeight; ++y) {
            for (int x = 0; x < kWidth; ++x) {
                if (canvas.at(x, y) == colour) {
                    return true;
                }
            }
        }
        return false;
    }

    // The system's dotted focus rectangle 4 pixels inside: along its top
    // edge every other pixel is the face inverted, in the system's phase.
    static bool hasFocusDots(const Canvas& canvas, COLORREF face) {
        const COLORREF inverted = face ^ 0xFFFFFF;
        const COLORREF first = canvas.at(10, 4);
        const COLORREF second = canvas.at(11, 4);
        return (first == inverted) != (second == inverted) && (first == face || second == face) &&
               canvas.at(12, 4) == first && canvas.at(13, 4) == second;
    }

    HWND button = nullptr;
    ColorButton painter;
};

TEST_F(ColorButtonPainting, DrawsThePlansLinesWithoutEndPointsAndTheSystemsFocusRectangle) {
    Canvas canvas;
    paint(canvas, ODS_FOCUS);
    const ColorButtonColors& c = painter.colors();
    EXPECT_EQ(canvas.at(0, 0), RGB(0, 0, 0));
    EXPECT_EQ(canvas.at(99, 29), RGB(0, 0, 0));
    EXPECT_EQ(canvas.at(1, 1), c.highlight);
    EXPECT_EQ(canvas.at(99, 1), RGB(0, 0, 0)) << "the ring's top edge stops before its end point";
    EXPECT_EQ(canvas.at(98, 28), c.darkShadow);
    EXPECT_TRUE(hasFocusDots(canvas, c.face));
    EXPECT_EQ(canvas.at(3, 3), c.face);
}

TEST_F(ColorButtonPainting, TheItemsStateFlagsChooseThePlan) {
    const ColorButtonColors& c = painter.colors();
    Canvas pressed;
    paint(pressed, ODS_SELECTED | ODS_FOCUS);
    EXPECT_EQ(pressed.at(0, 0), c.darkShadow);
    EXPECT_EQ(pressed.at(1, 1), c.shadow);
    EXPECT_TRUE(hasFocusDots(pressed, c.face));
    Canvas byDefault;
    paint(byDefault, ODS_DEFAULT);
    EXPECT_EQ(byDefault.at(0, 0), RGB(0, 0, 0));
    EXPECT_FALSE(hasFocusDots(byDefault, c.face));
    Canvas resting;
    paint(resting, 0);
    EXPECT_EQ(resting.at(0, 0), c.highlight);
    EXPECT_FALSE(hasFocusDots(resting, c.face));
}

TEST_F(ColorButtonPainting, TheLabelIsInTheTextColourAndMovesOnePixelRightAndDownWhenPressed) {
    Canvas resting;
    Canvas pressed;
    paint(resting, 0);
    paint(pressed, ODS_SELECTED);
    EXPECT_TRUE(hasColour(resting, kRed));
    RECT up = labelBounds(resting, painter.colors().face);
    const RECT down = labelBounds(pressed, painter.colors().face);
    ASSERT_LT(up.left, up.right);
    OffsetRect(&up, 1, 1);
    EXPECT_TRUE(EqualRect(&up, &down));
}

TEST_F(ColorButtonPainting, DisabledButtonIsEmbossedOnTheSystemFaceEvenWithFocus) {
    Canvas canvas;
    paint(canvas, ODS_DISABLED | ODS_FOCUS);
    EXPECT_EQ(canvas.at(0, 0), RGB(0, 0, 0));
    EXPECT_EQ(canvas.at(10, 10), GetSysColor(COLOR_BTNFACE)) << "setColors keeps the system's";
    EXPECT_FALSE(hasColour(canvas, kRed));
    EXPECT_TRUE(hasColour(canvas, RGB(255, 255, 255)));
    EXPECT_TRUE(hasColour(canvas, RGB(128, 128, 128)));
}

TEST_F(ColorButtonPainting, ResetColorsGoesBackToTheSystemsAndTheLabelIsCutAt511Characters) {
    painter.resetColors();
    EXPECT_EQ(painter.colors().face, GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(painter.colors().text, GetSysColor(COLOR_BTNTEXT));
    // A label of 600 characters whose end would show: only the first 511 are drawn.
    std::wstring label(511, L' ');
    label += std::wstring(89, L'W');
    SetWindowTextW(button, label.c_str());
    Canvas canvas;
    paint(canvas, 0);
    EXPECT_EQ(labelBounds(canvas, painter.colors().face).left, kWidth) << "only blanks drawn";
}

}  // namespace
}  // namespace romwise::ui::win32

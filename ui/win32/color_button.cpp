#include "ui/win32/color_button.h"

#include "ui/common/window_texts.h"

namespace romwise::ui::win32 {

namespace {

constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kGrey = RGB(128, 128, 128);

// A 1-pixel line without its end point, in a pen of its own.
void line(HDC dc, int x0, int y0, int x1, int y1, COLORREF color) {
    HPEN pen = CreatePen(PS_SOLID, 1, color);
    HGDIOBJ previous = SelectObject(dc, pen);
    MoveToEx(dc, x0, y0, nullptr);
    LineTo(dc, x1, y1);
    SelectObject(dc, previous);
    DeleteObject(pen);
}

void topEdge(HDC dc, const RECT& r, COLORREF c) {
    line(dc, r.left, r.top, r.right, r.top, c);
}
void leftEdge(HDC dc, const RECT& r, COLORREF c) {
    line(dc, r.left, r.top, r.left, r.bottom, c);
}
void bottomEdge(HDC dc, const RECT& r, COLORREF c) {
    line(dc, r.left, r.bottom - 1, r.right, r.bottom - 1, c);
}
void rightEdge(HDC dc, const RECT& r, COLORREF c) {
    line(dc, r.right - 1, r.top, r.right - 1, r.bottom, c);
}

void allEdges(HDC dc, const RECT& r, COLORREF c) {
    topEdge(dc, r, c);
    leftEdge(dc, r, c);
    bottomEdge(dc, r, c);
    rightEdge(dc, r, c);
}

RECT shrunk(RECT r, int by) {
    InflateRect(&r, -by, -by);
    return r;
}

void raisedFrame(HDC dc, RECT r, const ColorButton::Colors& colors) {
    topEdge(dc, r, colors.highlight);
    leftEdge(dc, r, colors.highlight);
    bottomEdge(dc, r, colors.darkShadow);
    rightEdge(dc, r, colors.darkShadow);
    r = shrunk(r, 1);
    topEdge(dc, r, colors.light);
    leftEdge(dc, r, colors.light);
    bottomEdge(dc, r, colors.shadow);
    rightEdge(dc, r, colors.shadow);
}

void pressedFrame(HDC dc, const RECT& r, const ColorButton::Colors& colors) {
    allEdges(dc, r, colors.darkShadow);
    allEdges(dc, shrunk(r, 1), colors.shadow);
}

// One line, centred both ways, on a transparent background; the device
// context keeps its text colour.
void label(HDC dc, RECT r, const wchar_t* text, int length, COLORREF color) {
    const COLORREF previous = SetTextColor(dc, color);
    DrawTextW(dc, text, length, &r, DT_SINGLELINE | DT_CENTER | DT_VCENTER);
    SetTextColor(dc, previous);
}

}  // namespace

ColorButton::Colors systemButtonColors() {
    return {GetSysColor(COLOR_BTNTEXT),      GetSysColor(COLOR_BTNFACE),
            GetSysColor(COLOR_BTNFACE),      GetSysColor(COLOR_3DLIGHT),
            GetSysColor(COLOR_BTNHIGHLIGHT), GetSysColor(COLOR_BTNSHADOW),
            GetSysColor(COLOR_3DDKSHADOW)};
}

ColorButton::ColorButton() : colors_(systemButtonColors()) {}

void ColorButton::setColors(std::uint32_t text, std::uint32_t face) {
    colors_.text = text;
    colors_.face = face;
    colors_.disabledFace = GetSysColor(COLOR_BTNFACE);
    repaint();
}

void ColorButton::resetColors() {
    colors_ = systemButtonColors();
    repaint();
}

void ColorButton::repaint() const {
    if (button_ != nullptr) {
        InvalidateRect(button_, nullptr, FALSE);
    }
}

void ColorButton::drawItem(const DRAWITEMSTRUCT& item) const {
    HDC dc = item.hDC;
    const RECT whole = item.rcItem;
    const RECT focus = shrunk(whole, 4);
    RECT resting = whole;
    OffsetRect(&resting, -1, -1);
    const RECT pressed = whole;

    const bool selected = (item.itemState & ODS_SELECTED) != 0;
    const bool disabled = (item.itemState & ODS_DISABLED) != 0;
    const bool hasFocus = (item.itemState & ODS_FOCUS) != 0;
    const bool isDefault = (item.itemState & ODS_DEFAULT) != 0;

    wchar_t text[kMaxButtonLabel + 1] = {};
    const int length = GetWindowTextW(item.hwndItem, text, kMaxButtonLabel + 1);

    HBRUSH brush = CreateSolidBrush(disabled ? colors_.disabledFace : colors_.face);
    FillRect(dc, &whole, brush);
    DeleteObject(brush);

    if (selected) {
        pressedFrame(dc, whole, colors_);
    } else if (hasFocus || isDefault) {
        allEdges(dc, whole, kBlack);
        raisedFrame(dc, shrunk(whole, 1), colors_);
    } else {
        raisedFrame(dc, whole, colors_);
    }

    const int previousMode = SetBkMode(dc, TRANSPARENT);
    if (disabled) {
        label(dc, pressed, text, length, kWhite);
        label(dc, resting, text, length, kGrey);
    } else {
        label(dc, selected ? pressed : resting, text, length, colors_.text);
    }
    SetBkMode(dc, previousMode);

    if (hasFocus) {
        DrawFocusRect(dc, &focus);
    }
}

}  // namespace romwise::ui::win32

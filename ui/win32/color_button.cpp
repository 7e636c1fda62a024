#include "ui/win32/color_button.h"

#include "ui/common/window_texts.h"

namespace romwise::ui::win32 {

namespace {

RECT rectOf(const PixelRect& r) {
    return {r.left, r.top, r.right, r.bottom};
}

// A 1-pixel line without its end point, in a pen of its own.
void drawLine(HDC dc, const FrameLine& line) {
    HPEN pen = CreatePen(PS_SOLID, 1, line.color);
    HGDIOBJ previous = SelectObject(dc, pen);
    MoveToEx(dc, line.x0, line.y0, nullptr);
    LineTo(dc, line.x1, line.y1);
    SelectObject(dc, previous);
    DeleteObject(pen);
}

// One line, centred both ways, on a transparent background; the device
// context keeps its text colour.
void label(HDC dc, RECT r, const wchar_t* text, int length, COLORREF color) {
    const COLORREF previous = SetTextColor(dc, color);
    DrawTextW(dc, text, length, &r, DT_SINGLELINE | DT_CENTER | DT_VCENTER);
    SetTextColor(dc, previous);
}

}  // namespace

ColorButtonColors systemButtonColors() {
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
    ColorButtonState state;
    state.selected = (item.itemState & ODS_SELECTED) != 0;
    state.disabled = (item.itemState & ODS_DISABLED) != 0;
    state.focus = (item.itemState & ODS_FOCUS) != 0;
    state.isDefault = (item.itemState & ODS_DEFAULT) != 0;
    const RECT& r = item.rcItem;
    const ColorButtonPlan plan =
        planColorButton({r.left, r.top, r.right, r.bottom}, colors_, state);

    wchar_t text[kMaxButtonLabel + 1] = {};
    const int length = GetWindowTextW(item.hwndItem, text, kMaxButtonLabel + 1);

    const RECT face = rectOf(plan.face);
    HBRUSH brush = CreateSolidBrush(plan.faceColor);
    FillRect(dc, &face, brush);
    DeleteObject(brush);

    for (const FrameLine& line : plan.frame()) {
        drawLine(dc, line);
    }

    const int previousMode = SetBkMode(dc, TRANSPARENT);
    for (const LabelDrawing& drawing : plan.labelDrawings()) {
        label(dc, rectOf(drawing.rect), text, length, drawing.color);
    }
    SetBkMode(dc, previousMode);

    if (plan.hasFocusRectangle) {
        const RECT focus = rectOf(plan.focusRectangle);
        DrawFocusRect(dc, &focus);
    }
}

}  // namespace romwise::ui::win32

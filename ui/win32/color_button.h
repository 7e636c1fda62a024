// The owner-drawn push button with a face and a label colour of its own:
// the window attaches one to each of its two large buttons and paints them
// when the dialog receives WM_DRAWITEM, rendering the frame plan both
// windows share (ui/common/color_button_plan.h) with GDI.
#pragma once

#include <windows.h>

#include <cstdint>

#include "ui/common/color_button_plan.h"

namespace romwise::ui::win32 {

class ColorButton {
  public:
    // Takes the system's colours.
    ColorButton();

    // The button control (BS_OWNERDRAW) this object paints.
    void attach(HWND button) { button_ = button; }
    HWND button() const { return button_; }

    void setColors(std::uint32_t text, std::uint32_t face);
    void resetColors();
    const ColorButtonColors& colors() const { return colors_; }

    // Paints the whole button as the item asks: face, frame, label and focus
    // rectangle, with one pen per edge and one brush, nothing kept.
    void drawItem(const DRAWITEMSTRUCT& item) const;

  private:
    void repaint() const;

    HWND button_ = nullptr;
    ColorButtonColors colors_;
};

// The system's button colours, as a new button takes them.
ColorButtonColors systemButtonColors();

}  // namespace romwise::ui::win32

// The owner-drawn push button with a face and a label colour of its own:
// the window attaches one to each of its two large buttons and paints them
// when the dialog receives WM_DRAWITEM.
#pragma once

#include <windows.h>

#include <cstdint>

namespace romwise::ui::win32 {

class ColorButton {
  public:
    // Colours in the 00BBGGRR layout; the constructor takes the system's.
    struct Colors {
        std::uint32_t text;
        std::uint32_t face;
        std::uint32_t disabledFace;
        std::uint32_t light;       // inner top-left edge of the raised frame
        std::uint32_t highlight;   // outer top-left edge of the raised frame
        std::uint32_t shadow;      // inner bottom-right edge; inner ring when pressed
        std::uint32_t darkShadow;  // outer bottom-right edge; outer ring when pressed
    };

    ColorButton();

    // The button control (BS_OWNERDRAW) this object paints.
    void attach(HWND button) { button_ = button; }
    HWND button() const { return button_; }

    void setColors(std::uint32_t text, std::uint32_t face);
    void resetColors();
    const Colors& colors() const { return colors_; }

    // Paints the whole button as the item asks: face, frame, label and focus
    // rectangle, with one pen per edge and one brush, nothing kept.
    void drawItem(const DRAWITEMSTRUCT& item) const;

  private:
    void repaint() const;

    HWND button_ = nullptr;
    Colors colors_;
};

// The system's button colours, as a new button takes them.
ColorButton::Colors systemButtonColors();

}  // namespace romwise::ui::win32

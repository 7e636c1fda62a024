// A push button that paints itself with a face and a label colour of its
// own, so the window can move a highlight from button to button.
#pragma once

#include <QPalette>
#include <QPushButton>
#include <QRect>
#include <QString>
#include <cstdint>

#include "ui/common/window_texts.h"

class QPainter;

namespace romwise::ui {

// Colours in the 00BBGGRR layout.
struct ColorButtonColors {
    std::uint32_t text;
    std::uint32_t face;
    std::uint32_t disabledFace;
    std::uint32_t light;       // inner top-left edge of the raised frame
    std::uint32_t highlight;   // outer top-left edge of the raised frame
    std::uint32_t shadow;      // inner bottom-right edge; inner ring when pressed
    std::uint32_t darkShadow;  // outer bottom-right edge; outer ring when pressed
};

struct ColorButtonState {
    bool selected = false;  // held down
    bool disabled = false;
    bool focus = false;
    bool isDefault = false;
};

QColor colorFromBgr(std::uint32_t value);
std::uint32_t bgrFromColor(const QColor& color);

// The platform's button colours, as a freshly made button takes them.
ColorButtonColors systemButtonColors(const QPalette& palette);

// Paints the whole button into `rect`: face, frame, label and focus mark.
void drawColorButton(QPainter& painter, const QRect& rect, const ColorButtonColors& colors,
                     const ColorButtonState& state, const QString& text);

class ColorButton : public QPushButton {
  public:
    explicit ColorButton(const QString& text, QWidget* parent = nullptr);

    void setColors(std::uint32_t text, std::uint32_t face);
    void resetColors();
    const ColorButtonColors& colors() const { return colors_; }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    ColorButtonColors colors_;
};

}  // namespace romwise::ui

// A push button that paints itself with a face and a label colour of its
// own, so the window can move a highlight from button to button. It renders
// the frame plan both windows share (ui/common/color_button_plan.h) with a
// QPainter.
#pragma once

#include <QPalette>
#include <QPushButton>
#include <QRect>
#include <QString>
#include <cstdint>

#include "ui/common/color_button_plan.h"

class QPainter;

namespace romwise::ui {

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

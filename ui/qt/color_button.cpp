#include "ui/qt/color_button.h"

#include <QPainter>
#include <QPen>

#include "ui/common/window_texts.h"

namespace romwise::ui {

namespace {

QRect qRectOf(const PixelRect& r) {
    return QRect(r.left, r.top, r.right - r.left, r.bottom - r.top);
}

// A 1-pixel line without its end point, horizontal or vertical.
void drawLine(QPainter& painter, const FrameLine& line) {
    const QColor c = colorFromBgr(line.color);
    if (line.y0 == line.y1 && line.x1 > line.x0) {
        painter.fillRect(QRect(line.x0, line.y0, line.x1 - line.x0, 1), c);
    } else if (line.x0 == line.x1 && line.y1 > line.y0) {
        painter.fillRect(QRect(line.x0, line.y0, 1, line.y1 - line.y0), c);
    }
}

void label(QPainter& painter, const QRect& rect, const QString& text, std::uint32_t color) {
    painter.save();
    painter.setPen(colorFromBgr(color));
    painter.drawText(rect, Qt::AlignCenter | Qt::TextSingleLine | Qt::TextShowMnemonic, text);
    painter.restore();
}

// The platform's dotted focus mark: every other pixel of the rectangle's
// outline inverted, in a checkerboard aligned to the painting origin.
void focusRectangle(QPainter& painter, const PixelRect& e) {
    if (e.right - e.left < 1 || e.bottom - e.top < 1) {
        return;
    }
    painter.save();
    painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    painter.setPen(QPen(Qt::white, 1));
    auto dot = [&](int x, int y) {
        if (((x + y) & 1) == 0) {
            painter.drawPoint(x, y);
        }
    };
    for (int x = e.left; x < e.right; ++x) {
        dot(x, e.top);
        if (e.bottom - 1 != e.top) {
            dot(x, e.bottom - 1);
        }
    }
    for (int y = e.top + 1; y < e.bottom - 1; ++y) {
        dot(e.left, y);
        if (e.right - 1 != e.left) {
            dot(e.right - 1, y);
        }
    }
    painter.restore();
}

// The label is drawn as one line: line breaks become blanks, and only the
// first 511 characters count.
QString singleLineLabel(const QString& text) {
    QString cut = text.left(kMaxButtonLabel);
    cut.replace(QLatin1Char('\r'), QLatin1Char(' '));
    cut.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return cut;
}

}  // namespace

QColor colorFromBgr(std::uint32_t value) {
    return QColor(static_cast<int>(value & 0xFF), static_cast<int>((value >> 8) & 0xFF),
                  static_cast<int>((value >> 16) & 0xFF));
}

std::uint32_t bgrFromColor(const QColor& color) {
    return static_cast<std::uint32_t>(color.red()) |
           (static_cast<std::uint32_t>(color.green()) << 8) |
           (static_cast<std::uint32_t>(color.blue()) << 16);
}

ColorButtonColors systemButtonColors(const QPalette& palette) {
    auto role = [&](QPalette::ColorRole r) {
        return bgrFromColor(palette.color(QPalette::Active, r));
    };
    return {role(QPalette::ButtonText), role(QPalette::Button), role(QPalette::Button),
            role(QPalette::Midlight),   role(QPalette::Light),  role(QPalette::Dark),
            role(QPalette::Shadow)};
}

void drawColorButton(QPainter& painter, const QRect& rect, const ColorButtonColors& colors,
                     const ColorButtonState& state, const QString& text) {
    const PixelRect button = {rect.left(), rect.top(), rect.left() + rect.width(),
                              rect.top() + rect.height()};
    const ColorButtonPlan plan = planColorButton(button, colors, state);
    const QString caption = singleLineLabel(text);

    painter.fillRect(qRectOf(plan.face), colorFromBgr(plan.faceColor));
    for (const FrameLine& line : plan.frame()) {
        drawLine(painter, line);
    }
    for (const LabelDrawing& drawing : plan.labelDrawings()) {
        label(painter, qRectOf(drawing.rect), caption, drawing.color);
    }
    if (plan.hasFocusRectangle) {
        focusRectangle(painter, plan.focusRectangle);
    }
}

ColorButton::ColorButton(const QString& text, QWidget* parent)
    : QPushButton(text, parent), colors_(systemButtonColors(palette())) {}

void ColorButton::setColors(std::uint32_t text, std::uint32_t face) {
    colors_.text = text;
    colors_.face = face;
    colors_.disabledFace = systemButtonColors(palette()).disabledFace;
    update();
}

void ColorButton::resetColors() {
    colors_ = systemButtonColors(palette());
    update();
}

void ColorButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    ColorButtonState state;
    state.selected = isDown();
    state.disabled = !isEnabled();
    state.focus = hasFocus();
    state.isDefault = isDefault();
    drawColorButton(painter, rect(), colors_, state, text());
}

}  // namespace romwise::ui

#include "ui/qt/color_button.h"

#include <QPainter>
#include <QPen>

namespace romwise::ui {

namespace {

constexpr std::uint32_t kBlack = 0x000000;
constexpr std::uint32_t kWhite = 0xFFFFFF;
constexpr std::uint32_t kGrey = 0x808080;

// A rectangle with exclusive right and bottom edges, like the platform's.
struct Edges {
    int left, top, right, bottom;

    Edges shrunk(int by) const { return {left + by, top + by, right - by, bottom - by}; }
};

Edges edgesOf(const QRect& rect) {
    return {rect.left(), rect.top(), rect.left() + rect.width(), rect.top() + rect.height()};
}

// A 1-pixel line from (x0, y0) towards (x1, y1), without its end point;
// lines are only ever horizontal or vertical here.
void line(QPainter& painter, int x0, int y0, int x1, int y1, std::uint32_t color) {
    const QColor c = colorFromBgr(color);
    if (y0 == y1 && x1 > x0) {
        painter.fillRect(QRect(x0, y0, x1 - x0, 1), c);
    } else if (x0 == x1 && y1 > y0) {
        painter.fillRect(QRect(x0, y0, 1, y1 - y0), c);
    }
}

void topEdge(QPainter& p, const Edges& e, std::uint32_t c) {
    line(p, e.left, e.top, e.right, e.top, c);
}
void leftEdge(QPainter& p, const Edges& e, std::uint32_t c) {
    line(p, e.left, e.top, e.left, e.bottom, c);
}
void bottomEdge(QPainter& p, const Edges& e, std::uint32_t c) {
    line(p, e.left, e.bottom - 1, e.right, e.bottom - 1, c);
}
void rightEdge(QPainter& p, const Edges& e, std::uint32_t c) {
    line(p, e.right - 1, e.top, e.right - 1, e.bottom, c);
}

void allEdges(QPainter& p, const Edges& e, std::uint32_t c) {
    topEdge(p, e, c);
    leftEdge(p, e, c);
    bottomEdge(p, e, c);
    rightEdge(p, e, c);
}

void raisedFrame(QPainter& p, Edges e, const ColorButtonColors& colors) {
    topEdge(p, e, colors.highlight);
    leftEdge(p, e, colors.highlight);
    bottomEdge(p, e, colors.darkShadow);
    rightEdge(p, e, colors.darkShadow);
    e = e.shrunk(1);
    topEdge(p, e, colors.light);
    leftEdge(p, e, colors.light);
    bottomEdge(p, e, colors.shadow);
    rightEdge(p, e, colors.shadow);
}

void pressedFrame(QPainter& p, Edges e, const ColorButtonColors& colors) {
    allEdges(p, e, colors.darkShadow);
    allEdges(p, e.shrunk(1), colors.shadow);
}

void label(QPainter& painter, const QRect& rect, const QString& text, std::uint32_t color) {
    painter.save();
    painter.setPen(colorFromBgr(color));
    painter.drawText(rect, Qt::AlignCenter | Qt::TextSingleLine | Qt::TextShowMnemonic, text);
    painter.restore();
}

// The platform's dotted focus mark: every other pixel of the rectangle's
// outline inverted, in a checkerboard aligned to the painting origin.
void focusRectangle(QPainter& painter, const Edges& e) {
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
    const Edges whole = edgesOf(rect);
    const QRect restingLabel = rect.translated(-1, -1);
    const QRect pressedLabel = rect;
    const QString caption = singleLineLabel(text);

    painter.fillRect(rect, colorFromBgr(state.disabled ? colors.disabledFace : colors.face));

    if (state.selected) {
        pressedFrame(painter, whole, colors);
    } else if (state.focus || state.isDefault) {
        allEdges(painter, whole, kBlack);
        raisedFrame(painter, whole.shrunk(1), colors);
    } else {
        raisedFrame(painter, whole, colors);
    }

    if (state.disabled) {
        label(painter, pressedLabel, caption, kWhite);
        label(painter, restingLabel, caption, kGrey);
    } else {
        label(painter, state.selected ? pressedLabel : restingLabel, caption, colors.text);
    }

    if (state.focus) {
        focusRectangle(painter, whole.shrunk(4));
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

// What the colour button draws, as data: for a button rectangle, its colours
// and its state, the face, every 1-pixel frame line in drawing order, the
// label's drawings and the focus rectangle. The Qt and the Win32 button each
// render the plan with their own painter and draw the label text in it.
#pragma once

#include <array>
#include <cstdint>
#include <span>

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

// A rectangle with exclusive right and bottom edges, like the platform's.
struct PixelRect {
    int left, top, right, bottom;

    constexpr PixelRect shrunk(int by) const {
        return {left + by, top + by, right - by, bottom - by};
    }
    constexpr PixelRect moved(int dx, int dy) const {
        return {left + dx, top + dy, right + dx, bottom + dy};
    }
    bool operator==(const PixelRect&) const = default;
};

// A 1-pixel line from (x0, y0) towards (x1, y1), without its end point;
// horizontal or vertical, never slanted.
struct FrameLine {
    int x0, y0, x1, y1;
    std::uint32_t color;
    bool operator==(const FrameLine&) const = default;
};

// One drawing of the label: a single line centred both ways in `rect`, on a
// transparent background.
struct LabelDrawing {
    PixelRect rect;
    std::uint32_t color;
};

// The black outline and the two rings of the raised frame, four edges each.
inline constexpr int kMaxFrameLines = 12;

struct ColorButtonPlan {
    PixelRect face;
    std::uint32_t faceColor;
    // Later lines are drawn over earlier ones, and each takes a pen of its own.
    std::array<FrameLine, kMaxFrameLines> lines;
    int lineCount;
    // The disabled label is drawn twice (embossed), the enabled one once.
    std::array<LabelDrawing, 2> labels;
    int labelCount;
    bool hasFocusRectangle;
    PixelRect focusRectangle;  // the platform's dotted focus mark goes here

    std::span<const FrameLine> frame() const {
        return {lines.data(), static_cast<std::size_t>(lineCount)};
    }
    std::span<const LabelDrawing> labelDrawings() const {
        return {labels.data(), static_cast<std::size_t>(labelCount)};
    }
};

ColorButtonPlan planColorButton(const PixelRect& button, const ColorButtonColors& colors,
                                const ColorButtonState& state);

}  // namespace romwise::ui

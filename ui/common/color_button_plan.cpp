#include "ui/common/color_button_plan.h"

namespace romwise::ui {

namespace {

constexpr std::uint32_t kBlack = 0x000000;
constexpr std::uint32_t kWhite = 0xFFFFFF;
constexpr std::uint32_t kGrey = 0x808080;

class FramePlan {
  public:
    explicit FramePlan(ColorButtonPlan& plan) : plan_(plan) {}

    void topEdge(const PixelRect& r, std::uint32_t c) { add({r.left, r.top, r.right, r.top, c}); }
    void leftEdge(const PixelRect& r, std::uint32_t c) {
        add({r.left, r.top, r.left, r.bottom, c});
    }
    void bottomEdge(const PixelRect& r, std::uint32_t c) {
        add({r.left, r.bottom - 1, r.right, r.bottom - 1, c});
    }
    void rightEdge(const PixelRect& r, std::uint32_t c) {
        add({r.right - 1, r.top, r.right - 1, r.bottom, c});
    }

    void allEdges(const PixelRect& r, std::uint32_t c) {
        topEdge(r, c);
        leftEdge(r, c);
        bottomEdge(r, c);
        rightEdge(r, c);
    }

    void raisedFrame(const PixelRect& r, const ColorButtonColors& colors) {
        topEdge(r, colors.highlight);
        leftEdge(r, colors.highlight);
        bottomEdge(r, colors.darkShadow);
        rightEdge(r, colors.darkShadow);
        const PixelRect inner = r.shrunk(1);
        topEdge(inner, colors.light);
        leftEdge(inner, colors.light);
        bottomEdge(inner, colors.shadow);
        rightEdge(inner, colors.shadow);
    }

    void pressedFrame(const PixelRect& r, const ColorButtonColors& colors) {
        allEdges(r, colors.darkShadow);
        allEdges(r.shrunk(1), colors.shadow);
    }

  private:
    void add(const FrameLine& line) {
        plan_.lines[static_cast<std::size_t>(plan_.lineCount++)] = line;
    }

    ColorButtonPlan& plan_;
};

}  // namespace

ColorButtonPlan planColorButton(const PixelRect& button, const ColorButtonColors& colors,
                                const ColorButtonState& state) {
    ColorButtonPlan plan{};
    plan.face = button;
    plan.faceColor = state.disabled ? colors.disabledFace : colors.face;

    FramePlan frame(plan);
    if (state.selected) {
        frame.pressedFrame(button, colors);
    } else if (state.focus || state.isDefault) {
        frame.allEdges(button, kBlack);
        frame.raisedFrame(button.shrunk(1), colors);
    } else {
        frame.raisedFrame(button, colors);
    }

    // The label rests 1 pixel up and left of the pressed one, so that it
    // moves right and down while the button is held.
    const PixelRect pressedLabel = button;
    const PixelRect restingLabel = button.moved(-1, -1);
    if (state.disabled) {
        // Embossed: white below, grey above.
        plan.labels = {LabelDrawing{pressedLabel, kWhite}, LabelDrawing{restingLabel, kGrey}};
        plan.labelCount = 2;
    } else {
        plan.labels[0] = {state.selected ? pressedLabel : restingLabel, colors.text};
        plan.labelCount = 1;
    }

    plan.hasFocusRectangle = state.focus;
    plan.focusRectangle = button.shrunk(4);
    return plan;
}

}  // namespace romwise::ui

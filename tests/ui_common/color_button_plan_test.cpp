// The colour button's frame plan, which both windows render: the face, the
// frame rings and which edge wins each corner, the black outline, the focus
// rectangle, the embossed disabled label and the 1-pixel press offset. The
// plan's lines are put on a grid of pixels here as the platform draws lines
// (without their end points), so each case reads as the pixels a button shows.
#include "ui/common/color_button_plan.h"

#include <gtest/gtest.h>

#include <vector>

#include "button_colors.h"

namespace romwise::ui {
namespace {

constexpr int kWidth = 100;
constexpr int kHeight = 30;
constexpr PixelRect kButton = {0, 0, kWidth, kHeight};
constexpr std::uint32_t kBlack = 0x000000;

constexpr const ColorButtonColors& kColors = testing::kButtonColors;

// The face and the frame of a plan, pixel by pixel.
class Pixels {
  public:
    explicit Pixels(const ColorButtonPlan& plan)
        : pixels_(static_cast<std::size_t>(kWidth * kHeight), plan.faceColor) {
        EXPECT_EQ(plan.face, kButton);
        for (const FrameLine& line : plan.frame()) {
            EXPECT_TRUE(line.x0 == line.x1 || line.y0 == line.y1) << "slanted line";
            for (int x = line.x0, y = line.y0; x < line.x1 || y < line.y1;
                 x += line.x0 < line.x1 ? 1 : 0, y += line.y0 < line.y1 ? 1 : 0) {
                pixels_[static_cast<std::size_t>(y * kWidth + x)] = line.color;
            }
        }
    }
    std::uint32_t at(int x, int y) const {
        return pixels_[static_cast<std::size_t>(y * kWidth + x)];
    }

  private:
    std::vector<std::uint32_t> pixels_;
};

ColorButtonPlan plan(const ColorButtonState& state) {
    return planColorButton(kButton, kColors, state);
}

TEST(ColorButtonPlan, RestingButtonHasTheRaisedFrameWithBottomRightEdgesWinningCorners) {
    const ColorButtonPlan resting = plan({});
    const Pixels pixels(resting);
    EXPECT_EQ(pixels.at(0, 0), kColors.highlight);
    EXPECT_EQ(pixels.at(0, 15), kColors.highlight);
    EXPECT_EQ(pixels.at(99, 0), kColors.darkShadow);  // top edge, then right edge over it
    EXPECT_EQ(pixels.at(0, 29), kColors.darkShadow);  // left edge, then bottom edge
    EXPECT_EQ(pixels.at(99, 29), kColors.darkShadow);
    EXPECT_EQ(pixels.at(1, 1), kColors.light);
    EXPECT_EQ(pixels.at(98, 28), kColors.shadow);
    EXPECT_EQ(pixels.at(2, 2), kColors.face);
    EXPECT_FALSE(resting.hasFocusRectangle);
    ASSERT_EQ(resting.labelDrawings().size(), 1u);
    EXPECT_EQ(resting.labels[0].rect, kButton.moved(-1, -1));
    EXPECT_EQ(resting.labels[0].color, kColors.text);
}

TEST(ColorButtonPlan, FocusAndDefaultAddTheBlackOutlineOnlyFocusTheFocusRectangle) {
    const ColorButtonPlan focused = plan({.focus = true});
    const Pixels pixels(focused);
    EXPECT_EQ(pixels.at(0, 0), kBlack);
    EXPECT_EQ(pixels.at(99, 29), kBlack);
    EXPECT_EQ(pixels.at(1, 1), kColors.highlight);
    EXPECT_EQ(pixels.at(2, 2), kColors.light);
    EXPECT_EQ(pixels.at(98, 28), kColors.darkShadow);
    EXPECT_EQ(pixels.at(97, 27), kColors.shadow);
    EXPECT_EQ(pixels.at(3, 3), kColors.face);
    EXPECT_TRUE(focused.hasFocusRectangle);
    EXPECT_EQ(focused.focusRectangle, (PixelRect{4, 4, 96, 26}));
    EXPECT_EQ(focused.frame().size(), static_cast<std::size_t>(kMaxFrameLines));

    const ColorButtonPlan byDefault = plan({.isDefault = true});
    EXPECT_EQ(Pixels(byDefault).at(0, 0), kBlack);
    EXPECT_EQ(Pixels(byDefault).at(1, 1), kColors.highlight);
    EXPECT_FALSE(byDefault.hasFocusRectangle);
}

TEST(ColorButtonPlan, PressedButtonHasTheSunkenRingsNeverTheOutlineAndTheLabelOnePixelLower) {
    const ColorButtonPlan pressed = plan({.selected = true, .focus = true, .isDefault = true});
    const Pixels pixels(pressed);
    EXPECT_EQ(pixels.at(0, 0), kColors.darkShadow);
    EXPECT_EQ(pixels.at(99, 29), kColors.darkShadow);
    EXPECT_EQ(pixels.at(1, 1), kColors.shadow);
    EXPECT_EQ(pixels.at(98, 28), kColors.shadow);
    EXPECT_EQ(pixels.at(2, 2), kColors.face);
    EXPECT_TRUE(pressed.hasFocusRectangle);
    // One pixel right and down of the resting label.
    ASSERT_EQ(pressed.labelDrawings().size(), 1u);
    EXPECT_EQ(pressed.labels[0].rect, kButton);
    EXPECT_EQ(pressed.labels[0].color, kColors.text);
}

TEST(ColorButtonPlan, DisabledButtonIsEmbossedOnTheDisabledFaceEvenWithFocus) {
    const ColorButtonPlan disabled = plan({.disabled = true, .focus = true});
    const Pixels pixels(disabled);
    EXPECT_EQ(pixels.at(0, 0), kBlack);
    EXPECT_EQ(pixels.at(1, 1), kColors.highlight);
    EXPECT_EQ(pixels.at(10, 10), kColors.disabledFace);
    // White in the pressed place first, then grey in the resting one over it.
    ASSERT_EQ(disabled.labelDrawings().size(), 2u);
    EXPECT_EQ(disabled.labels[0].rect, kButton);
    EXPECT_EQ(disabled.labels[0].color, 0xFFFFFFu);
    EXPECT_EQ(disabled.labels[1].rect, kButton.moved(-1, -1));
    EXPECT_EQ(disabled.labels[1].color, 0x808080u);
}

}  // namespace
}  // namespace romwise::ui

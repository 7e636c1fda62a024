// The Qt colour button's own drawing of the shared frame plan (whose cases
// are in tests/ui_common): lines without their end points, the dotted focus
// rectangle, the label in its colours and places, and the widget's colours.
#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>

#include "../ui_common/button_colors.h"
#include "ui/qt/color_button.h"

namespace romwise::ui {
namespace {

constexpr int kWidth = 100;
constexpr int kHeight = 30;

constexpr const ColorButtonColors& kColors = testing::kButtonColors;

QImage paint(const ColorButtonState& state, const QString& text = QStringLiteral("Go")) {
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    image.fill(Qt::magenta);
    QPainter painter(&image);
    // A heavy face, so the label has pixels of the full text colour.
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(18);
    font.setBold(true);
    font.setStyleStrategy(QFont::NoAntialias);
    painter.setFont(font);
    drawColorButton(painter, image.rect(), kColors, state, text);
    return image;
}

std::uint32_t at(const QImage& image, int x, int y) {
    return bgrFromColor(image.pixelColor(x, y));
}

std::uint32_t inverted(std::uint32_t color) {
    return color ^ 0xFFFFFF;
}

// Pixels of the label area that differ from `background`.
QRect labelBounds(const QImage& image, std::uint32_t background) {
    QRect bounds;
    for (int y = 3; y < kHeight - 3; ++y) {
        for (int x = 3; x < kWidth - 3; ++x) {
            if (at(image, x, y) != background) {
                bounds |= QRect(x, y, 1, 1);
            }
        }
    }
    return bounds;
}

bool hasReddish(const QImage& image) {
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            const QColor c = image.pixelColor(x, y);
            if (c.red() > 200 && c.green() < 80 && c.blue() < 80) {
                return true;
            }
        }
    }
    return false;
}

TEST(ColorButtonPainting, DrawsThePlansLinesWithoutEndPointsAndTheDottedFocusRectangle) {
    ColorButtonState state;
    state.focus = true;
    const QImage image = paint(state);
    EXPECT_EQ(at(image, 0, 0), 0x000000u);
    EXPECT_EQ(at(image, 99, 29), 0x000000u);
    EXPECT_EQ(at(image, 1, 1), kColors.highlight);
    EXPECT_EQ(at(image, 99, 1), 0x000000u) << "the ring's top edge stops before its end point";
    EXPECT_EQ(at(image, 98, 28), kColors.darkShadow);
    // Focus rectangle 4 pixels inside, every other pixel inverted.
    EXPECT_EQ(at(image, 4, 4), inverted(kColors.face));
    EXPECT_EQ(at(image, 5, 4), kColors.face);
    EXPECT_EQ(at(image, 6, 4), inverted(kColors.face));
    EXPECT_EQ(at(image, 4, 6), inverted(kColors.face));
    EXPECT_EQ(at(image, 95, 25), inverted(kColors.face));
    EXPECT_EQ(at(image, 3, 3), kColors.face);
}

TEST(ColorButtonPainting, TheLabelIsInTheTextColourAndMovesOnePixelRightAndDownWhenPressed) {
    ColorButtonState pressed;
    pressed.selected = true;
    const QImage image = paint({});
    EXPECT_TRUE(hasReddish(image));
    const QRect resting = labelBounds(image, kColors.face);
    const QRect held = labelBounds(paint(pressed), kColors.face);
    ASSERT_FALSE(resting.isEmpty());
    EXPECT_EQ(held, resting.translated(1, 1));
}

TEST(ColorButtonPainting, DisabledLabelIsEmbossedInWhiteAndGreyOnTheDisabledFace) {
    ColorButtonState state;
    state.disabled = true;
    state.focus = true;
    const QImage image = paint(state);
    EXPECT_EQ(at(image, 10, 10), kColors.disabledFace);
    EXPECT_FALSE(hasReddish(image));
    bool white = false;
    bool grey = false;
    for (int y = 3; y < kHeight - 3; ++y) {
        for (int x = 5; x < kWidth - 5; ++x) {
            white = white || at(image, x, y) == 0xFFFFFF;
            grey = grey || at(image, x, y) == 0x808080;
        }
    }
    EXPECT_TRUE(white);
    EXPECT_TRUE(grey);
}

TEST(ColorButtonPainting, LineBreaksAreDrawnAsOneLine) {
    EXPECT_EQ(paint({}, QStringLiteral("A\nB")), paint({}, QStringLiteral("A B")));
}

TEST(ColorButtonWidget, DisabledButtonShowsTheSystemFaceUntilEnabled) {
    ColorButton button(QStringLiteral("X"));
    button.resize(kWidth, kHeight);
    button.setEnabled(false);
    button.setColors(0x010101, 0x78B40F);
    const std::uint32_t systemFace = systemButtonColors(button.palette()).face;
    EXPECT_EQ(bgrFromColor(button.grab().toImage().pixelColor(10, 10)), systemFace);
    button.setEnabled(true);
    EXPECT_EQ(bgrFromColor(button.grab().toImage().pixelColor(10, 10)), 0x78B40Fu);
    button.resetColors();
    EXPECT_EQ(bgrFromColor(button.grab().toImage().pixelColor(10, 10)), systemFace);
    EXPECT_EQ(button.colors().text, systemButtonColors(button.palette()).text);
}

TEST(ColorButtonWidget, ColoursConvertFromTheBlueGreenRedLayout) {
    EXPECT_EQ(colorFromBgr(0x78B40F), QColor(15, 180, 120));
    EXPECT_EQ(bgrFromColor(QColor(15, 180, 120)), 0x78B40Fu);
}

}  // namespace
}  // namespace romwise::ui

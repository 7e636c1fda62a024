// Layout from dialog units: the base units of the substituted dialog font,
// control geometry, ids, texts and the window's caption and frame.
#include <gtest/gtest.h>

#include <QFontInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "model/control_ids.h"
#include "ui/qt/dialog_font.h"
#include "ui/qt/dialog_units.h"
#include "window_fixtures.h"

namespace romwise::ui {
namespace {

using testing::SampleWindow;

TEST(DialogUnits, SongFaceAtTenPointGivesSevenByThirteenAndTheMainTemplateSize) {
    const QFont font = dialogFont(kSongFaceName, 10);
    EXPECT_EQ(QFontInfo(font).family(), QString::fromUtf8(kSongFaceStandIn));
    const DialogBaseUnits units = dialogBaseUnits(font);
    EXPECT_EQ(units.width, 7);
    EXPECT_EQ(units.height, 13);
    EXPECT_EQ(dialogSizeToPixels(units, 328, 286), QSize(574, 465));
    // The Latin name maps to the same face.
    EXPECT_EQ(QFontInfo(dialogFont(kSongFaceLatinName, 10)).family(),
              QString::fromUtf8(kSongFaceStandIn));
}

TEST(DialogUnits, ConversionRoundsHalvesAwayFromZero) {
    EXPECT_EQ(mulDiv(206, 7, 4), 361);  // 360.5
    EXPECT_EQ(mulDiv(45, 13, 8), 73);   // 73.125
    EXPECT_EQ(mulDiv(-206, 7, 4), -361);
    EXPECT_EQ(mulDiv(5, 3, 0), -1);
    // Position and size are converted separately.
    EXPECT_EQ(dialogRectToPixels({7, 13}, 115, 45, 206, 12), QRect(201, 73, 361, 20));
}

TEST(MainWindowLayout, ClientAreaCaptionAndFrameFollowTheTemplate) {
    SampleWindow window("award-440bx.json");
    EXPECT_EQ(window.dialog.size(), QSize(574, 465));
    EXPECT_EQ(window.dialog.windowTitle(), QStringLiteral("Quorvel Romwise Version 3.54"));
    const Qt::WindowFlags flags = window.dialog.windowFlags();
    EXPECT_FALSE(flags.testFlag(Qt::WindowMinimizeButtonHint));
    EXPECT_FALSE(flags.testFlag(Qt::WindowMaximizeButtonHint));
    EXPECT_TRUE(flags.testFlag(Qt::WindowCloseButtonHint));
    EXPECT_FALSE(window.dialog.windowIcon().isNull());
}

TEST(MainWindowLayout, ControlsSitAtTheirDialogUnitPositions) {
    SampleWindow window("award-440bx.json");
    struct Expected {
        int id;
        QRect pixels;
    };
    // x * 7 / 4 and y * 13 / 8, each rounded.
    const Expected expected[] = {
        {control::kBiosId, QRect(201, 73, 361, 20)},
        {control::kSuperIo, QRect(203, 135, 359, 20)},
        {control::kGetBiosInfo, QRect(12, 358, 98, 36)},
        {control::kSubmit, QRect(368, 358, 193, 65)},
        {control::kDetailsPicture, QRect(12, 11, 100, 185)},
        {control::kLogo, QRect(418, 11, 144, 59)},
        {control::kPrint, QRect(467, 431, 91, 23)},
        {control::kProcessorMaxSpeed, QRect(476, 257, 79, 20)},
    };
    for (const Expected& item : expected) {
        QWidget* widget = window.dialog.control(item.id);
        ASSERT_NE(widget, nullptr) << item.id;
        EXPECT_EQ(widget->geometry(), item.pixels) << item.id;
        EXPECT_EQ(widget->objectName(), QString::number(item.id));
    }
}

TEST(MainWindowLayout, EveryFieldIsAReadOnlyBorderedEdit) {
    SampleWindow window("award-440bx.json");
    for (const int id : kResultFieldIds) {
        auto* field = window.control<QLineEdit>(id);
        ASSERT_NE(field, nullptr) << id;
        EXPECT_TRUE(field->isReadOnly()) << id;
        EXPECT_TRUE(field->hasFrame()) << id;
    }
}

// Rows of a group box's picture that hold a line across its middle.
std::vector<int> linesAcross(const QImage& image, const QColor& face) {
    std::vector<int> rows;
    const int x = image.width() * 3 / 4;  // right of every caption
    for (int y = 0; y < image.height(); ++y) {
        if (image.pixelColor(x, y) != face) {
            rows.push_back(y);
        }
    }
    return rows;
}

TEST(MainWindowLayout, GroupBoxLinesRunThroughTheirCaptionsAndNothingElse) {
    SampleWindow window("award-440bx.json");
    const auto groups = window.dialog.findChildren<QGroupBox*>();
    ASSERT_EQ(groups.size(), 3);
    for (QGroupBox* group : groups) {
        const QImage image = group->grab().toImage();
        const QColor face = group->palette().color(QPalette::Window);
        const int captionHeight = group->fontMetrics().height();
        const std::vector<int> rows = linesAcross(image, face);
        ASSERT_EQ(rows.size(), 4u)
            << "an etched top and bottom edge: " << group->title().toStdString();
        EXPECT_GT(rows[0], 0);
        EXPECT_LT(rows[1], captionHeight) << "the top line crosses the caption";
        // Between the caption and the bottom edge the box is empty, so no
        // line runs through the labels and fields it frames.
        EXPECT_GT(rows[2], group->height() - 4) << group->title().toStdString();
    }
}

TEST(MainWindowLayout, LabelsGroupsAndButtonsCarryTheirTexts) {
    SampleWindow window("award-440bx.json");
    QStringList labels;
    for (auto* label : window.dialog.findChildren<QLabel*>()) {
        labels << label->text();
    }
    for (const char* text :
         {"BIOS 型号:", "BIOS 日期:", "BIOS 证号:", "OEM 标志:", "超级 I/O:", "芯片组:",
          "操作系统:", "型号:", "速度:", "最高速度:", "接口:", "尺码:", "安装:", "最大值:"}) {
        EXPECT_EQ(labels.count(QString::fromUtf8(text)), 1) << text;
    }
    QStringList groups;
    for (auto* group : window.dialog.findChildren<QGroupBox*>()) {
        groups << group->title();
    }
    groups.sort();
    QStringList expectedGroups{QStringLiteral("CPU"), QStringLiteral("BIOS ROM"),
                               QString::fromUtf8("内存")};
    expectedGroups.sort();
    EXPECT_EQ(groups, expectedGroups);
    const std::pair<int, const char*> buttons[] = {
        {control::kOptions, "&选项"},
        {control::kMoreInfo, "更多信息"},
        {control::kGetBiosInfo, "&获取BIOS信息"},
        {control::kSubmit, "递交BIOS 更新请求"},
        {control::kHelp, "&帮助"},
        {control::kClose, "&关闭"},
        {control::kSave, "&保存报告"},
        {control::kPrint, "&打印报告"},
    };
    for (const auto& [id, text] : buttons) {
        auto* button = window.control<QPushButton>(id);
        ASSERT_NE(button, nullptr) << id;
        EXPECT_EQ(button->text(), QString::fromUtf8(text)) << id;
    }
}

}  // namespace
}  // namespace romwise::ui

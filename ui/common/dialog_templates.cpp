#include "ui/common/dialog_templates.h"

#include "model/control_ids.h"
#include "model/product_version.h"

namespace romwise::ui {

namespace {

using K = ControlKind;
using namespace romwise::control;

// Labels carry no size in the layout tables; these sizes hold their texts
// in the dialog font without reaching the fields beside them.
constexpr int kLabelWidth = 48;
constexpr int kGroupLabelWidth = 40;
constexpr int kLabelHeight = 8;

constexpr ControlTemplate kMainControls[] = {
    {kDetailsPicture, K::Picture, 7, 7, 57, 114, ""},
    {kNoId, K::Label, 66, 7, kLabelWidth, kLabelHeight, "BIOS 型号:"},
    {kBiosType, K::Field, 115, 7, 120, 12, ""},
    {kNoId, K::Label, 66, 26, kLabelWidth, kLabelHeight, "BIOS 日期:"},
    {kBiosDate, K::Field, 115, 26, 120, 12, ""},
    {kLogo, K::Frame, 239, 7, 82, 36, ""},
    {kNoId, K::Label, 66, 45, kLabelWidth, kLabelHeight, "BIOS 证号:"},
    {kBiosId, K::Field, 115, 45, 206, 12, ""},
    {kNoId, K::Label, 66, 64, kLabelWidth, kLabelHeight, "OEM 标志:"},
    {kSignOn, K::Field, 115, 64, 206, 12, ""},
    {kNoId, K::Label, 66, 83, kLabelWidth, kLabelHeight, "超级 I/O:"},
    {kSuperIo, K::Field, 116, 83, 205, 12, ""},
    {kNoId, K::Label, 66, 102, kLabelWidth, kLabelHeight, "芯片组:"},
    {kChipset, K::Field, 115, 102, 206, 12, ""},
    {kNoId, K::Label, 66, 121, kLabelWidth, kLabelHeight, "操作系统:"},
    {kOperatingSystem, K::Field, 115, 121, 206, 12, ""},
    {kNoId, K::GroupBox, 115, 135, 206, 40, "CPU"},
    {kNoId, K::Label, 122, 145, kGroupLabelWidth, kLabelHeight, "型号:"},
    {kProcessor, K::Field, 165, 142, 152, 12, ""},
    {kNoId, K::Label, 122, 160, kGroupLabelWidth, kLabelHeight, "速度:"},
    {kProcessorSpeed, K::Field, 165, 158, 41, 12, ""},
    {kNoId, K::Label, 220, 160, 50, kLabelHeight, "最高速度:"},
    {kProcessorMaxSpeed, K::Field, 272, 158, 45, 12, ""},
    {kNoId, K::GroupBox, 115, 176, 95, 40, "BIOS ROM"},
    {kNoId, K::Label, 122, 187, kGroupLabelWidth, kLabelHeight, "接口:"},
    {kRomSocketed, K::Field, 165, 184, 41, 12, ""},
    {kNoId, K::Label, 122, 202, kGroupLabelWidth, kLabelHeight, "尺码:"},
    {kRomSize, K::Field, 165, 200, 41, 12, ""},
    {kNoId, K::GroupBox, 214, 176, 107, 40, "内存"},
    {kNoId, K::Label, 220, 187, kGroupLabelWidth, kLabelHeight, "安装:"},
    {kMemoryInstalled, K::Field, 263, 184, 54, 12, ""},
    {kNoId, K::Label, 220, 202, kGroupLabelWidth, kLabelHeight, "最大值:"},
    {kMemoryMaximum, K::Field, 263, 200, 54, 12, ""},
    {kGetBiosInfo, K::ColorButton, 7, 220, 56, 22, "&获取BIOS信息"},
    {kNoId, K::Picture, 69, 220, 137, 65, ""},
    {kSubmit, K::ColorButton, 210, 220, 110, 40, "递交BIOS 更新请求"},
    {kHelp, K::PushButton, 7, 247, 56, 14, "&帮助"},
    {kClose, K::PushButton, 8, 265, 56, 14, "&关闭"},
    {kSave, K::PushButton, 210, 265, 52, 14, "&保存报告"},
    {kPrint, K::PushButton, 267, 265, 52, 14, "&打印报告"},
    // After the command row, so that Get BIOS Info is the first tab stop and
    // takes the focus when the dialog opens.
    {kOptions, K::PushButton, 19, 192, 35, 14, "&选项"},
    {kMoreInfo, K::PushButton, 71, 192, 37, 14, "更多信息"},
};

constexpr ControlTemplate kAboutControls[] = {
    {kNoId, K::Icon, 13, 13, 18, 20, ""},
    {kAboutText, K::PlainLabel, 40, 10, 119, 8, ""},
    {kNoId, K::Label, 40, 25, 119, 8, ROMWISE_COPYRIGHT_LINE},
    {kNoId, K::Label, 40, 39, 119, 8, "简体中文版"},
    {kAcceptId, K::DefaultButton, 178, 7, 32, 14, "确定"},
};

constexpr ControlTemplate kSaveReportControls[] = {
    {kNoId, K::Label, 7, 13, 72, 9, "把结果保存到文件:"},
    {kSaveFileName, K::Edit, 7, 25, 167, 13, ""},
    {kAcceptId, K::DefaultButton, 27, 47, 42, 14, "确定"},
    {kCancelId, K::PushButton, 101, 47, 42, 14, "取消"},
};

constexpr ControlTemplate kCloseConfirmationControls[] = {
    {kAcceptId, K::DefaultButton, 43, 74, 50, 14, "是的"},
    {kCancelId, K::PushButton, 109, 74, 50, 14, "不要"},
    {kNoId, K::Label, 14, 58, 175, 8, "您要不要递交您的BIOS 升级请求?"},
    {kNoId, K::CentredLabel, 13, 14, 166, 8, "您未递交您的BIOS 升级请求。"},
    {kNoId, K::WrappedLabel, 13, 28, 166, 25,
     "点击在递交请求按钮来完成BIOS升级, 我们能为您的系统提供正确BIOS 升级。"},
};

constexpr ControlTemplate kOptionsControls[] = {
    {kAcceptId, K::DefaultButton, 41, 61, 50, 14, "确定"},
    {kSkipDmiCheck, K::CheckBox, 27, 35, 86, 10, "功能失效 &找出DMI"},
    {kSkipSuperIoCheck, K::CheckBox, 27, 15, 95, 12, "功能失效 &找出超级I/O"},
};

constexpr ControlTemplate kMoreInfoControls[] = {
    {kAcceptId, K::DefaultButton, 55, 114, 50, 14, "确定"},
    {kSlotList, K::ListView, 23, 24, 115, 77, ""},
    {kNoId, K::GroupBox, 18, 13, 126, 95, "内存配置"},
};

constexpr int findDecorativePicture() {
    for (int index = 0; const ControlTemplate& control : kMainControls) {
        if (control.kind == K::Picture && control.id == kNoId) {
            return index;
        }
        ++index;
    }
    return -1;
}
static_assert(findDecorativePicture() >= 0, "the main template has a decorative picture");

}  // namespace

const int kDecorativePictureIndex = findDecorativePicture();

const DialogTemplate kMainDialogTemplate = {328, 286, "Quorvel Romwise", "宋体", 10, kMainControls};
const DialogTemplate kAboutBoxTemplate = {217, 60, "关于 Romwise", "宋体", 10, kAboutControls};
const DialogTemplate kSaveReportTemplate = {181, 68, "保存结果", "宋体", 10, kSaveReportControls};
const DialogTemplate kCloseConfirmationTemplate = {203,    95, "您确定?",
                                                   "宋体", 10, kCloseConfirmationControls};
const DialogTemplate kOptionsTemplate = {
    141, 82, "Romwise  选项", "MS Sans Serif", 8, kOptionsControls};
const DialogTemplate kMoreInfoTemplate = {160, 133, "更多的信息", "宋体", 10, kMoreInfoControls};

}  // namespace romwise::ui

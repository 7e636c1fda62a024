#include "ui/qt/dialog_builder.h"

#include <QCheckBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <vector>

#include "ui/qt/clickable_label.h"
#include "ui/qt/color_button.h"
#include "ui/qt/dialog_font.h"
#include "ui/qt/group_frame.h"

namespace romwise::ui {

namespace {

QLabel* makeLabel(QWidget* parent, const QString& text, Qt::Alignment alignment, bool wrap,
                  Qt::TextFormat format) {
    auto* label = new QLabel(text, parent);
    label->setTextFormat(format);
    label->setAlignment(alignment);
    label->setWordWrap(wrap);
    return label;
}

QLineEdit* makeEdit(QWidget* parent, bool readOnly) {
    auto* edit = new QLineEdit(parent);
    edit->setReadOnly(readOnly);
    edit->setFrame(true);
    return edit;
}

QTreeWidget* makeListView(QWidget* parent) {
    auto* list = new QTreeWidget(parent);
    list->setRootIsDecorated(false);
    list->setItemsExpandable(false);
    list->setUniformRowHeights(true);
    list->setFrameShape(QFrame::StyledPanel);
    list->header()->setStretchLastSection(false);
    return list;
}

QWidget* makeControl(QDialog& dialog, const ControlTemplate& control) {
    const QString text = QString::fromUtf8(control.text);
    switch (control.kind) {
        case ControlKind::Label:
            return makeLabel(&dialog, text, Qt::AlignLeft | Qt::AlignTop, false, Qt::PlainText);
        case ControlKind::CentredLabel:
            return makeLabel(&dialog, text, Qt::AlignHCenter | Qt::AlignTop, false, Qt::PlainText);
        case ControlKind::WrappedLabel:
            return makeLabel(&dialog, text, Qt::AlignLeft | Qt::AlignTop, true, Qt::PlainText);
        case ControlKind::PlainLabel:
            return makeLabel(&dialog, text, Qt::AlignLeft | Qt::AlignTop, false, Qt::PlainText);
        case ControlKind::Field:
            return makeEdit(&dialog, true);
        case ControlKind::Edit:
            return makeEdit(&dialog, false);
        case ControlKind::GroupBox:
            return new GroupFrame(text, &dialog);
        case ControlKind::PushButton:
        case ControlKind::DefaultButton: {
            auto* button = new QPushButton(text, &dialog);
            button->setDefault(control.kind == ControlKind::DefaultButton);
            return button;
        }
        case ControlKind::ColorButton:
            return new ColorButton(text, &dialog);
        case ControlKind::Picture:
        case ControlKind::Icon: {
            auto* picture = new ClickableLabel(&dialog);
            picture->setAlignment(Qt::AlignLeft | Qt::AlignTop);
            return picture;
        }
        case ControlKind::Frame: {
            auto* frame = new ClickableLabel(&dialog);
            frame->setFrameStyle(QFrame::Box | QFrame::Plain);
            return frame;
        }
        case ControlKind::CheckBox:
            return new QCheckBox(text, &dialog);
        case ControlKind::ListView:
            return makeListView(&dialog);
    }
    return new QWidget(&dialog);
}

}  // namespace

QString controlObjectName(const ControlTemplate& control, int index) {
    if (control.id == kNoId) {
        return QStringLiteral("static%1").arg(index);
    }
    return QString::number(control.id);
}

std::map<int, QWidget*> buildDialog(QDialog& dialog, const DialogTemplate& dialogTemplate) {
    dialog.setFont(dialogFont(dialogTemplate.fontFace, dialogTemplate.fontPoints));
    dialog.setWindowTitle(QString::fromUtf8(dialogTemplate.caption));
    const DialogBaseUnits units = dialogBaseUnits(dialog.font());
    dialog.setFixedSize(dialogSizeToPixels(units, dialogTemplate.width, dialogTemplate.height));

    std::map<int, QWidget*> controls;
    std::vector<QWidget*> groups;
    int index = 0;
    for (const ControlTemplate& control : dialogTemplate.controls) {
        QWidget* widget = makeControl(dialog, control);
        widget->setObjectName(controlObjectName(control, index));
        widget->setGeometry(
            dialogRectToPixels(units, control.x, control.y, control.width, control.height));
        if (control.kind == ControlKind::GroupBox) {
            groups.push_back(widget);
        }
        if (control.id != kNoId) {
            controls[control.id] = widget;
        }
        ++index;
    }
    // Frames stay behind the controls they surround.
    for (QWidget* group : groups) {
        group->lower();
    }
    return controls;
}

}  // namespace romwise::ui

namespace romwise::ui {

void connectStandardButtons(QDialog& dialog, const std::map<int, QWidget*>& controls) {
    if (const auto found = controls.find(kAcceptId); found != controls.end()) {
        if (auto* button = dynamic_cast<QPushButton*>(found->second)) {
            QObject::connect(button, &QPushButton::clicked, &dialog, &QDialog::accept);
        }
    }
    if (const auto found = controls.find(kCancelId); found != controls.end()) {
        if (auto* button = dynamic_cast<QPushButton*>(found->second)) {
            QObject::connect(button, &QPushButton::clicked, &dialog, &QDialog::reject);
        }
    }
}

}  // namespace romwise::ui

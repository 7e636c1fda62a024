#include "ui/qt/options_dialog.h"

#include <QCheckBox>

#include "model/control_ids.h"
#include "ui/common/dialog_templates.h"
#include "ui/qt/dialog_builder.h"

namespace romwise::ui {

namespace {

// Each click flips its switch at once; closing the dialog in any way keeps
// what the clicks have set.
void bindSwitch(QWidget* control, std::int32_t& value) {
    auto* box = dynamic_cast<QCheckBox*>(control);
    if (box == nullptr) {
        return;
    }
    box->setChecked(value == 1);
    QObject::connect(box, &QCheckBox::clicked, box, [&value] { value = value == 0 ? 1 : 0; });
}

}  // namespace

OptionsDialog::OptionsDialog(DetectionOptions& options, QWidget* parent) : QDialog(parent) {
    const auto controls = buildDialog(*this, kOptionsTemplate);
    connectStandardButtons(*this, controls);
    bindSwitch(controls.at(control::kSkipSuperIoCheck), options.skipSuperIo);
    bindSwitch(controls.at(control::kSkipDmiCheck), options.skipDmi);
}

}  // namespace romwise::ui

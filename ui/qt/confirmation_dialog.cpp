#include "ui/qt/confirmation_dialog.h"

#include "ui/common/dialog_templates.h"
#include "ui/qt/dialog_builder.h"

namespace romwise::ui {

ConfirmationDialog::ConfirmationDialog(QWidget* parent) : QDialog(parent) {
    connectStandardButtons(*this, buildDialog(*this, kCloseConfirmationTemplate));
}

}  // namespace romwise::ui

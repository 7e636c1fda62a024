#include "ui/confirmation_dialog.h"

#include "ui/dialog_templates.h"

namespace romwise::ui {

ConfirmationDialog::ConfirmationDialog(QWidget* parent) : QDialog(parent) {
    connectStandardButtons(*this, buildDialog(*this, kCloseConfirmationTemplate));
}

}  // namespace romwise::ui

#include "ui/qt/confirmation_dialog.h"

#include "ui/qt/dialog_templates.h"

namespace romwise::ui {

ConfirmationDialog::ConfirmationDialog(QWidget* parent) : QDialog(parent) {
    connectStandardButtons(*this, buildDialog(*this, kCloseConfirmationTemplate));
}

}  // namespace romwise::ui

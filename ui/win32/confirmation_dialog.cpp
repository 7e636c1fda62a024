#include "ui/win32/confirmation_dialog.h"

#include "ui/common/dialog_templates.h"

namespace romwise::ui::win32 {

ConfirmationDialog::ConfirmationDialog() : DialogWindow(kCloseConfirmationTemplate) {}

}  // namespace romwise::ui::win32

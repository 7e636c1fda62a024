#include "ui/win32/options_dialog.h"

#include "model/control_ids.h"
#include "ui/common/dialog_templates.h"

namespace romwise::ui::win32 {

OptionsDialog::OptionsDialog(DetectionOptions& options)
    : DialogWindow(kOptionsTemplate), options_(options) {}

bool OptionsDialog::initialize() {
    CheckDlgButton(handle(), control::kSkipSuperIoCheck,
                   options_.skipSuperIo == 1 ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(handle(), control::kSkipDmiCheck,
                   options_.skipDmi == 1 ? BST_CHECKED : BST_UNCHECKED);
    return true;
}

bool OptionsDialog::command(int id, int notification, HWND control) {
    if (notification == BN_CLICKED && id == control::kSkipSuperIoCheck) {
        options_.skipSuperIo = options_.skipSuperIo == 0 ? 1 : 0;
        return true;
    }
    if (notification == BN_CLICKED && id == control::kSkipDmiCheck) {
        options_.skipDmi = options_.skipDmi == 0 ? 1 : 0;
        return true;
    }
    return DialogWindow::command(id, notification, control);
}

}  // namespace romwise::ui::win32

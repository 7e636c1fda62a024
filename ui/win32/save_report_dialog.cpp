#include "ui/win32/save_report_dialog.h"

#include "model/control_ids.h"
#include "ui/common/dialog_templates.h"
#include "ui/common/window_texts.h"

namespace romwise::ui::win32 {

SaveReportDialog::SaveReportDialog(std::wstring proposedPath, SaveFunction save)
    : DialogWindow(kSaveReportTemplate),
      proposedPath_(std::move(proposedPath)),
      save_(std::move(save)) {}

bool SaveReportDialog::initialize() {
    HWND field = control(control::kSaveFileName);
    SendMessageW(field, EM_LIMITTEXT, kSaveFileNameLimit, 0);
    SetWindowTextW(field, proposedPath_.c_str());
    // The dialog manager focuses the field, the first tab stop, and selects
    // its text.
    return true;
}

bool SaveReportDialog::command(int id, int notification, HWND control) {
    if (id == IDOK) {
        wchar_t path[kSaveFileNameLimit + 1] = {};
        GetDlgItemTextW(handle(), control::kSaveFileName, path, kSaveFileNameLimit + 1);
        if (save_) {
            save_(path);
        }
    }
    return DialogWindow::command(id, notification, control);
}

}  // namespace romwise::ui::win32

// The close confirmation, the About box and the save dialog.
#include <cstdio>

#include "model/control_ids.h"
#include "model/product_identity.h"
#include "ui/common/dialog_templates.h"
#include "ui/common/resource_ids.h"
#include "ui/common/window_texts.h"
#include "ui/win32/secondary_dialogs.h"
#include "ui/win32/wide_text.h"

namespace romwise::ui::win32 {

ConfirmationDialog::ConfirmationDialog() : DialogWindow(kCloseConfirmationTemplate) {}

AboutBox::AboutBox() : DialogWindow(kAboutBoxTemplate) {}

bool AboutBox::initialize() {
    char text[64];
    std::snprintf(text, sizeof text, kAboutTextFormat, kVersionText);
    SetDlgItemTextW(handle(), control::kAboutText, wideFromUtf8(text).c_str());
    // The icon is the template's first control.
    icon_ = static_cast<HICON>(LoadImageW(instance(), MAKEINTRESOURCEW(resource::kAboutIcon),
                                          IMAGE_ICON, 0, 0, LR_DEFAULTSIZE | LR_SHARED));
    SendMessageW(controlAt(0), STM_SETICON, reinterpret_cast<WPARAM>(icon_), 0);
    return true;
}

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

#include "ui/win32/dialog_window.h"

namespace romwise::ui::win32 {

DialogWindow::DialogWindow(const DialogTemplate& dialogTemplate, DialogRole role)
    : template_(dialogTemplate), bytes_(buildDialogTemplate(dialogTemplate, role)) {}

DialogWindow::~DialogWindow() {
    if (!modal_ && window_ != nullptr) {
        // No message of the destruction reaches a half-destroyed object.
        SetWindowLongPtrW(window_, DWLP_USER, 0);
        DestroyWindow(window_);
    }
}

HINSTANCE DialogWindow::instance() const {
    return GetModuleHandleW(nullptr);
}

INT_PTR DialogWindow::runModal(HWND owner) {
    modal_ = true;
    ended_ = false;
    const INT_PTR result =
        DialogBoxIndirectParamW(instance(), reinterpret_cast<LPCDLGTEMPLATEW>(bytes_.data()), owner,
                                procedure, reinterpret_cast<LPARAM>(this));
    window_ = nullptr;
    return result;
}

HWND DialogWindow::create(HWND owner) {
    modal_ = false;
    ended_ = false;
    HWND window =
        CreateDialogIndirectParamW(instance(), reinterpret_cast<LPCDLGTEMPLATEW>(bytes_.data()),
                                   owner, procedure, reinterpret_cast<LPARAM>(this));
    if (window != nullptr) {
        ShowWindow(window, SW_SHOW);
    }
    return window;
}

HWND DialogWindow::controlAt(int index) const {
    // The dialog manager creates the controls in template order, each
    // after the one before it among the dialog's children.
    HWND child = GetWindow(window_, GW_CHILD);
    for (int i = 0; child != nullptr && i < index; ++i) {
        child = GetWindow(child, GW_HWNDNEXT);
    }
    return child;
}

void DialogWindow::end(INT_PTR result) {
    ended_ = true;
    result_ = result;
    if (modal_) {
        EndDialog(window_, result);
    } else {
        ShowWindow(window_, SW_HIDE);
    }
}

bool DialogWindow::command(int id, int, HWND) {
    if (id == IDOK || id == IDCANCEL) {
        end(id);
        return true;
    }
    return false;
}

bool DialogWindow::message(UINT, WPARAM, LPARAM, INT_PTR&) {
    return false;
}

INT_PTR CALLBACK DialogWindow::procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        auto* self = reinterpret_cast<DialogWindow*>(lParam);
        SetWindowLongPtrW(window, DWLP_USER, lParam);
        self->window_ = window;
        return self->initialize() ? TRUE : FALSE;
    }
    auto* self = reinterpret_cast<DialogWindow*>(GetWindowLongPtrW(window, DWLP_USER));
    if (self == nullptr) {
        return FALSE;
    }
    return self->dispatch(message, wParam, lParam);
}

INT_PTR DialogWindow::dispatch(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COMMAND) {
        return command(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam)) ? TRUE
                                                                                       : FALSE;
    }
    INT_PTR result = FALSE;
    if (this->message(message, wParam, lParam, result)) {
        return result;
    }
    return FALSE;
}

}  // namespace romwise::ui::win32

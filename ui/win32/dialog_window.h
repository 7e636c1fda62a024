// A dialog made from one of the program's templates: modal, as the program
// runs every dialog, or modeless for the tests. Subclasses handle messages;
// the standard accept and cancel commands end the dialog.
#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

#include "ui/common/dialog_template_data.h"
#include "ui/win32/dialog_builder.h"

namespace romwise::ui::win32 {

// What DialogBoxIndirectParamW returns when the dialog cannot be created.
inline constexpr INT_PTR kDialogFailed = -1;

class DialogWindow {
  public:
    explicit DialogWindow(const DialogTemplate& dialogTemplate,
                          DialogRole role = DialogRole::Secondary);
    virtual ~DialogWindow();
    DialogWindow(const DialogWindow&) = delete;
    DialogWindow& operator=(const DialogWindow&) = delete;

    // Runs the dialog modally and returns its result, or kDialogFailed.
    INT_PTR runModal(HWND owner);
    // Creates and shows the dialog modeless; it lives until this object goes.
    HWND create(HWND owner);

    HWND handle() const { return window_; }
    HWND control(int id) const { return GetDlgItem(window_, id); }
    // The control made from entry `index` of the template.
    HWND controlAt(int index) const;
    const DialogTemplate& dialogTemplate() const { return template_; }
    // Whether the dialog has ended, and with which result.
    bool ended() const { return ended_; }
    INT_PTR result() const { return result_; }

  protected:
    // WM_INITDIALOG: true lets the dialog manager give the focus to the
    // first tab stop.
    virtual bool initialize() { return true; }
    // WM_COMMAND; true when handled. The default ends the dialog on the
    // accept and cancel commands.
    virtual bool command(int id, int notification, HWND control);
    // Any other message; true when handled, with the dialog procedure's
    // return value in `result`.
    virtual bool message(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result);

    void end(INT_PTR result);
    HINSTANCE instance() const;

  private:
    static INT_PTR CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR dispatch(UINT message, WPARAM wParam, LPARAM lParam);

    const DialogTemplate& template_;
    std::vector<std::uint16_t> bytes_;
    HWND window_ = nullptr;
    bool modal_ = false;
    bool ended_ = false;
    INT_PTR result_ = 0;
};

}  // namespace romwise::ui::win32

// Win32 dialog templates (DLGTEMPLATEEX in memory) made at run time from the
// dialog template data the Qt window uses too, so the two windows cannot
// disagree on a control.
#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

#include "ui/common/dialog_template_data.h"

namespace romwise::ui::win32 {

// The window class and styles of a control kind.
struct ControlClass {
    const wchar_t* className;
    DWORD style;  // besides WS_CHILD | WS_VISIBLE
};

ControlClass controlClass(ControlKind kind);

// The main dialog is the application's window (shown in the task bar); the
// others are owned by it.
enum class DialogRole { Main, Secondary };

// Every dialog: caption, system menu, modal frame, centred, in the
// template's font; no minimise or maximise box.
inline constexpr DWORD kDialogStyle =
    WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT | DS_CENTER;

// The template's bytes; keep them while the dialog is being created.
std::vector<std::uint16_t> buildDialogTemplate(const DialogTemplate& dialog, DialogRole role);

}  // namespace romwise::ui::win32

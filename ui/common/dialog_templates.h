// The program's dialog templates, shared by the Qt and the Win32 window.
#pragma once

#include "ui/common/dialog_template_data.h"

namespace romwise::ui {

extern const DialogTemplate kMainDialogTemplate;         // 102
extern const DialogTemplate kAboutBoxTemplate;           // 100
extern const DialogTemplate kSaveReportTemplate;         // 169
extern const DialogTemplate kCloseConfirmationTemplate;  // 168
extern const DialogTemplate kOptionsTemplate;            // 195
extern const DialogTemplate kMoreInfoTemplate;           // 197

// The main template's entry for the decorative picture: its one picture
// without an id, which the windows find by its place.
extern const int kDecorativePictureIndex;

// The About command's text, shown in the window's system or context menu.
inline constexpr char kAboutCommandText[] = "&关于Romwise...";
inline constexpr int kAboutCommandId = 16;

}  // namespace romwise::ui

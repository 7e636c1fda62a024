#include "ui/win32/about_box.h"

#include <cstdio>

#include "model/control_ids.h"
#include "model/product_identity.h"
#include "ui/common/dialog_templates.h"
#include "ui/common/resource_ids.h"
#include "ui/common/window_texts.h"
#include "ui/win32/wide_text.h"

namespace romwise::ui::win32 {

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

}  // namespace romwise::ui::win32

// The close confirmation: the request has not been submitted; submit it now?
// Yes accepts; No, Escape and the close box cancel.
#pragma once

#include "ui/win32/dialog_window.h"

namespace romwise::ui::win32 {

class ConfirmationDialog : public DialogWindow {
  public:
    ConfirmationDialog();
};

}  // namespace romwise::ui::win32

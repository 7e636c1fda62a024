// The About box: the product, its version and our credit lines, with the
// About icon.
#pragma once

#include "ui/win32/dialog_window.h"

namespace romwise::ui::win32 {

class AboutBox : public DialogWindow {
  public:
    AboutBox();

  protected:
    bool initialize() override;

  private:
    HICON icon_ = nullptr;
};

}  // namespace romwise::ui::win32

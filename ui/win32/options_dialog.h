// The options dialog: switches Super I/O and DMI detection off and on for
// the next passes. Each click flips its switch at once, and closing the
// dialog in any way keeps what the clicks have set.
#pragma once

#include "model/detection_results.h"
#include "ui/win32/dialog_window.h"

namespace romwise::ui::win32 {

class OptionsDialog : public DialogWindow {
  public:
    explicit OptionsDialog(DetectionOptions& options);

  protected:
    bool initialize() override;
    bool command(int id, int notification, HWND control) override;

  private:
    DetectionOptions& options_;
};

}  // namespace romwise::ui::win32

// The save dialog: asks for the report's file name, proposing one; OK hands
// the name as typed to `save` (which reports a failure itself) and closes
// the dialog either way.
#pragma once

#include <functional>
#include <string>

#include "ui/win32/dialog_window.h"

namespace romwise::ui::win32 {

class SaveReportDialog : public DialogWindow {
  public:
    using SaveFunction = std::function<void(const std::wstring& path)>;

    SaveReportDialog(std::wstring proposedPath, SaveFunction save);

  protected:
    bool initialize() override;
    bool command(int id, int notification, HWND control) override;

  private:
    std::wstring proposedPath_;
    SaveFunction save_;
};

}  // namespace romwise::ui::win32

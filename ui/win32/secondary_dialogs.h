// The main window's secondary dialogs, each from its template: the options,
// more-information, close-confirmation and save dialogs and the About box.
#pragma once

#include <functional>
#include <string>

#include "model/detection_results.h"
#include "ui/win32/dialog_window.h"

namespace romwise::ui::win32 {

// Two check boxes; each click flips its switch at once, and closing the
// dialog in any way keeps what the clicks have set.
class OptionsDialog : public DialogWindow {
  public:
    explicit OptionsDialog(DetectionOptions& options);

  protected:
    bool initialize() override;
    bool command(int id, int notification, HWND control) override;

  private:
    DetectionOptions& options_;
};

// The memory slots of the last pass and the installed total in a list view.
class MoreInfoDialog : public DialogWindow {
  public:
    explicit MoreInfoDialog(const DetectionResults& results);

  protected:
    bool initialize() override;

  private:
    const DetectionResults& results_;
};

// The request has not been submitted; submit it now? Yes accepts; No,
// Escape and the close box cancel.
class ConfirmationDialog : public DialogWindow {
  public:
    ConfirmationDialog();
};

// The product, its version and our credit lines, with the About icon.
class AboutBox : public DialogWindow {
  public:
    AboutBox();

  protected:
    bool initialize() override;

  private:
    HICON icon_ = nullptr;
};

// Asks for the report's file name, proposing one; OK hands the name as typed
// to `save` (which reports a failure itself) and closes the dialog either way.
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

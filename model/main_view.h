// What the detection run and the window's command logic need of the window.
// The Qt main window (ui/qt), the Win32 main window (ui/win32) and the
// command-line front end each implement it.
#pragma once

#include <cstdint>
#include <string>

#include "model/pass_access.h"

namespace romwise {

// Results of the modal secondary dialogs, as the dialog manager reports them.
enum class DialogResult { Accept, Cancel, CouldNotCreate, Other };

class MainView {
  public:
    virtual ~MainView() = default;

    // Texts are 8-bit bytes in Windows-1252, as the record holds them.
    virtual void setFieldText(int controlId, const char* text) = 0;
    virtual void enableControl(int controlId, bool enabled) = 0;
    virtual void showControl(int controlId, bool visible) = 0;
    virtual void setFocus(int controlId) = 0;
    // A message box with one OK button.
    virtual void messageBox(const char* text, const char* caption) = 0;
    // The same with one more line under the text that says why, when the
    // platform can tell (`reason` empty: the text alone). A view that keeps
    // the two apart overrides this.
    virtual void messageBoxWithReason(const char* text, const char* reason, const char* caption) {
        if (reason == nullptr || *reason == '\0') {
            messageBox(text, caption);
            return;
        }
        const std::string both = std::string(text) + "\n" + reason;
        messageBox(both.c_str(), caption);
    }
    virtual void setButtonColors(int controlId, std::uint32_t textColor,
                                 std::uint32_t faceColor) = 0;
    virtual void resetButtonColors(int controlId) = 0;
    // Which way the pass reached the firmware, told once the route is
    // taken; a view that shows it overrides this.
    virtual void showPassAccess(const PassAccess& access) { static_cast<void>(access); }

    // Modal secondary dialogs.
    virtual DialogResult runCloseConfirmation() = 0;
    virtual void runSaveReportDialog() = 0;
    virtual void runPrintJob() = 0;
    virtual void runOptionsDialog() = 0;
    virtual void runMoreInfoDialog() = 0;
    virtual void runAboutBox() = 0;
    virtual void showHelp() = 0;
    // Ends the main dialog.
    virtual void endDialog() = 0;
};

}  // namespace romwise

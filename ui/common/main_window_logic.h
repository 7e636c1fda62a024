// What the Qt and the Win32 main window do alike, free of either toolkit:
// the detection session and its command logic, the command each control
// runs when it is clicked, and the result the close path ends the dialog
// with. Both main windows derive from it and only draw and route their
// events here.
#pragma once

#include <optional>
#include <string>

#include "app/detection_session.h"
#include "app/main_controller.h"
#include "model/main_view.h"
#include "report/report_files.h"
#include "report/shell.h"

namespace romwise::ui {

// Everything outside a main window that it works with. `shell` belongs to
// the machine the pass runs on (a profile's is simulated).
struct MainWindowServices {
    Detectors& detectors;
    OsServices& os;
    DriverHost& driverHost;
    Shell& shell;
    ReportFiles& files;
};

// The keys held down at a click; the details picture looks at them.
struct ClickKeys {
    bool ctrl = false;
    bool alt = false;
};

// The result the close path ends the dialog with: accept after the Close
// button, cancel after the window's own close request.
enum class DialogEnd { Accept, Cancel };

class MainWindowLogic : public MainView {
  public:
    MainWindowLogic(DetectionResults& results, DetectionOptions& options,
                    const MainWindowServices& services);

    MainController& controller() { return controller_; }
    DetectionSession& session() { return session_; }

    // Get BIOS Info: a new pass, which starts with the plain caption.
    void getBiosInfo();
    // Runs the command of a click on control `controlId` and returns true,
    // or returns false when that control has none.
    bool controlClicked(int controlId, ClickKeys keys = {});
    // The window's own close request (the close box, the system menu,
    // Alt+F4) takes the close path too.
    void windowCloseRequested();

    // MainView: ends the dialog with the result of the close path's start.
    void endDialog() final;
    // MainView: keeps the route for the More info dialog and shows the
    // caption it calls for.
    void showPassAccess(const PassAccess& access) final;
    // The last pass's route; nothing before a pass took one.
    const std::optional<PassAccess>& passAccess() const { return access_; }

  protected:
    // Ends the toolkit's dialog.
    virtual void endWindow(DialogEnd result) = 0;
    // Sets the window's caption (Windows-1252, as the record's texts).
    virtual void showCaption(const std::string& caption) = 0;

    // The record and the switches the window shows and its dialogs change.
    DetectionSession session_;

  private:
    void closePath(DialogEnd end);

    MainController controller_;
    DialogEnd closeEnd_ = DialogEnd::Accept;
    std::optional<PassAccess> access_;
};

}  // namespace romwise::ui

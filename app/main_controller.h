// The main window's command logic, without widgets: start-up state, every
// button and click the window handles, and the close path.
#pragma once

#include "app/detection_session.h"
#include "report/shell.h"

namespace romwise {

class MainController {
  public:
    // Puts the record and the switches into their start-up state.
    MainController(DetectionSession& session, Shell& shell);

    // The dialog's initialisation: the hint text, the disabled buttons, the
    // focus and the highlighted Get BIOS Info button.
    void initialize();

    void getBiosInfo();
    void save();
    void print();
    void submit();
    void openWebSite();
    // Ctrl+Alt+click on the left-hand picture.
    void detailsPictureClicked(bool ctrlDown, bool altDown);
    // The Close button and the window's close request share this path.
    void closeRequested();

    DetectionSession& session() { return session_; }

  private:
    DetectionSession& session_;
    Shell& shell_;
};

// The hidden details message for the current record.
void formatDetailsMessage(const DetectionResults& results, FixedText<2048>& out);

}  // namespace romwise

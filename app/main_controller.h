// The main window's command logic, without widgets: start-up state, every
// button and click the window handles, and the close path.
#pragma once

#include <string>

#include "app/detection_session.h"
#include "app/pass_outcome.h"
#include "report/report_files.h"
#include "report/shell.h"

namespace romwise {

// What became of a save of the report.
enum class SaveOutcome {
    Saved,
    // No completed pass to report: the save command said why, or, after a
    // pass that stopped early, said nothing.
    Refused,
    // The file could not be written: "File error saving results!".
    NotWritten,
};

class MainController {
  public:
    // Puts the record and the switches into their start-up state. Reports
    // are saved through `files`.
    MainController(DetectionSession& session, Shell& shell, ReportFiles& files);

    // The dialog's initialisation: the hint text, the disabled buttons, the
    // focus and the highlighted Get BIOS Info button.
    void initialize();

    PassOutcome getBiosInfo();
    // The Save button: after a completed pass the save dialog asks for the
    // file, and its OK saves there through saveReport.
    void save();
    // The one save of the report, for the save dialog's OK and for a front
    // end that has the file name already: refused as the Save button
    // refuses, else written to `path` as typed, with "File error saving
    // results!" when it cannot be.
    SaveOutcome saveReport(const std::string& path);
    // The save command's check: true after a completed pass; after a failed
    // pass or before any pass it says why not, after a pass that stopped
    // early it says nothing.
    bool checkSaveAllowed();
    // The file name the save dialog proposes.
    std::string proposedReportPath();
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
    ReportFiles& files_;
};

// The hidden details message for the current record.
void formatDetailsMessage(const DetectionResults& results, FixedText<2048>& out);

}  // namespace romwise

#include "app/main_controller.h"

#include "app/detection_run.h"
#include "app/privileged_run.h"
#include "hw/driver_opening.h"
#include "model/control_ids.h"
#include "model/message_text.h"
#include "model/product_identity.h"
#include "report/report_save.h"
#include "report/upgrade_request.h"

namespace romwise {

namespace {

constexpr char kClickHint[] = "Click on Get BIOS Info Button...";
constexpr char kDialogNotCreated[] = "Dialog box could not be created!";

struct Refusals {
    const char* afterFailure;
    const char* beforePass;
};
constexpr Refusals kSaveRefusals = {
    "Sorry! Results cannot be saved because there was an error with BIOS Detection.",
    "You must select Get BIOS Info button first before saving the results."};
constexpr Refusals kPrintRefusals = {
    "Sorry! Results cannot be printed because there was an error with BIOS Detection.",
    "You must select Get BIOS Info button first before printing the results."};

// Save and print act only after a completed pass; after a failed pass or
// before any pass they say why not, and while a pass stopped early they do
// nothing at all.
bool mayReport(RunState state, const Refusals& refusals, MainView& view) {
    switch (state) {
        case RunState::Completed:
            return true;
        case RunState::Failed:
            view.messageBox(refusals.afterFailure, kErrorCaption);
            return false;
        case RunState::NotRun:
            view.messageBox(refusals.beforePass, kErrorCaption);
            return false;
        case RunState::Started:
            return false;
    }
    return false;
}

}  // namespace

MainController::MainController(DetectionSession& session, Shell& shell, ReportFiles& files)
    : session_(session), shell_(shell), files_(files) {
    session_.results.runState = RunState::NotRun;
    session_.results.requestSubmitted = 0;
    session_.options.skipSuperIo = 0;
    session_.options.skipDmi = 0;
}

void MainController::initialize() {
    MainView& view = session_.view;
    view.setFieldText(control::kBiosType, kClickHint);
    view.enableControl(control::kPrint, false);
    view.enableControl(control::kSave, false);
    view.enableControl(control::kSubmit, false);
    view.setFocus(control::kGetBiosInfo);
    view.showControl(control::kMoreInfo, false);
    view.setButtonColors(control::kGetBiosInfo, kHighlightTextColor, kHighlightFaceColor);
    view.enableControl(control::kSubmit, false);
}

PassOutcome MainController::getBiosInfo() {
    if (session_.privilegedPass != nullptr) {
        return runPrivilegedPass(session_);
    }
    return runDetectionPass(session_);
}

void MainController::save() {
    if (checkSaveAllowed()) {
        session_.view.runSaveReportDialog();
    }
}

bool MainController::checkSaveAllowed() {
    return mayReport(session_.results.runState, kSaveRefusals, session_.view);
}

SaveOutcome MainController::saveReport(const std::string& path) {
    if (!checkSaveAllowed()) {
        return SaveOutcome::Refused;
    }
    return acceptSaveReport(session_.results, path, files_, session_.view)
               ? SaveOutcome::Saved
               : SaveOutcome::NotWritten;
}

std::string MainController::proposedReportPath() {
    return defaultReportPath(files_);
}

void MainController::print() {
    if (mayReport(session_.results.runState, kPrintRefusals, session_.view)) {
        session_.view.runPrintJob();
    }
}

void MainController::submit() {
    submitUpgradeRequest(session_.results, shell_, session_.view);
}

void MainController::openWebSite() {
    romwise::openWebSite(shell_, session_.view);
}

void MainController::detailsPictureClicked(bool ctrlDown, bool altDown) {
    if (session_.results.runState == RunState::NotRun || !ctrlDown || !altDown) {
        return;
    }
    FixedText<2048> message;
    formatDetailsMessage(session_.results, message);
    session_.view.messageBox(message.c_str(), kApplicationTitle);
}

void MainController::closeRequested() {
    MainView& view = session_.view;
    if (session_.results.requestSubmitted != 0) {
        view.endDialog();
        return;
    }
    // The driver is closed before the question is asked, whatever the
    // answer; the next pass opens it again.
    CloseHardwareDriver(session_.driver);
    switch (view.runCloseConfirmation()) {
        case DialogResult::CouldNotCreate:
            view.messageBox(kDialogNotCreated, kApplicationTitle);
            view.endDialog();
            break;
        case DialogResult::Accept:
            submit();
            break;
        case DialogResult::Cancel:
            view.endDialog();
            break;
        case DialogResult::Other:
            break;
    }
}

void formatDetailsMessage(const DetectionResults& results, FixedText<2048>& out) {
    // Each value keeps to its line: control bytes from firmware or the
    // system are escaped.
    const auto value = [](const auto& text) { return escapeControlBytes(text.view()); };
    if (results.runState == RunState::Failed) {
        out.format("OS: %s", value(results.osFullName).c_str());
        return;
    }
    out.format(
        "DMI Version %X.%X\nMotherboard Name: %s\nMotherboard Model: %s\nOS: %s\nCPU: %s\nTime "
        "Zone: %d\nCountry: %s - %s\nBIOS Version: %s",
        static_cast<unsigned>(results.dmiMajorVersion),
        static_cast<unsigned>(results.dmiMinorVersion), value(results.boardManufacturer).c_str(),
        value(results.boardModel).c_str(), value(results.osShortName).c_str(),
        value(results.cpuLine).c_str(), static_cast<int>(results.timeZoneHours),
        value(results.countryCode).c_str(), value(results.countryName).c_str(),
        value(results.dmiBiosVersion).c_str());
}

}  // namespace romwise

#include "ui/common/main_window_logic.h"

#include "model/control_ids.h"

namespace romwise::ui {

MainWindowLogic::MainWindowLogic(DetectionResults& results, DetectionOptions& options,
                                 const MainWindowServices& services)
    : session_(results, options, *this, services.detectors, services.os, services.driverHost),
      controller_(session_, services.shell, services.files) {}

bool MainWindowLogic::controlClicked(int controlId, ClickKeys keys) {
    switch (controlId) {
        case control::kGetBiosInfo:
            controller_.getBiosInfo();
            return true;
        case control::kClose:
            closePath(DialogEnd::Accept);
            return true;
        case control::kSubmit:
            controller_.submit();
            return true;
        case control::kSave:
            controller_.save();
            return true;
        case control::kPrint:
            controller_.print();
            return true;
        case control::kOptions:
            runOptionsDialog();
            return true;
        case control::kMoreInfo:
            runMoreInfoDialog();
            return true;
        case control::kHelp:
            showHelp();
            return true;
        case control::kLogo:
            controller_.openWebSite();
            return true;
        case control::kDetailsPicture:
            controller_.detailsPictureClicked(keys.ctrl, keys.alt);
            return true;
        default:
            return false;
    }
}

void MainWindowLogic::windowCloseRequested() {
    closePath(DialogEnd::Cancel);
}

void MainWindowLogic::closePath(DialogEnd end) {
    closeEnd_ = end;
    controller_.closeRequested();
}

void MainWindowLogic::endDialog() {
    endWindow(closeEnd_);
}

}  // namespace romwise::ui

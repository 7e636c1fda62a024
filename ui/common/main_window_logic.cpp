#include "ui/common/main_window_logic.h"

#include "model/control_ids.h"
#include "ui/common/pass_access_texts.h"

namespace romwise::ui {

MainWindowLogic::MainWindowLogic(DetectionResults& results, DetectionOptions& options,
                                 const MainWindowServices& services)
    : session_(results, options, *this, services.detectors, services.os, services.driverHost),
      controller_(session_, services.shell, services.files) {}

void MainWindowLogic::getBiosInfo() {
    if (access_) {
        access_.reset();
        showCaption(mainWindowCaption(access_));
    }
    controller_.getBiosInfo();
}

bool MainWindowLogic::controlClicked(int controlId, ClickKeys keys) {
    switch (controlId) {
        case control::kGetBiosInfo:
            getBiosInfo();
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

void MainWindowLogic::showPassAccess(const PassAccess& access) {
    access_ = access;
    showCaption(mainWindowCaption(access_));
}

void MainWindowLogic::endDialog() {
    endWindow(closeEnd_);
}

}  // namespace romwise::ui

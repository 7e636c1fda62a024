#include "report/upgrade_request.h"

#include <string>

#include "app/control_ids.h"
#include "report/product_config.h"

namespace romwise {

namespace {

constexpr char kSubmitRefusedAfterFailure[] =
    "Sorry! We are unable to submit your BIOS upgrade request online because of an error with "
    "BIOS detection!";
constexpr char kSubmitRefusedBeforePass[] =
    "You must select Get BIOS Info button before submitting BIOS upgrade request online.";
constexpr char kNoDefaultBrowser[] =
    "Romwise could not launch a default browser. Please install a default browser on this system.";

bool isPrepared(const FixedText<800>& address) {
    return address.c_str()[0] == 'h';
}

}  // namespace

void buildUpgradeUrls(DetectionResults& /*results*/, const char* /*biosVendorCode*/) {
    // The query formats are not built yet: both addresses keep what they held.
}

void submitUpgradeRequest(DetectionResults& results, Shell& shell, MainView& view) {
    if (!isPrepared(results.upgradeUrl) && !isPrepared(results.upgradeUrlShort)) {
        if (results.runState == RunState::Failed) {
            view.messageBox(kSubmitRefusedAfterFailure, kApplicationTitle);
        } else if (results.runState == RunState::NotRun) {
            view.messageBox(kSubmitRefusedBeforePass, kApplicationTitle);
        }
        return;
    }
    const bool launched = shell.openAddress(results.upgradeUrl.str()) ||
                          shell.openAddress(results.upgradeUrlShort.str()) ||
                          shell.startBrowser(results.upgradeUrlShort.str());
    if (!launched) {
        FixedText<512> message;
        message.format(
            "Romwise encountered a problem trying to launch an Internet browser.\nRefer to FAQ on "
            "Romwise web page for additional information. CODE: %x\n\n%s",
            0u, kFaqAddress);
        view.messageBox(message.c_str(), kApplicationTitle);
    }
    results.requestSubmitted = 1;
}

void openWebSite(Shell& shell, MainView& view) {
    if (!shell.openAddress(kWebSiteAddress)) {
        view.messageBox(kNoDefaultBrowser, kApplicationTitle);
    }
}

}  // namespace romwise

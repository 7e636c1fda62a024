#include "app/detection_run.h"

#include "app/firmware_route.h"
#include "app/pass_steps.h"
#include "model/run_texts.h"

namespace romwise {

PassOutcome runDetectionPass(DetectionSession& session) {
    const std::unique_ptr<OsInfo> os = startPass(session);
    if (!os) {
        return failPass(session, kMemoryAllocationError);
    }
    if (auto ended = identifyOperatingSystem(session, *os)) {
        return *ended;
    }
    if (!passesAdministratorCheck(session, *os)) {
        if (auto routed = takeFirmwareRoute(session, *os, noAdministratorWhy())) {
            return *routed;
        }
        return stopPass(session, PassEnd::StoppedAtAdministratorCheck, kInsufficientPrivileges);
    }
    HardwareDriver* driver = openDriver(session, *os);
    if (driver == nullptr) {
        if (auto routed =
                takeFirmwareRoute(session, *os, noDriverWhy(session.driverFailureReason))) {
            return *routed;
        }
        // Where the platform can say why the open failed or why the opened
        // driver is not usable, the reason goes on a line of its own under
        // the message.
        return stopPass(session, PassEnd::StoppedAtDriver, kDriverLoadError,
                        session.driverFailureReason);
    }
    session.view.showPassAccess(PassAccess{});
    identifyChips(session, *driver);
    const char* vendorCode = identifyBiosRom(session, *driver);
    if (vendorCode == nullptr) {
        return stopPass(session, PassEnd::StoppedAtRom, nullptr);
    }
    readBoardData(session);
    return completePass(session, vendorCode);
}

std::optional<PassOutcome> runFirmwareTablesPass(DetectionSession& session,
                                                 const std::string& why) {
    // Nothing is shown unless the route can run.
    const SystemOffer offer = session.detectors.readSystemOffer();
    if (!offer.offersFirmware()) {
        return std::nullopt;
    }
    const std::unique_ptr<OsInfo> os = startPass(session);
    if (!os) {
        return failPass(session, kMemoryAllocationError);
    }
    if (auto ended = identifyOperatingSystem(session, *os)) {
        return *ended;
    }
    return runFirmwareRoute(session, *os, offer, why);
}

}  // namespace romwise

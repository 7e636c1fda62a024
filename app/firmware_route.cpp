#include "app/firmware_route.h"

#include "app/pass_steps.h"
#include "hw/offered_rom_window.h"
#include "model/control_ids.h"
#include "model/pass_access.h"
#include "model/run_texts.h"

namespace romwise {

namespace {

using namespace control;

void markSuperIoNotProbed(DetectionSession& session) {
    session.view.setFieldText(kSuperIo, kSuperIoNotProbed);
    setLine(session.results.superIoLine, kSuperIoLabel, kSuperIoNotProbed);
}

// The chipset from the system's list of bus 0's devices.
AccessSource identifyListedChipset(DetectionSession& session, const SystemOffer& offer) {
    FixedText<260> line;
    const bool found = offer.pciDevices && session.detectors.identifyListedChipset(
                                               *offer.pciDevices, line, session.skipPorts2E4E);
    showChipset(session, found, line);
    return offer.pciDevices ? AccessSource::DeviceList : AccessSource::None;
}

// Without the ROM window the BIOS date and type come from the firmware's
// own words: the release date as the firmware wrote it, the vendor string
// as the type. The ID stays Unknown for the DMI data's substitute; there is
// no sign-on.
const char* composeBiosFromStrings(DetectionSession& session, std::string_view date,
                                   std::string_view vendor) {
    DetectionResults& results = session.results;
    setLine(results.biosDateLine, kBiosDateLabel, date.empty() ? kUnknown : date);
    setLine(results.biosTypeLine, kBiosTypeLabel, vendor.empty() ? kUnknown : vendor);
    setLine(results.biosIdLine, kBiosIdLabel, kUnknown);
    setLine(results.oemSignOnLine, kSignOnLabel, "");
    cleanUpSignOnLine(results.oemSignOnLine);
    showBiosLines(session);
    return biosVendorCode(results.biosTypeLine.view());
}

// The board names and BIOS version where the identity strings are all the
// firmware the system offers.
void takeIdentityNames(DetectionResults& results, const FirmwareIdentity& identity) {
    if (!identity.boardVendor.empty()) {
        results.boardManufacturer.assign(identity.boardVendor);
    }
    if (!identity.boardName.empty()) {
        results.boardModel.assign(identity.boardName);
    }
    if (!identity.biosVersion.empty()) {
        results.dmiBiosVersion.assign(identity.biosVersion);
    }
}

}  // namespace

std::string noAdministratorWhy() {
    return "no administrator rights";
}

std::string noDriverWhy(const std::string& reason) {
    return reason.empty() ? "no port driver" : "no port driver: " + reason;
}

PassOutcome runFirmwareRoute(DetectionSession& session, OsInfo& os, const SystemOffer& offer,
                             const std::string& why) {
    PassAccess access;
    access.route = PassRoute::FirmwareTables;
    access.why = why;
    composeProgramFolder(session, os);
    markSuperIoNotProbed(session);
    access.chipset = identifyListedChipset(session, offer);

    const char* vendorCode = nullptr;
    if (offer.romWindow) {
        OfferedRomWindow rom(*offer.romWindow);
        vendorCode = identifyBiosRom(session, rom);
        if (vendorCode != nullptr) {
            access.bios = AccessSource::RomWindow;
        }
    }

    DmiWorkingValues working;
    DmiSummary summary;
    const bool withDmi = session.options.skipDmi == 0 && offer.smbiosTables &&
                         readDmiInto(session, working, summary, true);
    if (withDmi) {
        access.dmi = AccessSource::SmbiosTables;
    }
    const FirmwareIdentity* identity =
        offer.identity && session.options.skipDmi == 0 ? &*offer.identity : nullptr;
    if (vendorCode == nullptr) {
        if (withDmi) {
            vendorCode = composeBiosFromStrings(session, summary.biosReleaseDate.view(),
                                                summary.biosVendor.view());
            access.bios = AccessSource::SmbiosTables;
        } else if (identity != nullptr) {
            vendorCode = composeBiosFromStrings(session, identity->biosDate, identity->biosVendor);
            access.bios = AccessSource::IdentityStrings;
        } else {
            vendorCode = composeBiosFromStrings(session, {}, {});
        }
    }
    showBoardData(session, withDmi, working);
    if (!withDmi && identity != nullptr) {
        takeIdentityNames(session.results, *identity);
        access.dmi = AccessSource::IdentityStrings;
    }
    // More information lists where each step read from, with or without
    // the DMI data's memory slots.
    session.view.showControl(kMoreInfo, true);
    session.view.showPassAccess(access);
    return completePass(session, vendorCode);
}

std::optional<PassOutcome> takeFirmwareRoute(DetectionSession& session, OsInfo& os,
                                             const std::string& why) {
    const SystemOffer offer = session.detectors.readSystemOffer();
    if (!offer.offersFirmware()) {
        return std::nullopt;
    }
    return runFirmwareRoute(session, os, offer, why);
}

}  // namespace romwise

#include "report/upgrade_request.h"

#include <array>
#include <string>

#include "model/control_ids.h"
#include "model/product_identity.h"
#include "report/product_config.h"
#include "report/url_encoding.h"

namespace romwise {

namespace {

constexpr char kSubmitRefusedAfterFailure[] =
    "Sorry! We are unable to submit your BIOS upgrade request online because of an error with "
    "BIOS detection!";
constexpr char kSubmitRefusedBeforePass[] =
    "You must select Get BIOS Info button before submitting BIOS upgrade request online.";
constexpr char kNoDefaultBrowser[] =
    "Romwise could not launch a default browser. Please install a default browser on this system.";
constexpr char kBrowserLaunchProblem[] =
    "Romwise encountered a problem trying to launch an Internet browser.\nRefer to FAQ on "
    "Romwise web page for additional information. CODE: %x\n\n%s";

// The short form stops after this many parameters (after uRSz).
constexpr std::size_t kShortFormFieldCount = 10;

struct QueryField {
    const char* key;
    std::string value;
};

std::array<QueryField, 17> queryFields(const DetectionResults& r, const char* biosVendorCode) {
    FixedText<16> timeZone;
    timeZone.format("%d", static_cast<int>(r.timeZoneHours));
    return {{
        {"uBDate", r.biosDateLine.from(kLineValueOffset)},
        {"uBType", biosVendorCode != nullptr ? biosVendorCode : ""},
        {"uBID", r.biosIdLine.from(kLineValueOffset)},
        {"uSIO", r.superIoLine.from(kLineValueOffset)},
        {"uCS", r.chipsetLine.from(kLineValueOffset)},
        {"uOEM", r.oemSignOnLine.from(kSignOnValueOffset)},
        {"uMBN", r.boardManufacturer.str()},
        {"uMBM", r.boardModel.str()},
        {"uRSt", r.romSocketedText.str()},
        {"uRSz", r.romSizeText.str()},
        {"uMs", r.installedMemoryText.str()},
        {"uMM", r.maxMemoryText.str()},
        {"uOS", r.osShortName.str()},
        {"uCPU", r.cpuLine.str()},
        {"uMc", r.memorySlotsLine.str()},
        {"uTZ", timeZone.str()},
        {"uCC", r.countryCode.str()},
    }};
}

bool isPrepared(const FixedText<800>& address) {
    return address.c_str()[0] == 'h';
}

// Plus signs escaped, then spaces encoded into the record's field.
void prepareAddress(std::string address, FixedText<800>& field) {
    escapePlusSigns(address);
    canonicalizeAddress(address, field);
}

// The upgrade form's address with every value in its query string: the full
// form or the first ten parameters. Values are escaped with escapeQueryValue;
// plus signs and spaces are left for the later steps.
std::string formatUpgradeRequest(const DetectionResults& results, const char* biosVendorCode,
                                 bool shortForm) {
    const auto fields = queryFields(results, biosVendorCode);
    const std::size_t count = shortForm ? kShortFormFieldCount : fields.size();
    std::string address = kUpgradeFormAddress;
    for (std::size_t i = 0; i < count; ++i) {
        address.push_back(i == 0 ? '?' : '&');
        address.append(fields[i].key);
        address.push_back('=');
        address.append(escapeQueryValue(fields[i].value));
    }
    return address;
}

}  // namespace

void buildUpgradeUrls(DetectionResults& results, const char* biosVendorCode) {
    prepareAddress(formatUpgradeRequest(results, biosVendorCode, false), results.upgradeUrl);
    prepareAddress(formatUpgradeRequest(results, biosVendorCode, true), results.upgradeUrlShort);
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
    // An address that is not prepared (it did not fit) is not handed over.
    const auto open = [&shell](const FixedText<800>& address) {
        return isPrepared(address) && shell.openAddress(address.str());
    };
    const bool launched =
        open(results.upgradeUrl) || open(results.upgradeUrlShort) ||
        (isPrepared(results.upgradeUrlShort) && shell.startBrowser(results.upgradeUrlShort.str()));
    if (!launched) {
        FixedText<512> message;
        message.format(kBrowserLaunchProblem, 0u, kFaqAddress);
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

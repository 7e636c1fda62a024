#include "app/detection_run.h"

#include <optional>

#include "app/pass_texts.h"
#include "model/control_ids.h"
#include "model/product_identity.h"
#include "model/run_texts.h"

namespace romwise {

namespace {

using namespace control;

// Fields emptied when a pass starts; the sign-on field gets one blank.
constexpr int kFieldsClearedAtStart[] = {
    kBiosDate,  kBiosType,       kSuperIo,          kChipset,         kBiosId,
    kRomSize,   kRomSocketed,    kMemoryMaximum,    kMemoryInstalled, kOperatingSystem,
    kProcessor, kProcessorSpeed, kProcessorMaxSpeed};

// The status line after a pass that stopped with a message box.
constexpr char kBlankStatus[] = " ";

PassOutcome failed(DetectionSession& session, const char* status) {
    session.view.setFieldText(kSignOn, status);
    session.results.runState = RunState::Failed;
    return {PassEnd::Failed, status, {}};
}

PassOutcome stopped(DetectionSession& session, PassEnd end, const char* message,
                    const std::string& reason = {}) {
    if (message != nullptr) {
        session.view.messageBoxWithReason(message, reason.c_str(), kApplicationTitle);
    }
    session.view.setFieldText(kSignOn, kBlankStatus);
    return {end, message != nullptr ? message : "", message != nullptr ? reason : ""};
}

void resetAtStart(DetectionResults& results, MainView& view) {
    results.dmiMajorVersion = 0;
    results.dmiMinorVersion = 0;
    results.installedMemoryMb = 0;
    results.dmiBiosVersion.setByte(0, '0');
    results.memorySlotSizes = MemorySlotSizes{};
    results.memorySlotSizes.capacity = kMemorySlotCapacity;
    results.memorySlotTexts = MemorySlotTexts{};
    view.showControl(kMoreInfo, false);
}

bool readDmiInto(Detectors& detectors, DetectionResults& results, DmiWorkingValues& working) {
    // Texts the table does not provide keep what the record held.
    DmiSummary summary;
    summary.manufacturer.assign(results.boardManufacturer.view());
    summary.model.assign(results.boardModel.view());
    summary.biosVersion.assign(results.dmiBiosVersion.view());
    summary.processorName.assign(results.dmiProcessorName.view());
    if (!detectors.readDmi(summary, results.memorySlotSizes)) {
        return false;
    }
    results.dmiMajorVersion = summary.majorVersion;
    results.dmiMinorVersion = summary.minorVersion;
    results.boardManufacturer.assign(summary.manufacturer.view());
    results.boardModel.assign(summary.model.view());
    results.dmiBiosVersion.assign(summary.biosVersion.view());
    results.dmiProcessorName.assign(summary.processorName.view());
    results.installedMemoryMb = summary.installedMemoryMb;
    working.romSizeBytes = summary.romSizeBytes;
    working.biosCharacteristics = summary.biosCharacteristics;
    working.maxMemoryMb = summary.maxMemoryMb;
    working.currentSpeedMhz = summary.currentSpeedMhz;
    working.maxSpeedMhz = summary.maxSpeedMhz;
    return true;
}

// The steps of a pass, in the order the pass takes them. A step that
// returns an outcome has ended the pass and said why.

// Resets what the previous pass left and creates the OS detector; nothing
// when it cannot be created, which fails the pass.
std::unique_ptr<OsInfo> startPass(DetectionSession& session) {
    resetAtStart(session.results, session.view);
    session.results.runState = RunState::Started;
    std::unique_ptr<OsInfo> os = session.detectors.createOsInfo();
    if (os) {
        os->queryVersion();
    }
    return os;
}

// Empties the fields, shows the operating system and fails the pass on a
// platform the program does not support.
std::optional<PassOutcome> identifyOperatingSystem(DetectionSession& session, OsInfo& os) {
    MainView& view = session.view;
    view.setFieldText(kSignOn, kBlankStatus);
    for (const int field : kFieldsClearedAtStart) {
        view.setFieldText(field, "");
    }
    composeOperatingSystem(os, session.results);
    view.setFieldText(kOperatingSystem, session.results.osFullName.c_str());
    if (!os.isSupportedPlatform()) {
        return failed(session, kUnsupportedPlatform);
    }
    view.setFieldText(kSignOn, kSearchingStatus);
    return std::nullopt;
}

std::optional<PassOutcome> checkAdministrator(DetectionSession& session, OsInfo& os) {
    if (os.needsAdministratorCheck() && !session.os.hasAdministratorRights()) {
        return stopped(session, PassEnd::StoppedAtAdministratorCheck, kInsufficientPrivileges);
    }
    return std::nullopt;
}

// The session's driver, opened by the first pass that gets here; nothing
// when it cannot be opened or is not usable, which stops the pass.
HardwareDriver* openDriver(DetectionSession& session, OsInfo& os) {
    DetectionResults& results = session.results;
    composeProgramDirectory(session.os.programPath(), os.isLinux() ? '/' : '\\',
                            results.programDirectory);
    if (!session.driver) {
        session.driver = session.driverHost.openHardwareDriver(
            results.programDirectory.view(), os.is64BitWindows(), os.isWindows9x());
        session.driverFailureReason = session.driverHost.lastFailureReason();
    }
    if (!session.driver || !session.driver->isActive()) {
        return nullptr;
    }
    return session.driver.get();
}

// The Super I/O chip (unless switched off), then the chipset.
void identifyChips(DetectionSession& session, HardwareDriver& driver) {
    DetectionResults& results = session.results;
    MainView& view = session.view;
    FixedText<260> line;
    if (session.options.skipSuperIo == 0 &&
        session.detectors.identifySuperIo(driver, session.skipPorts2E4E, line)) {
        results.superIoLine.assign(line.view());
        view.setFieldText(kSuperIo, results.superIoLine.from(kLineValueOffset));
    } else {
        view.setFieldText(kSuperIo, kUnknown);
        setLine(results.superIoLine, kSuperIoLabel, kUnknown);
    }

    line.clear();
    if (session.detectors.identifyChipset(driver, line, session.skipPorts2E4E)) {
        results.chipsetLine.assign(line.view());
        view.setFieldText(kChipset, results.chipsetLine.from(kLineValueOffset));
    } else {
        view.setFieldText(kChipset, kUnknown);
        setLine(results.chipsetLine, kChipsetLabel, kUnknown);
    }
}

// The BIOS lines from the ROM window; the vendor code of the upgrade
// request, or nothing when the ROM cannot be read.
const char* identifyBiosRom(DetectionSession& session, HardwareDriver& driver) {
    DetectionResults& results = session.results;
    MainView& view = session.view;
    if (!session.detectors.identifyBios(driver, results)) {
        view.setFieldText(kBiosDate, kUnknown);
        view.setFieldText(kBiosType, kUnknown);
        view.setFieldText(kBiosId, kUnknown);
        return nullptr;
    }
    cleanUpSignOnLine(results.oemSignOnLine);
    view.setFieldText(kBiosDate, results.biosDateLine.from(kLineValueOffset));
    view.setFieldText(kBiosType, results.biosTypeLine.from(kLineValueOffset));
    view.setFieldText(kBiosId, results.biosIdLine.from(kLineValueOffset));
    view.setFieldText(kSignOn, results.oemSignOnLine.from(kSignOnValueOffset));

    session.detectors.shortenAwardBiosId(results.biosTypeLine, results.biosIdLine);
    return biosVendorCode(results.biosTypeLine.view());
}

// Board, memory and processor from the DMI tables, or the fallbacks when
// they are switched off or cannot be read.
void readBoardData(DetectionSession& session) {
    DetectionResults& results = session.results;
    MainView& view = session.view;
    const std::uint64_t platformMemory = session.os.totalPhysicalMemoryBytes();
    DmiWorkingValues working;
    const bool withDmi =
        session.options.skipDmi == 0 && readDmiInto(session.detectors, results, working);
    const BoardFieldTexts shown =
        withDmi ? composeDmiTexts(working, platformMemory, results)
                : composeTextsWithoutDmi(session.detectors.identifyProcessor(), platformMemory,
                                         results);
    view.setFieldText(kRomSize, results.romSizeText.c_str());
    view.setFieldText(kRomSocketed, results.romSocketedText.c_str());
    view.setFieldText(kMemoryMaximum, results.maxMemoryText.c_str());
    view.setFieldText(kMemoryInstalled, results.installedMemoryText.c_str());
    view.setFieldText(kProcessor, shown.processorName.c_str());
    view.setFieldText(kProcessorSpeed, shown.processorSpeed.c_str());
    view.setFieldText(kProcessorMaxSpeed, shown.processorMaxSpeed.c_str());
    if (shown.biosIdSubstitute) {
        view.setFieldText(kBiosId, shown.biosIdSubstitute->c_str());
    }
    // More information has the DMI data's memory slots to list.
    view.showControl(kMoreInfo, withDmi);
    composeMemorySlotsLine(results.memorySlotSizes, results.memorySlotTexts,
                           results.memorySlotsLine);
}

// Locale, the upgrade request, and the buttons of a completed pass.
PassOutcome completePass(DetectionSession& session, const char* vendorCode) {
    DetectionResults& results = session.results;
    MainView& view = session.view;
    session.detectors.readLocaleAndTimeZone(results);
    session.detectors.buildUpgradeUrls(results, vendorCode);
    results.runState = RunState::Completed;

    view.resetButtonColors(kGetBiosInfo);
    view.setButtonColors(kSubmit, kHighlightTextColor, kHighlightFaceColor);
    view.enableControl(kSave, true);
    view.enableControl(kPrint, true);
    view.enableControl(kSubmit, true);
    view.setFocus(kSubmit);
    return {};
}

}  // namespace

PassOutcome runDetectionPass(DetectionSession& session) {
    const std::unique_ptr<OsInfo> os = startPass(session);
    if (!os) {
        return failed(session, kMemoryAllocationError);
    }
    if (auto ended = identifyOperatingSystem(session, *os)) {
        return *ended;
    }
    if (auto ended = checkAdministrator(session, *os)) {
        return *ended;
    }
    HardwareDriver* driver = openDriver(session, *os);
    if (driver == nullptr) {
        // Where the platform can say why the open failed or why the opened
        // driver is not usable, the reason goes on a line of its own under
        // the message.
        return stopped(session, PassEnd::StoppedAtDriver, kDriverLoadError,
                       session.driverFailureReason);
    }
    identifyChips(session, *driver);
    const char* vendorCode = identifyBiosRom(session, *driver);
    if (vendorCode == nullptr) {
        return stopped(session, PassEnd::StoppedAtRom, nullptr);
    }
    readBoardData(session);
    return completePass(session, vendorCode);
}

std::optional<PassOutcome> runFirmwareTablesPass(DetectionSession& session,
                                                 const std::string& why) {
    static_cast<void>(session);
    static_cast<void>(why);
    return std::nullopt;
}

}  // namespace romwise

#include "app/pass_steps.h"

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

}  // namespace

PassOutcome failPass(DetectionSession& session, const char* status) {
    session.view.setFieldText(kSignOn, status);
    session.results.runState = RunState::Failed;
    return {PassEnd::Failed, status, {}};
}

PassOutcome stopPass(DetectionSession& session, PassEnd end, const char* message,
                     const std::string& reason) {
    if (message != nullptr) {
        session.view.messageBoxWithReason(message, reason.c_str(), kApplicationTitle);
    }
    session.view.setFieldText(kSignOn, kBlankStatus);
    return {end, message != nullptr ? message : "", message != nullptr ? reason : ""};
}

std::unique_ptr<OsInfo> startPass(DetectionSession& session) {
    resetAtStart(session.results, session.view);
    session.results.runState = RunState::Started;
    std::unique_ptr<OsInfo> os = session.detectors.createOsInfo();
    if (os) {
        os->queryVersion();
    }
    return os;
}

std::optional<PassOutcome> identifyOperatingSystem(DetectionSession& session, OsInfo& os) {
    MainView& view = session.view;
    view.setFieldText(kSignOn, kBlankStatus);
    for (const int field : kFieldsClearedAtStart) {
        view.setFieldText(field, "");
    }
    composeOperatingSystem(os, session.results);
    view.setFieldText(kOperatingSystem, session.results.osFullName.c_str());
    if (!os.isSupportedPlatform()) {
        return failPass(session, kUnsupportedPlatform);
    }
    view.setFieldText(kSignOn, kSearchingStatus);
    return std::nullopt;
}

bool passesAdministratorCheck(DetectionSession& session, OsInfo& os) {
    return !os.needsAdministratorCheck() || session.os.hasAdministratorRights();
}

void composeProgramFolder(DetectionSession& session, OsInfo& os) {
    composeProgramDirectory(session.os.programPath(), os.isLinux() ? '/' : '\\',
                            session.results.programDirectory);
}

HardwareDriver* openDriver(DetectionSession& session, OsInfo& os) {
    DetectionResults& results = session.results;
    composeProgramFolder(session, os);
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

void showChipset(DetectionSession& session, bool found, const FixedText<260>& line) {
    DetectionResults& results = session.results;
    if (found) {
        results.chipsetLine.assign(line.view());
        session.view.setFieldText(kChipset, results.chipsetLine.from(kLineValueOffset));
    } else {
        session.view.setFieldText(kChipset, kUnknown);
        setLine(results.chipsetLine, kChipsetLabel, kUnknown);
    }
}

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
    const bool found = session.detectors.identifyChipset(driver, line, session.skipPorts2E4E);
    showChipset(session, found, line);
}

void showBiosLines(DetectionSession& session) {
    DetectionResults& results = session.results;
    MainView& view = session.view;
    view.setFieldText(kBiosDate, results.biosDateLine.from(kLineValueOffset));
    view.setFieldText(kBiosType, results.biosTypeLine.from(kLineValueOffset));
    view.setFieldText(kBiosId, results.biosIdLine.from(kLineValueOffset));
    view.setFieldText(kSignOn, results.oemSignOnLine.from(kSignOnValueOffset));
}

const char* identifyBiosRom(DetectionSession& session, HardwareDriver& rom) {
    DetectionResults& results = session.results;
    MainView& view = session.view;
    if (!session.detectors.identifyBios(rom, results)) {
        view.setFieldText(kBiosDate, kUnknown);
        view.setFieldText(kBiosType, kUnknown);
        view.setFieldText(kBiosId, kUnknown);
        return nullptr;
    }
    cleanUpSignOnLine(results.oemSignOnLine);
    showBiosLines(session);
    session.detectors.shortenAwardBiosId(results.biosTypeLine, results.biosIdLine);
    return biosVendorCode(results.biosTypeLine.view());
}

bool readDmiInto(DetectionSession& session, DmiWorkingValues& working, DmiSummary& summary,
                 bool fromTablesOnly) {
    DetectionResults& results = session.results;
    // Texts the table does not provide keep what the record held.
    summary.manufacturer.assign(results.boardManufacturer.view());
    summary.model.assign(results.boardModel.view());
    summary.biosVersion.assign(results.dmiBiosVersion.view());
    summary.processorName.assign(results.dmiProcessorName.view());
    const bool found = fromTablesOnly
                           ? session.detectors.readDmiFromTables(summary, results.memorySlotSizes)
                           : session.detectors.readDmi(summary, results.memorySlotSizes);
    if (!found) {
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

void showBoardData(DetectionSession& session, bool withDmi, const DmiWorkingValues& working) {
    DetectionResults& results = session.results;
    MainView& view = session.view;
    const std::uint64_t platformMemory = session.os.totalPhysicalMemoryBytes();
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

void readBoardData(DetectionSession& session) {
    DmiWorkingValues working;
    DmiSummary summary;
    const bool withDmi =
        session.options.skipDmi == 0 && readDmiInto(session, working, summary, false);
    showBoardData(session, withDmi, working);
}

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

}  // namespace romwise

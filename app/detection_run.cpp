#include "app/detection_run.h"

#include <cstring>
#include <string>

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

struct VendorRule {
    const char* typeText;
    const char* code;
};
// First match wins; "Phoenix - AwardBIOS" therefore counts as Award.
constexpr VendorRule kVendorRules[] = {
    {"Award", "Award"},    {"Phoenix", "Phoenix"}, {"AMI", "AMI"},
    {"Megatrends", "AMI"}, {"MR BIOS", "MR BIOS"},
};
constexpr char kOtherVendor[] = "Other";

// Maker words used in the BIOS ID substitute, tried in this order.
constexpr const char* kSubstituteMakers[] = {"Dell", "Gateway", "Compaq",
                                             "IBM",  "Sony",    "Hewlett-Packard"};

constexpr char kServicePackMarker[] = "Service Pack ";
constexpr std::uint32_t kRomSocketedBit = 0x20000;

std::string_view trimLeading(std::string_view text, char c) {
    while (!text.empty() && text.front() == c) {
        text.remove_prefix(1);
    }
    return text;
}

std::string_view trimTrailing(std::string_view text, char c) {
    while (!text.empty() && text.back() == c) {
        text.remove_suffix(1);
    }
    return text;
}

// Leading blanks removed; an empty result becomes "Unknown".
template <std::size_t N>
void normaliseDmiText(FixedText<N>& text) {
    const std::string trimmed(trimLeading(text.view(), ' '));
    text.assign(trimmed.empty() ? std::string_view(kUnknown) : std::string_view(trimmed));
}

void formatMegabytes(std::uint32_t megabytes, FixedText<20>& out) {
    if (megabytes != 0) {
        out.format("%1u MB", megabytes);
    } else {
        out.assign(kUnknown);
    }
}

void formatPlatformMemory(OsServices& os, FixedText<20>& out) {
    out.format("%ld %sB", static_cast<long>(os.totalPhysicalMemoryBytes() >> 20), "M");
}

void showSpeed(MainView& view, int controlId, std::uint16_t mhz) {
    FixedText<16> text;
    if (mhz != 0) {
        text.format("%1u Mhz", static_cast<unsigned>(mhz));
    } else {
        text.assign(kUnknown);
    }
    view.setFieldText(controlId, text.c_str());
}

void setProgramDirectory(OsServices& os, bool isLinux, FixedText<260>& directory) {
    FixedText<260> path;
    path.assign(os.programPath());
    const char separator = isLinux ? '/' : '\\';
    const std::string_view full = path.view();
    const std::size_t last = full.rfind(separator);
    directory.assign(last == std::string_view::npos ? std::string_view()
                                                    : full.substr(0, last + 1));
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

void composeOperatingSystem(OsInfo& os, DetectionResults& results) {
    os.productNames(results.osFullName, results.osShortName);
    os.versionText(results.osVersionText);
    results.osFullName.appendFormat(" Version: %s", results.osVersionText.c_str());
    if (const char* pack = std::strstr(results.osVersionText.c_str(), kServicePackMarker)) {
        results.osShortName.appendFormat(" SP%s", pack + std::strlen(kServicePackMarker));
    }
}

void cleanUpSignOnLine(FixedText<80>& line) {
    const std::string value(cleanSignOn(line.from(kSignOnValueOffset)));
    line.assignFrom(kSignOnValueOffset, value);
    // No sign-on line at all, or one whose text was nothing but blanks and
    // line breaks: either way the BIOS has no sign-on text.
    if (value.empty()) {
        setLine(line, kSignOnLabel, kNone);
    }
}

// The values the DMI step works with beside the record.
struct DmiWorkingValues {
    std::uint32_t romSizeBytes = 0;
    std::uint32_t biosCharacteristics = 0;
    std::uint32_t maxMemoryMb = 0;
    std::uint16_t currentSpeedMhz = 0;
    std::uint16_t maxSpeedMhz = 0;
};

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

void applyDmiData(DetectionSession& session, DmiWorkingValues& working) {
    DetectionResults& results = session.results;
    MainView& view = session.view;

    if (working.romSizeBytes != 0) {
        results.romSizeText.format("%luK", static_cast<unsigned long>(working.romSizeBytes / 1024));
    } else {
        results.romSizeText.assign(kUnknown);
    }
    view.setFieldText(kRomSize, results.romSizeText.c_str());

    if (working.biosCharacteristics == 0) {
        results.romSocketedText.assign(kUnknown);
    } else {
        results.romSocketedText.assign((working.biosCharacteristics & kRomSocketedBit) ? "Yes"
                                                                                       : "No");
    }
    view.setFieldText(kRomSocketed, results.romSocketedText.c_str());

    normaliseDmiText(results.boardManufacturer);
    normaliseDmiText(results.boardModel);

    if (working.maxMemoryMb < results.installedMemoryMb) {
        results.maxMemoryText.assign(kUnknown);
    } else {
        formatMegabytes(working.maxMemoryMb, results.maxMemoryText);
    }
    view.setFieldText(kMemoryMaximum, results.maxMemoryText.c_str());

    if (results.installedMemoryMb != 0) {
        results.installedMemoryText.format("%1u MB", results.installedMemoryMb);
    } else {
        formatPlatformMemory(session.os, results.installedMemoryText);
    }
    view.setFieldText(kMemoryInstalled, results.installedMemoryText.c_str());

    const std::string_view name = trimLeading(results.dmiProcessorName.view(), ' ');
    if (name.empty()) {
        results.cpuLine.assign(kUnknown);
        view.setFieldText(kProcessor, kUnknown);
    } else {
        const std::string trimmed(trimTrailing(name, ' '));
        composeCpuLine(trimmed, working.currentSpeedMhz, working.maxSpeedMhz, results.cpuLine);
        view.setFieldText(kProcessor, trimmed.c_str());
    }
    showSpeed(view, kProcessorSpeed, working.currentSpeedMhz);
    showSpeed(view, kProcessorMaxSpeed, working.maxSpeedMhz);

    const MemorySlotSizes& sizes = results.memorySlotSizes;
    MemorySlotTexts& texts = results.memorySlotTexts;
    for (std::uint16_t i = 0; i < sizes.count && i < kMemorySlotCapacity; ++i) {
        texts.text[i].format("%1u MB", sizes.sizeMb[i]);
        texts.count = static_cast<std::uint16_t>(i + 1);
    }

    if (std::strstr(results.biosIdLine.from(kLineValueOffset), kUnknown) != nullptr) {
        FixedText<512> substitute;
        composeBiosIdSubstitute(results.boardManufacturer.view(), results.boardModel.view(),
                                results.dmiBiosVersion.view(), substitute);
        view.setFieldText(kBiosId, substitute.c_str());
        results.biosIdLine.assignFrom(kLineValueOffset, substitute.view());
    }

    view.showControl(kMoreInfo, true);
}

void applyFallbacksWithoutDmi(DetectionSession& session) {
    DetectionResults& results = session.results;
    MainView& view = session.view;
    view.setFieldText(kRomSize, kUnknown);
    view.setFieldText(kRomSocketed, kUnknown);
    view.setFieldText(kMemoryMaximum, kUnknown);
    results.boardManufacturer.assign(kUnknown);
    results.boardModel.assign(kUnknown);
    results.romSizeText.assign(kUnknown);
    results.romSocketedText.assign(kUnknown);
    results.maxMemoryText.assign(kUnknown);

    formatPlatformMemory(session.os, results.installedMemoryText);
    view.setFieldText(kMemoryInstalled, results.installedMemoryText.c_str());

    const ProcessorIdentity cpu = session.detectors.identifyProcessor();
    view.setFieldText(kProcessor, cpu.name.c_str());
    FixedText<32> speed;
    speed.format("%d MHz", static_cast<int>(cpu.measuredMhz));
    view.setFieldText(kProcessorSpeed, speed.c_str());
    view.setFieldText(kProcessorMaxSpeed, kUnknown);
    results.cpuLine.format("%s %s", cpu.name.c_str(), speed.c_str());
}

// The steps of a pass, in the order the pass takes them. A step that
// returns false (or nothing) has ended the pass and said why.

// Resets what the previous pass left and creates the OS detector; nothing
// when it cannot be created, which fails the pass.
std::unique_ptr<OsInfo> startPass(DetectionSession& session) {
    resetAtStart(session.results, session.view);
    session.results.runState = RunState::Started;
    std::unique_ptr<OsInfo> os = session.detectors.createOsInfo();
    if (!os) {
        session.view.setFieldText(kSignOn, kMemoryAllocationError);
        session.results.runState = RunState::Failed;
        return nullptr;
    }
    os->queryVersion();
    return os;
}

// Empties the fields, shows the operating system and fails the pass on a
// platform the program does not support.
bool identifyOperatingSystem(DetectionSession& session, OsInfo& os) {
    MainView& view = session.view;
    view.setFieldText(kSignOn, " ");
    for (const int field : kFieldsClearedAtStart) {
        view.setFieldText(field, "");
    }
    composeOperatingSystem(os, session.results);
    view.setFieldText(kOperatingSystem, session.results.osFullName.c_str());
    if (!os.isSupportedPlatform()) {
        view.setFieldText(kSignOn, kUnsupportedPlatform);
        session.results.runState = RunState::Failed;
        return false;
    }
    view.setFieldText(kSignOn, kSearchingStatus);
    return true;
}

bool checkAdministrator(DetectionSession& session, OsInfo& os) {
    if (os.needsAdministratorCheck() && !session.os.hasAdministratorRights()) {
        session.view.messageBox(kInsufficientPrivileges, kApplicationTitle);
        session.view.setFieldText(kSignOn, " ");
        return false;
    }
    return true;
}

// The session's driver, opened by the first pass that gets here; nothing
// when it cannot be opened or is not usable.
HardwareDriver* openDriver(DetectionSession& session, OsInfo& os) {
    DetectionResults& results = session.results;
    setProgramDirectory(session.os, os.isLinux(), results.programDirectory);
    if (!session.driver) {
        session.driver = session.driverHost.openHardwareDriver(
            results.programDirectory.view(), os.is64BitWindows(), os.isWindows9x());
        session.driverFailureReason = session.driverHost.lastFailureReason();
    }
    if (!session.driver || !session.driver->isActive()) {
        // Where the platform can say why the open failed or why the opened
        // driver is not usable, the reason goes on a line of its own under
        // the message.
        session.view.messageBoxWithReason(kDriverLoadError, session.driverFailureReason.c_str(),
                                          kApplicationTitle);
        session.view.setFieldText(kSignOn, " ");
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
// request, or nothing when the ROM cannot be read, which ends the pass.
const char* identifyBiosRom(DetectionSession& session, HardwareDriver& driver) {
    DetectionResults& results = session.results;
    MainView& view = session.view;
    if (!session.detectors.identifyBios(driver, results)) {
        view.setFieldText(kBiosDate, kUnknown);
        view.setFieldText(kBiosType, kUnknown);
        view.setFieldText(kBiosId, kUnknown);
        view.setFieldText(kSignOn, " ");
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
    DmiWorkingValues working;
    if (session.options.skipDmi == 0 && readDmiInto(session.detectors, results, working)) {
        applyDmiData(session, working);
    } else {
        applyFallbacksWithoutDmi(session);
    }
    composeMemorySlotsLine(results.memorySlotSizes, results.memorySlotTexts,
                           results.memorySlotsLine);
}

// Locale, the upgrade request, and the buttons of a completed pass.
void completePass(DetectionSession& session, const char* vendorCode) {
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
}

}  // namespace

const char* biosVendorCode(std::string_view biosTypeLine) {
    for (const VendorRule& rule : kVendorRules) {
        if (biosTypeLine.find(rule.typeText) != std::string_view::npos) {
            return rule.code;
        }
    }
    return kOtherVendor;
}

void composeCpuLine(std::string_view name, std::uint16_t currentMhz, std::uint16_t& maxMhz,
                    FixedText<80>& cpuLine) {
    cpuLine.assign(name);
    if (currentMhz == 0) {
        return;
    }
    FixedText<32> speed;
    speed.format(" %1u Mhz", static_cast<unsigned>(currentMhz));
    if (cpuLine.size() + speed.size() >= 80) {
        return;
    }
    cpuLine.append(speed.view());
    if (maxMhz == 0) {
        return;
    }
    if (maxMhz < currentMhz) {
        maxMhz = 0;
        return;
    }
    speed.format(" MAX: %1u Mhz", static_cast<unsigned>(maxMhz));
    if (cpuLine.size() + speed.size() < 80) {
        cpuLine.append(speed.view());
    }
}

void composeMemorySlotsLine(const MemorySlotSizes& sizes, const MemorySlotTexts& texts,
                            FixedText<120>& line) {
    line.clear();
    if (texts.count == 0 || sizes.count == 0) {
        return;
    }
    for (int slot = 1; slot <= sizes.count && slot <= kMemorySlotCapacity; ++slot) {
        FixedText<64> entry;
        entry.format("Slot%d:%s   ", slot, texts.text[slot - 1].c_str());
        if (line.size() + entry.size() >= 80) {
            break;
        }
        line.append(entry.view());
    }
}

void composeBiosIdSubstitute(std::string_view manufacturer, std::string_view model,
                             std::string_view dmiBiosVersion, FixedText<512>& out) {
    std::string makerWord;
    if (manufacturer != kUnknown) {
        makerWord = std::string(manufacturer);
        for (const char* maker : kSubstituteMakers) {
            if (manufacturer.find(maker) != std::string_view::npos) {
                makerWord = maker;
                break;
            }
        }
    }
    std::string modelWord;
    if (model != kUnknown) {
        modelWord = std::string(trimTrailing(model, ' '));
    }
    const std::string version(dmiBiosVersion);
    out.format("%s %s BIOS Version: %s", makerWord.c_str(), modelWord.c_str(), version.c_str());
}

std::string_view cleanSignOn(std::string_view value) {
    value = trimTrailing(value, ' ');
    value = trimLeading(value, ' ');
    value = trimLeading(value, '\r');
    value = trimLeading(value, '\n');
    return value;
}

void runDetectionPass(DetectionSession& session) {
    const std::unique_ptr<OsInfo> os = startPass(session);
    if (!os || !identifyOperatingSystem(session, *os) || !checkAdministrator(session, *os)) {
        return;
    }
    HardwareDriver* driver = openDriver(session, *os);
    if (driver == nullptr) {
        return;
    }
    identifyChips(session, *driver);
    const char* vendorCode = identifyBiosRom(session, *driver);
    if (vendorCode == nullptr) {
        return;
    }
    readBoardData(session);
    completePass(session, vendorCode);
}

}  // namespace romwise

// Whole passes over fake detectors: what the record and the window hold
// afterwards, pass after pass.
#include <gtest/gtest.h>

#include "app/detection_run.h"
#include "fakes.h"
#include "model/control_ids.h"

namespace romwise {
namespace {

using namespace control;
using testing::FakeMachine;

TEST(DetectionRunTest, CompletedPassWithDmiFillsRecordAndWindow) {
    FakeMachine m;
    m.detectors.superIoLine = "Superio:   Winbond W83977EF rev 115 found at port 3F0h";
    m.detectors.chipsetLine = "Chipset:   Intel 82443BX rev 3";
    runDetectionPass(m.session);
    const DetectionResults& r = m.results;

    EXPECT_EQ(r.runState, RunState::Completed);
    EXPECT_EQ(r.superIoLine.str(), "Superio:   Winbond W83977EF rev 115 found at port 3F0h");
    EXPECT_EQ(m.view.field(kSuperIo), "Winbond W83977EF rev 115 found at port 3F0h");
    EXPECT_EQ(m.view.field(kChipset), "Intel 82443BX rev 3");
    EXPECT_EQ(m.view.field(kBiosDate), "11/03/99");
    EXPECT_EQ(m.view.field(kSignOn), "Quokka QB-440BX");
    EXPECT_EQ(r.oemSignOnLine.str(), "OEM Sign-On: Quokka QB-440BX");
    EXPECT_EQ(m.detectors.lastVendorCode, "Award");

    EXPECT_EQ(r.dmiMajorVersion, 2);
    EXPECT_EQ(r.romSizeText.str(), "256K");
    EXPECT_EQ(r.romSocketedText.str(), "Yes");
    EXPECT_EQ(r.boardManufacturer.str(), "Quokka Boards Inc.");
    EXPECT_EQ(r.maxMemoryText.str(), "768 MB");
    EXPECT_EQ(r.installedMemoryText.str(), "384 MB");
    EXPECT_EQ(r.cpuLine.str(), "Pentium III 500 Mhz MAX: 600 Mhz");
    EXPECT_EQ(m.view.field(kProcessor), "Pentium III");
    EXPECT_EQ(m.view.field(kProcessorSpeed), "500 Mhz");
    EXPECT_EQ(m.view.field(kProcessorMaxSpeed), "600 Mhz");
    EXPECT_EQ(r.memorySlotTexts.count, 3);
    EXPECT_EQ(r.memorySlotTexts.text[2].str(), "0 MB");
    EXPECT_EQ(r.memorySlotsLine.str(), "Slot1:128 MB   Slot2:256 MB   Slot3:0 MB   ");
    EXPECT_EQ(r.biosIdLine.str(), "BIOS ID:   10/29/99-i440BX-W977-2A69KA1IC-00");
    EXPECT_EQ(r.programDirectory.str(), "C:\\Program Files\\Romwise\\");
    EXPECT_EQ(r.timeZoneHours, 5);
    EXPECT_EQ(m.detectors.processorCalls, 0);

    EXPECT_TRUE(m.view.isVisible(kMoreInfo));
    EXPECT_TRUE(m.view.isEnabled(kSave));
    EXPECT_TRUE(m.view.isEnabled(kPrint));
    EXPECT_TRUE(m.view.isEnabled(kSubmit));
    EXPECT_EQ(m.view.focus(), kSubmit);
    EXPECT_TRUE(m.view.isHighlighted(kSubmit));
    EXPECT_FALSE(m.view.isHighlighted(kGetBiosInfo));
    EXPECT_TRUE(m.view.messages().empty());
}

TEST(DetectionRunTest, OperatingSystemTextsAreComposedEveryPass) {
    FakeMachine m;
    m.os.version.servicePackText = "Service Pack 1a";
    runDetectionPass(m.session);
    EXPECT_EQ(m.results.osFullName.str(), "Microsoft Windows XP Version: 5.1.2600 Service Pack 1a");
    EXPECT_EQ(m.results.osShortName.str(), "WinXP SP1a");
    EXPECT_EQ(m.view.field(kOperatingSystem), m.results.osFullName.str());

    runDetectionPass(m.session);  // rewritten, not appended to
    EXPECT_EQ(m.results.osShortName.str(), "WinXP SP1a");

    m.os.version.servicePackText = "";
    runDetectionPass(m.session);
    EXPECT_EQ(m.results.osShortName.str(), "WinXP");
}

TEST(DetectionRunTest, EachPassResetsDmiDataAndSlotTables) {
    FakeMachine m;
    runDetectionPass(m.session);
    ASSERT_EQ(m.results.dmiBiosVersion.str(), "1014 beta");

    m.options.skipDmi = 1;
    runDetectionPass(m.session);
    const DetectionResults& r = m.results;
    EXPECT_EQ(r.dmiMajorVersion, 0);
    EXPECT_EQ(r.dmiMinorVersion, 0);
    EXPECT_EQ(r.installedMemoryMb, 0u);
    EXPECT_EQ(r.dmiBiosVersion.str(), "0014 beta");
    EXPECT_EQ(r.memorySlotSizes.count, 0);
    EXPECT_EQ(r.memorySlotSizes.capacity, 16);
    EXPECT_EQ(r.memorySlotTexts.count, 0);
    EXPECT_TRUE(r.memorySlotsLine.empty());
    EXPECT_EQ(r.boardManufacturer.str(), "Unknown");
    EXPECT_FALSE(m.view.isVisible(kMoreInfo));
    EXPECT_EQ(m.detectors.dmiCalls, 1);
}

TEST(DetectionRunTest, FirstPassWithoutDmiUsesProcessorAndPlatformMemory) {
    FakeMachine m;
    m.options.skipDmi = 1;
    m.detectors.processor.measuredMhz = -1;
    runDetectionPass(m.session);
    const DetectionResults& r = m.results;
    EXPECT_EQ(r.runState, RunState::Completed);
    EXPECT_EQ(r.dmiBiosVersion.str(), "0");
    EXPECT_EQ(r.installedMemoryText.str(), "384 MB");
    EXPECT_EQ(r.romSizeText.str(), "Unknown");
    EXPECT_EQ(r.romSocketedText.str(), "Unknown");
    EXPECT_EQ(r.maxMemoryText.str(), "Unknown");
    EXPECT_EQ(m.view.field(kProcessorSpeed), "-1 MHz");
    EXPECT_EQ(m.view.field(kProcessorMaxSpeed), "Unknown");
    EXPECT_EQ(r.cpuLine.str(), "Pentium III -1 MHz");
    EXPECT_TRUE(r.memorySlotsLine.empty());
    EXPECT_FALSE(m.view.isVisible(kMoreInfo));
}

TEST(DetectionRunTest, DmiMemoryAndProcessorFallbacks) {
    FakeMachine m;
    m.detectors.dmi.maxMemoryMb = 256;  // below the installed 384 MB
    m.detectors.dmi.installedMemoryMb = 0;
    m.detectors.dmi.currentSpeedMhz = 0;
    m.detectors.dmi.biosCharacteristics = 0x80;  // characteristics without the socket bit
    runDetectionPass(m.session);
    EXPECT_EQ(m.results.maxMemoryText.str(), "256 MB");        // installed 0: not below
    EXPECT_EQ(m.results.installedMemoryText.str(), "384 MB");  // the platform's total
    EXPECT_EQ(m.results.romSocketedText.str(), "No");
    EXPECT_EQ(m.results.cpuLine.str(), "Pentium III");
    EXPECT_EQ(m.view.field(kProcessorSpeed), "Unknown");
    EXPECT_EQ(m.view.field(kProcessorMaxSpeed), "600 Mhz");

    m.detectors.dmi.installedMemoryMb = 512;
    m.detectors.dmi.biosCharacteristics = 0;
    m.detectors.dmi.processorName.assign("   ");
    runDetectionPass(m.session);
    EXPECT_EQ(m.results.maxMemoryText.str(), "Unknown");
    EXPECT_EQ(m.results.installedMemoryText.str(), "512 MB");
    EXPECT_EQ(m.results.romSocketedText.str(), "Unknown");
    EXPECT_EQ(m.results.cpuLine.str(), "Unknown");
    EXPECT_EQ(m.view.field(kProcessor), "Unknown");
}

TEST(DetectionRunTest, UnknownBiosIdIsReplacedFromDmiButOnlyInTheRecordAfterShortening) {
    FakeMachine m;
    m.detectors.biosId = "Unknown";
    m.detectors.dmi.manufacturer.assign("Dell Computer Corporation");
    m.detectors.dmi.model.assign("Dimension 4400  ");
    m.detectors.dmi.biosVersion.assign("A05");
    runDetectionPass(m.session);
    EXPECT_EQ(m.results.biosIdLine.str(), "BIOS ID:   Dell Dimension 4400 BIOS Version: A05");
    EXPECT_EQ(m.view.field(kBiosId), "Dell Dimension 4400 BIOS Version: A05");

    // A shortened Award ID changes the record, not the window.
    FakeMachine award;
    award.detectors.shortenedId = "10/29/99-i440BX-W977-2A69KA1IC";
    runDetectionPass(award.session);
    EXPECT_EQ(award.results.biosIdLine.str(), "BIOS ID:   10/29/99-i440BX-W977-2A69KA1IC");
    EXPECT_EQ(award.view.field(kBiosId), "10/29/99-i440BX-W977-2A69KA1IC-00");
}

TEST(DetectionRunTest, LongSubstituteIsCutToTheField) {
    FakeMachine m;
    m.detectors.biosId = "Unknown";
    m.detectors.dmi.manufacturer.assign(std::string(79, 'M'));
    m.detectors.dmi.model.assign(std::string(79, 'm'));
    runDetectionPass(m.session);
    EXPECT_EQ(m.results.biosIdLine.size(), 127u);
    EXPECT_EQ(m.results.biosIdLine.str().substr(0, 12), "BIOS ID:   M");
}

TEST(DetectionRunTest, MissingSignOnBecomesNone) {
    FakeMachine m;
    m.detectors.signOn = "";
    runDetectionPass(m.session);
    EXPECT_EQ(m.results.oemSignOnLine.str(), "OEM Sign-On: None");
    EXPECT_EQ(m.view.field(kSignOn), "None");
}

TEST(DetectionRunTest, SignOnOfOnlyBlanksAndLineBreaksBecomesNone) {
    for (const char* blankOnly : {"   ", "\r\n", " \r\n  "}) {
        FakeMachine m;
        m.detectors.signOn = blankOnly;
        runDetectionPass(m.session);
        EXPECT_EQ(m.results.oemSignOnLine.str(), "OEM Sign-On: None");
        EXPECT_EQ(m.view.field(kSignOn), "None");
    }
}

TEST(DetectionRunTest, SkippingSuperIoNeverCallsItsDetector) {
    FakeMachine m;
    m.detectors.superIoLine = "Superio:   Some chip rev 1 found at port 2Eh";
    m.options.skipSuperIo = 1;
    runDetectionPass(m.session);
    EXPECT_EQ(m.detectors.superIoCalls, 0);
    EXPECT_EQ(m.results.superIoLine.str(), "Superio:   Unknown");
    EXPECT_EQ(m.view.field(kSuperIo), "Unknown");
    EXPECT_EQ(m.results.chipsetLine.str(), "Chipset:   Unknown");
}

TEST(DetectionRunTest, FailedPasses) {
    FakeMachine noMemory;
    noMemory.detectors.osAllocationFails = true;
    runDetectionPass(noMemory.session);
    EXPECT_EQ(noMemory.results.runState, RunState::Failed);
    EXPECT_EQ(noMemory.view.field(kSignOn), "Memory allocation error!");

    FakeMachine win32s;
    win32s.os.version = WindowsVersionRecord{1, 0, 0, 0, "", 0};
    runDetectionPass(win32s.session);
    EXPECT_EQ(win32s.results.runState, RunState::Failed);
    EXPECT_EQ(win32s.view.field(kSignOn), "Romwise does not support this version of Windows!");
    EXPECT_EQ(win32s.view.field(kOperatingSystem), "Microsoft Win32s Version: 1.0.0 ");
    EXPECT_EQ(win32s.host.opens, 0);
}

TEST(DetectionRunTest, PassStoppedAtAdministratorCheckKeepsEarlierResults) {
    FakeMachine m;
    runDetectionPass(m.session);
    const std::string url = m.results.upgradeUrl.str();
    ASSERT_FALSE(url.empty());

    m.os.administrator = false;
    m.os.version.servicePackText = "Service Pack 3";
    runDetectionPass(m.session);
    const DetectionResults& r = m.results;
    EXPECT_EQ(r.runState, RunState::Started);
    EXPECT_EQ(r.upgradeUrl.str(), url);
    EXPECT_EQ(r.biosIdLine.str(), "BIOS ID:   10/29/99-i440BX-W977-2A69KA1IC-00");
    EXPECT_EQ(r.cpuLine.str(), "Pentium III 500 Mhz MAX: 600 Mhz");
    EXPECT_EQ(r.osShortName.str(), "WinXP SP3");  // rewritten by this pass
    EXPECT_EQ(r.dmiMajorVersion, 0);              // reset by this pass
    ASSERT_EQ(m.view.messages().size(), 1u);
    EXPECT_EQ(m.view.messages()[0].text,
              "Insufficient privileges to run this application. You must login as administrator!");
    EXPECT_EQ(m.view.messages()[0].caption, "Quorvel Romwise");
    EXPECT_EQ(m.view.field(kSignOn), " ");
    EXPECT_EQ(m.view.field(kBiosId), "");  // cleared at the start of the pass
}

TEST(DetectionRunTest, NinetyFivePlatformSkipsTheAdministratorCheck) {
    FakeMachine m;
    m.os.version = WindowsVersionRecord{4, 0, 950, 1, " C ", 0};
    m.os.administrator = false;
    runDetectionPass(m.session);
    EXPECT_EQ(m.results.runState, RunState::Completed);
    EXPECT_EQ(m.results.osFullName.str(), "Microsoft Windows 95 OSR2  Version: 4.0.950  C ");
}

TEST(DetectionRunTest, DriverThatFailsToOpenIsTriedAgainButAnInactiveOneIsNot) {
    FakeMachine missing;
    missing.host.setOutcome(false, false);
    runDetectionPass(missing.session);
    runDetectionPass(missing.session);
    EXPECT_EQ(missing.host.opens, 2);
    EXPECT_EQ(missing.results.runState, RunState::Started);
    ASSERT_EQ(missing.view.messages().size(), 2u);
    EXPECT_EQ(missing.view.messages()[0].text, "Error loading TVICHW driver!");
    EXPECT_EQ(missing.session.driverFailureReason, "no driver here");
    EXPECT_EQ(missing.detectors.biosCalls, 0);

    FakeMachine inactive;
    inactive.host.setOutcome(true, false);
    runDetectionPass(inactive.session);
    runDetectionPass(inactive.session);
    EXPECT_EQ(inactive.host.opens, 1);
    EXPECT_EQ(inactive.view.messages().size(), 2u);
    EXPECT_EQ(inactive.results.runState, RunState::Started);
}

TEST(DetectionRunTest, UnreadableRomEndsThePassWithUnknownBiosFields) {
    FakeMachine m;
    runDetectionPass(m.session);
    m.detectors.romMappable = false;
    runDetectionPass(m.session);
    EXPECT_EQ(m.results.runState, RunState::Started);
    EXPECT_EQ(m.view.field(kBiosDate), "Unknown");
    EXPECT_EQ(m.view.field(kBiosType), "Unknown");
    EXPECT_EQ(m.view.field(kBiosId), "Unknown");
    EXPECT_EQ(m.view.field(kSignOn), " ");
    EXPECT_EQ(m.results.biosDateLine.str(), "BIOS Date: 11/03/99");  // kept from the first pass
    EXPECT_EQ(m.detectors.dmiCalls, 1);
}

TEST(DetectionRunTest, SeventeenthMemorySlotIsNotRecorded) {
    FakeMachine m;
    m.detectors.slotSizes.assign(17, 64);
    runDetectionPass(m.session);
    EXPECT_EQ(m.results.memorySlotSizes.count, 16);
    EXPECT_EQ(m.results.memorySlotTexts.count, 16);
}

}  // namespace
}  // namespace romwise

// The firmware-tables route over fake detectors: when it is taken, what it
// leaves out, and where each BIOS line comes from.
#include <gtest/gtest.h>

#include "app/detection_run.h"
#include "fakes.h"
#include "model/control_ids.h"

namespace romwise {
namespace {

using namespace control;
using testing::FakeMachine;

std::vector<std::uint8_t> someRom() {
    return std::vector<std::uint8_t>(0x10000, 0);
}

TEST(FirmwareRouteTest, TakenOnlyWhereTheSystemOffersFirmware) {
    struct Case {
        const char* name;
        bool administrator;
        bool driverOpens;
        SystemOffer offer;
        RunState expected;
    };
    SystemOffer devicesOnly;
    devicesOnly.pciDevices = std::vector<ListedPciDevice>{{0, 0, 0, 0x8086, 0x7190, 3}};
    SystemOffer tables;
    tables.smbiosTables = true;
    const Case cases[] = {
        {"no rights, nothing offered", false, true, {}, RunState::Started},
        {"no driver, nothing offered", true, false, {}, RunState::Started},
        {"a device list is not firmware", true, false, devicesOnly, RunState::Started},
        {"no rights, tables offered", false, true, tables, RunState::Completed},
        {"no driver, tables offered", true, false, tables, RunState::Completed},
        {"the driver opens: its route", true, true, tables, RunState::Completed},
    };
    for (const Case& c : cases) {
        FakeMachine m;
        m.os.administrator = c.administrator;
        m.host.setOutcome(c.driverOpens, true);
        m.detectors.offer = c.offer;
        const PassOutcome outcome = runDetectionPass(m.session);
        EXPECT_EQ(m.results.runState, c.expected) << c.name;
        EXPECT_EQ(outcome.runState(), c.expected) << c.name;
        const bool routed = m.detectors.tableDmiCalls > 0;
        EXPECT_EQ(routed, c.expected == RunState::Completed && !(c.administrator && c.driverOpens))
            << c.name;
        // The message box belongs to the stopped pass alone.
        EXPECT_EQ(m.view.messages().empty(), c.expected == RunState::Completed) << c.name;
    }
}

TEST(FirmwareRouteTest, InstallsNothingAndProbesNoSuperIo) {
    FakeMachine m;
    m.os.administrator = false;
    m.detectors.offer.smbiosTables = true;
    m.detectors.offer.pciDevices = std::vector<ListedPciDevice>{{0, 0, 0, 0x8086, 0x7190, 3}};
    m.detectors.superIoLine = "Superio:   Winbond W83977EF rev 115 found at port 3F0h";
    m.detectors.chipsetLine = "Chipset:   Intel 440BX/ZX rev 3";
    runDetectionPass(m.session);

    EXPECT_EQ(m.host.opens, 0);
    EXPECT_EQ(m.detectors.superIoCalls, 0);
    EXPECT_EQ(m.view.field(kSuperIo), "Not probed (no port access)");
    EXPECT_EQ(m.results.superIoLine.str(), "Superio:   Not probed (no port access)");
    EXPECT_EQ(m.view.field(kChipset), "Intel 440BX/ZX rev 3");
    EXPECT_TRUE(m.view.isEnabled(kSubmit));
    EXPECT_EQ(m.results.programDirectory.str(), "C:\\Program Files\\Romwise\\");
}

TEST(FirmwareRouteTest, BiosLinesComeFromTheRomWindowElseTheFirmwaresStrings) {
    // The ROM window, when offered and readable, as the driver's mapping.
    FakeMachine rom;
    rom.host.setOutcome(false, true);
    rom.detectors.offer.romWindow = someRom();
    runDetectionPass(rom.session);
    EXPECT_EQ(rom.detectors.biosCalls, 1);
    EXPECT_EQ(rom.results.biosTypeLine.str(), "BIOS Type: Award Modular BIOS v6.00PG");
    EXPECT_EQ(rom.results.oemSignOnLine.str(), "OEM Sign-On: Quokka QB-440BX");

    // Without it, the BIOS Information's date and vendor; the DMI data's
    // substitute takes the ID's place.
    FakeMachine tables;
    tables.host.setOutcome(false, true);
    tables.detectors.offer.smbiosTables = true;
    tables.detectors.dmi.biosReleaseDate.assign("06/12/2023");
    tables.detectors.dmi.biosVendor.assign("American Megatrends Inc.");
    runDetectionPass(tables.session);
    EXPECT_EQ(tables.detectors.biosCalls, 0);
    EXPECT_EQ(tables.view.field(kBiosDate), "06/12/2023");
    EXPECT_EQ(tables.results.biosTypeLine.str(), "BIOS Type: American Megatrends Inc.");
    EXPECT_EQ(tables.detectors.lastVendorCode, "AMI");
    EXPECT_EQ(tables.results.oemSignOnLine.str(), "OEM Sign-On: None");
    EXPECT_EQ(tables.results.biosIdLine.str().find("Unknown"), std::string::npos);
    EXPECT_EQ(tables.results.runState, RunState::Completed);

    // Only the identity strings: BIOS and board names from them, the rest
    // as without DMI data.
    FakeMachine identity;
    identity.os.administrator = false;
    identity.detectors.offer.identity =
        FirmwareIdentity{"Phoenix Technologies LTD", "6.00 PG", "11/03/99", "Quokka", "QB-1"};
    runDetectionPass(identity.session);
    EXPECT_EQ(identity.detectors.tableDmiCalls, 0);
    EXPECT_EQ(identity.results.biosDateLine.str(), "BIOS Date: 11/03/99");
    EXPECT_EQ(identity.detectors.lastVendorCode, "Phoenix");
    EXPECT_EQ(identity.results.biosIdLine.str(), "BIOS ID:   Unknown");
    EXPECT_EQ(identity.results.boardManufacturer.str(), "Quokka");
    EXPECT_EQ(identity.results.boardModel.str(), "QB-1");
    EXPECT_EQ(identity.results.dmiBiosVersion.str(), "6.00 PG");
    EXPECT_EQ(identity.results.maxMemoryText.str(), "Unknown");
    EXPECT_TRUE(identity.view.isVisible(kMoreInfo)) << "it lists the route's sources";
}

TEST(FirmwareRouteTest, WholePassForARefusedHelperShowsNothingWhenNothingIsOffered) {
    FakeMachine nothing;
    EXPECT_FALSE(runFirmwareTablesPass(nothing.session, "no privileged helper: refused"));
    EXPECT_EQ(nothing.results.runState, RunState::NotRun);
    EXPECT_TRUE(nothing.view.fields().empty());

    FakeMachine offered;
    offered.detectors.offer.smbiosTables = true;
    const auto outcome = runFirmwareTablesPass(offered.session, "no privileged helper: refused");
    ASSERT_TRUE(outcome);
    EXPECT_EQ(outcome->end, PassEnd::Completed);
    EXPECT_EQ(offered.host.opens, 0);
    EXPECT_FALSE(offered.view.field(kOperatingSystem).empty());
}

}  // namespace
}  // namespace romwise

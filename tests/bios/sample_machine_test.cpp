// The default sample machine: its Award ROM through the simulated driver,
// and a whole detection pass that shows the ID as read and keeps the
// shortened one for the reports.
#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "app/detection_run.h"
#include "app/detection_session.h"
#include "app/standard_detectors.h"
#include "bios/identify_bios.h"
#include "cli/cli_view.h"
#include "model/control_ids.h"
#include "platform/sim/profile_loader.h"
#include "platform/sim/sim_platform.h"
#include "tests/bios/crafted_rom.h"

namespace romwise::bios_test {
namespace {

const std::string kSamples = ROMWISE_SAMPLES_DIR;

std::unique_ptr<HardwareDriver> OpenDriver(sim::SimPlatform& platform) {
    return platform.driverHost().openHardwareDriver("C:\\Program Files\\Romwise\\", false, false);
}

TEST(SampleMachineTest, DefaultSampleIsAnAwardBiosWithItsFourLines) {
    sim::SimPlatform platform(sim::loadMachineProfile(kSamples + "/award-440bx.json"));
    const auto driver = OpenDriver(platform);
    ASSERT_NE(driver, nullptr);
    BiosLines lines;
    ASSERT_TRUE(IdentifyBios(*driver, lines.date, lines.type, lines.id, lines.signOn));
    EXPECT_EQ(lines.date, "BIOS Date: 11/03/99");
    EXPECT_EQ(lines.type, "BIOS Type: Award Modular BIOS v4.51PG");
    EXPECT_EQ(lines.id, "BIOS ID:   10/29/99-i440BX-W977-2A69KA1IC-00");
    EXPECT_EQ(lines.signOn, "OEM Sign-On:    Quokka Boards QB-440BX ACPI BIOS Revision 1014   ");
    ShortenAwardBiosId(lines.type, lines.id);
    EXPECT_EQ(lines.id, "BIOS ID:   10/29/99-i440BX-W977-2A69KA1IC");
}

TEST(SampleMachineTest, UnmappableRomFailsWithTheLinesUntouched) {
    sim::SimPlatform platform(sim::loadMachineProfile(kSamples + "/rom-unmappable.json"));
    const auto driver = OpenDriver(platform);
    ASSERT_NE(driver, nullptr);
    BiosLines lines;
    lines.type = "kept";
    EXPECT_FALSE(IdentifyBios(*driver, lines.date, lines.type, lines.id, lines.signOn));
    EXPECT_EQ(lines.type, "kept");
}

TEST(SampleMachineTest, PassShowsTheIdAsReadAndRecordsTheShortenedOne) {
    sim::SimPlatform platform(sim::loadMachineProfile(kSamples + "/award-440bx.json"));
    StandardDetectors detectors(platform);
    std::ostringstream errors;
    CliView view(errors);
    DetectionResults results;
    DetectionOptions options;
    DetectionSession session(results, options, view, detectors, platform.os(),
                             platform.driverHost());
    runDetectionPass(session);

    ASSERT_EQ(results.runState, RunState::Completed) << errors.str();
    EXPECT_EQ(view.field(control::kBiosId), "10/29/99-i440BX-W977-2A69KA1IC-00");
    EXPECT_EQ(results.biosIdLine, "BIOS ID:   10/29/99-i440BX-W977-2A69KA1IC");
    EXPECT_EQ(view.field(control::kBiosType), "Award Modular BIOS v4.51PG");
    EXPECT_EQ(view.field(control::kBiosDate), "11/03/99");
    // The sign-on loses its blanks on both sides.
    EXPECT_EQ(results.oemSignOnLine, "OEM Sign-On: Quokka Boards QB-440BX ACPI BIOS Revision 1014");
    EXPECT_EQ(view.field(control::kSignOn), "Quokka Boards QB-440BX ACPI BIOS Revision 1014");
}

}  // namespace
}  // namespace romwise::bios_test

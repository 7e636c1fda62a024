// ReadDmi and whole detection passes on the sample machines.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <vector>

#include "app/detection_run.h"
#include "app/detection_session.h"
#include "app/standard_detectors.h"
#include "cli/cli_stream_output.h"
#include "cli/cli_view.h"
#include "dmi/read_dmi.h"
#include "model/control_ids.h"
#include "platform/sim/profile_loader.h"
#include "platform/sim/sim_platform.h"
#include "tests/support/scratch_files.h"

namespace romwise::dmi_test {
namespace {

using test_support::TempDirectory;

std::string Sample(const std::string& name) {
    return (std::filesystem::path(ROMWISE_SAMPLES_DIR) / name).string();
}

std::vector<std::uint32_t> Slots(const MemorySlotSizes& slots) {
    return {slots.sizeMb.begin(), slots.sizeMb.begin() + slots.count};
}

struct SampleReading {
    bool found = false;
    DmiSummary summary;
    MemorySlotSizes slots;
};

SampleReading ReadSample(const std::string& profile) {
    sim::SimPlatform platform(sim::loadMachineProfile(Sample(profile)));
    SampleReading reading;
    reading.slots.capacity = kMemorySlotCapacity;
    DmiReader reader(platform.createPhysicalMemoryWindow());
    reading.found = ReadDmi(reader, reading.summary, reading.slots);
    return reading;
}

TEST(SampleMachines, DefaultBoard) {
    const SampleReading r = ReadSample("award-440bx.json");
    ASSERT_TRUE(r.found);
    EXPECT_EQ(r.summary.majorVersion, 2);
    EXPECT_EQ(r.summary.minorVersion, 3);
    EXPECT_EQ(r.summary.romSizeBytes, 256u * 1024u);
    EXPECT_NE(r.summary.biosCharacteristics & 0x20000u, 0u) << "the ROM is socketed";
    EXPECT_EQ(r.summary.manufacturer.str(), "Quokka Boards Inc.");
    EXPECT_EQ(r.summary.model.str(), "QB-440BX");
    EXPECT_EQ(r.summary.biosVersion.str(), "QB-440BX ACPI BIOS Revision 1014");
    EXPECT_EQ(r.summary.processorName.str(), "Intel(R) Pentium(R) III processor");
    EXPECT_EQ(r.summary.currentSpeedMhz, 500);
    EXPECT_EQ(r.summary.maxSpeedMhz, 600);
    EXPECT_EQ(r.summary.maxMemoryMb, 768u);
    EXPECT_EQ(r.summary.installedMemoryMb, 384u);
    EXPECT_EQ(Slots(r.slots), (std::vector<std::uint32_t>{128, 256, 0}));
}

TEST(SampleMachines, SeventeenMemoryDevices) {
    const SampleReading r = ReadSample("many-slots.json");
    ASSERT_TRUE(r.found);
    EXPECT_EQ(r.summary.installedMemoryMb, 4096u);
    ASSERT_EQ(r.slots.count, 16);
    EXPECT_EQ(r.slots.sizeMb[4], 0u);
    EXPECT_EQ(r.slots.sizeMb[15], 256u);
}

TEST(SampleMachines, NoPhysicalMemoryWindow) {
    EXPECT_FALSE(ReadSample("no-dmi.json").found);
}

// A whole pass on the default sample: the window's DMI fields and the
// more-information button.
TEST(SampleMachines, PassShowsDmiFieldsAndMoreInformation) {
    sim::SimPlatform platform(sim::loadMachineProfile(Sample("award-440bx.json")));
    DetectionResults results;
    DetectionOptions options;
    std::ostringstream errors;
    CliView view(errors);
    StandardDetectors detectors(platform);
    DetectionSession session(results, options, view, detectors, platform.os(),
                             platform.driverHost());
    runDetectionPass(session);

    using namespace control;
    EXPECT_EQ(view.field(kProcessor), "Intel(R) Pentium(R) III processor");
    EXPECT_EQ(view.field(kProcessorSpeed), "500 Mhz");
    EXPECT_EQ(view.field(kProcessorMaxSpeed), "600 Mhz");
    EXPECT_EQ(view.field(kRomSocketed), "Yes");
    EXPECT_EQ(view.field(kRomSize), "256K");
    EXPECT_EQ(view.field(kMemoryInstalled), "384 MB");
    EXPECT_EQ(view.field(kMemoryMaximum), "768 MB");
    EXPECT_TRUE(view.isVisible(kMoreInfo));

    options.skipDmi = 1;
    runDetectionPass(session);
    EXPECT_FALSE(view.isVisible(kMoreInfo));
    EXPECT_EQ(view.field(kRomSize), "Unknown");
}

nlohmann::json RunCliJson(const std::vector<std::string>& arguments) {
    processDetectionResults() = DetectionResults{};
    std::ostringstream out, errors;
    std::vector<std::string> all = arguments;
    all.insert(all.end(), {"--format", "json"});
    const int status = runCli(all, out, errors);
    EXPECT_EQ(status, 0) << errors.str();
    return nlohmann::json::parse(out.str());
}

TEST(SampleMachines, CommandLineJsonCarriesTheDmiFields) {
    const nlohmann::json doc = RunCliJson({"--machine", Sample("award-440bx.json")});
    const nlohmann::json& r = doc["results"];
    EXPECT_EQ(r["dmiMajorVersion"], 2);
    EXPECT_EQ(r["dmiMinorVersion"], 3);
    EXPECT_EQ(r["boardManufacturer"], "Quokka Boards Inc.");
    EXPECT_EQ(r["boardModel"], "QB-440BX");
    EXPECT_EQ(r["dmiBiosVersion"], "QB-440BX ACPI BIOS Revision 1014");
    EXPECT_EQ(r["dmiProcessorName"], "Intel(R) Pentium(R) III processor");
    EXPECT_EQ(r["installedMemoryMb"], 384);
    EXPECT_EQ(r["memorySlotSizes"]["capacity"], 16);
    EXPECT_EQ(r["memorySlotSizes"]["sizeMb"], nlohmann::json({128, 256, 0}));
    EXPECT_EQ(r["memorySlotTexts"]["text"], nlohmann::json({"128 MB", "256 MB", "0 MB"}));
    EXPECT_EQ(r["memorySlotsLine"], "Slot1:128 MB   Slot2:256 MB   Slot3:0 MB   ");
    EXPECT_EQ(r["romSizeText"], "256K");
    EXPECT_EQ(r["romSocketedText"], "Yes");
    EXPECT_EQ(r["installedMemoryText"], "384 MB");
    EXPECT_EQ(r["maxMemoryText"], "768 MB");
    EXPECT_EQ(r["cpuLine"], "Intel(R) Pentium(R) III processor 500 Mhz MAX: 600 Mhz");
    EXPECT_EQ(r["biosIdLine"], "BIOS ID:   10/29/99-i440BX-W977-2A69KA1IC")
        << "a recognised BIOS ID is not replaced";
}

TEST(SampleMachines, CommandLineJsonWithSeventeenDevices) {
    const nlohmann::json doc = RunCliJson({"--machine", Sample("many-slots.json")});
    const nlohmann::json& r = doc["results"];
    EXPECT_EQ(r["installedMemoryText"], "4096 MB");
    EXPECT_EQ(r["memorySlotSizes"]["count"], 16);
    EXPECT_EQ(r["memorySlotTexts"]["count"], 16);
    // Each entry is 15 characters; a sixth would reach 80.
    EXPECT_EQ(r["memorySlotsLine"],
              "Slot1:256 MB   Slot2:256 MB   Slot3:256 MB   Slot4:256 MB   Slot5:0 MB   ");
}

// A ROM window without a recognisable BIOS: the BIOS ID is made from the
// DMI maker, model and BIOS version; the system maker's leading blanks go.
TEST(SampleMachines, UnknownBiosIdIsReplacedFromDmi) {
    TempDirectory dir;
    const std::string profile =
        dir.write("blank-rom.json", R"({"smbiosDump": ")" + Sample("award-440bx.dmi") +
                                        R"(", "os": {"family": "windows", "platformId": 2,
                              "majorVersion": 5, "minorVersion": 1, "buildNumber": 2600},
                              "cpu": null})");
    const nlohmann::json doc = RunCliJson({"--machine", profile});
    EXPECT_EQ(doc["results"]["biosIdLine"],
              "BIOS ID:   Quokka Boards Inc. QB-440BX BIOS Version: QB-440BX ACPI BIOS Revision "
              "1014");
    EXPECT_EQ(doc["dialog"]["1002"],
              "Quokka Boards Inc. QB-440BX BIOS Version: QB-440BX ACPI BIOS Revision 1014");
}

// A whole pass on a real Dell notebook's table and a ROM window without a
// recognisable BIOS: maker and model come from System Information (the board
// is a Dell), and the BIOS ID substitute uses the maker word "Dell" and the
// model without its trailing blanks.
TEST(SampleMachines, RealDellTableThroughAWholePass) {
    const std::filesystem::path dump =
        std::filesystem::path(ROMWISE_CORPUS_DIR) / "smbios" / "dell_latitude-d610.bin";
    if (!std::filesystem::exists(dump)) {
        GTEST_SKIP() << "skipped: corpus dump not found at " << dump;
    }
    TempDirectory dir;
    const std::string profile =
        dir.write("dell.json", R"({"smbiosDump": ")" + dump.string() +
                                   R"(", "os": {"family": "windows", "platformId": 2,
                         "majorVersion": 5, "minorVersion": 1, "buildNumber": 2600},
                         "memoryTotalBytes": 1073741824, "cpu": null})");
    const nlohmann::json doc = RunCliJson({"--machine", profile});
    const nlohmann::json& r = doc["results"];
    EXPECT_EQ(r["boardManufacturer"], "Dell Inc.");
    EXPECT_EQ(r["boardModel"], "Latitude D610                   ");
    EXPECT_EQ(r["dmiBiosVersion"], "A06");
    EXPECT_EQ(r["biosIdLine"], "BIOS ID:   Dell Latitude D610 BIOS Version: A06");
    EXPECT_EQ(doc["dialog"]["1021"], "1600 Mhz");
    EXPECT_EQ(doc["dialog"]["1018"], "1800 Mhz");
    // The processor has no version string and a family (Pentium M) that the
    // family table does not name: no processor text, while both speeds show.
    EXPECT_EQ(r["cpuLine"], "Unknown");
    EXPECT_EQ(doc["dialog"]["1016"], "Unknown");
}

}  // namespace
}  // namespace romwise::dmi_test

// romwise-cli end to end on the Super I/O sample machines: the lines each one
// names, --skip-superio, --passes 2 and the port trace.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <vector>

#include "cli/cli_stream_output.h"
#include "model/detection_results.h"

namespace romwise {
namespace {

const std::string kSamples = ROMWISE_SAMPLES_DIR;

std::string Sample(const std::string& name) {
    return kSamples + "/" + name;
}

class CliChipsTest : public testing::Test {
  protected:
    void TearDown() override { std::filesystem::remove(tracePath_); }

    // One romwise-cli process: a fresh record (the chipset flag belongs to
    // the run's own session).
    nlohmann::json runJson(std::vector<std::string> arguments) {
        processDetectionResults() = DetectionResults{};
        arguments.insert(arguments.end(), {"--format", "json"});
        std::ostringstream out, err;
        const int status = runCli(arguments, out, err);
        EXPECT_EQ(status, 0) << err.str();
        return nlohmann::json::parse(out.str());
    }

    std::vector<std::string> runTraced(const std::string& profile, std::vector<std::string> more,
                                       nlohmann::json& doc) {
        std::vector<std::string> arguments = {"--machine", Sample(profile), "--trace-ports",
                                              tracePath_.string()};
        arguments.insert(arguments.end(), more.begin(), more.end());
        doc = runJson(arguments);
        std::ifstream file(tracePath_);
        std::vector<std::string> lines;
        for (std::string l; std::getline(file, l);) {
            lines.push_back(l);
        }
        return lines;
    }

    static bool touchesPort(const std::vector<std::string>& lines, std::size_t from,
                            const std::string& port) {
        for (std::size_t i = from; i < lines.size(); ++i) {
            const auto& l = lines[i];
            if (l.rfind("W " + port + " ", 0) == 0 || l.rfind("R " + port + " ", 0) == 0) {
                return true;
            }
        }
        return false;
    }

    const std::filesystem::path tracePath_ =
        std::filesystem::temp_directory_path() /
        ("romwise-chips-cli-trace-" + std::to_string(getpid()) + ".txt");
};

TEST_F(CliChipsTest, EverySampleNamesItsChipAndChipset) {
    struct Case {
        const char* profile;
        const char* superIo;
        const char* chipset;
    } cases[] = {
        {"award-440bx.json", "Superio:   Winbond 977EF rev 3 found at port 3F0h",
         "Chipset:   Intel 440BX/ZX rev 3"},
        {"superio-umc.json", "Superio:   UMC 8663A rev 0 found at port 108h",
         "Chipset:   OPTi 82C557 rev 0"},
        {"superio-ite-pnp.json", "Superio:   ITE 8671 rev 2 found at port 279h",
         "Chipset:   SiS 501 rev 1"},
        {"superio-ite.json", "Superio:   ITE 8712F rev 7 found at port 2Eh",
         "Chipset:   VIA 82C3099 rev 0"},
        {"superio-southbridge.json", "Superio:   ALi M1543 rev 195 found at port 7h",
         "Chipset:   ALi M1541 rev 4"},
        {"superio-winbond-877.json", "Superio:   Winbond 877F (use 87h) rev 0 found at port 3F0h",
         "Chipset:   Intel Triton 430VX rev 2"},
        {"superio-via-2e.json", "Superio:   Winbond 627F/HF rev 7 found at port 2Eh",
         "Chipset:   VIA 82C585 rev 2"},
        {"superio-smc.json", "Superio:   SMC 666IR rev 1 found at port 3F0h",
         "Chipset:   Intel Triton 430HX rev 3"},
        {"superio-ct.json", "Superio:   C&T 82C735 or SMC 661/663/664 rev 0 found at port 3F0h",
         "Chipset:   VLSI VL82C594 rev 1"},
        {"superio-nsc.json", "Superio:   NSC 306 rev 3 found at port 15Ch",
         "Chipset:   Intel Natoma 440FX rev 2"},
        {"superio-lgs.json", "Superio:   LGS Prime 3C rev 2 found at port 398h",
         "Chipset:   AMD 751 rev 37"},
        {"superio-ali.json", "Superio:   ALi M5143 rev 0 found at port 3F0h",
         "Chipset:   ALi M1521 rev 1"},
        {"superio-ali-m5113.json", "Superio:   ALi M5113 rev 0 found at port 3F1h",
         "Chipset:   SiS 5597 rev 0"},
        {"superio-hmc.json", "Superio:   HMC 83755 rev 0 found at port 250h",
         "Chipset:   AMD 640 rev 5"},
        {"superio-intel82091.json", "Superio:   Intel 82091AA rev 3 found at port 24h",
         "Chipset:   Intel Neptune 430NX/LX rev 17"},
    };
    for (const Case& c : cases) {
        const auto doc = runJson({"--machine", Sample(c.profile)});
        EXPECT_EQ(doc["runState"], "Completed") << c.profile;
        EXPECT_EQ(doc["results"]["superIoLine"], c.superIo) << c.profile;
        EXPECT_EQ(doc["results"]["chipsetLine"], c.chipset) << c.profile;
        // The dialog shows the text after the 11-character label.
        EXPECT_EQ(doc["dialog"]["1003"], std::string(c.superIo).substr(11)) << c.profile;
        EXPECT_EQ(doc["dialog"]["1008"], std::string(c.chipset).substr(11)) << c.profile;
    }
}

TEST_F(CliChipsTest, NoKnownChipsetIsUnknown) {
    // A board whose only PCI device belongs to no vendor of the table.
    const auto dir = std::filesystem::temp_directory_path() /
                     ("romwise-chips-cli-unknown-" + std::to_string(getpid()));
    std::filesystem::create_directories(dir);
    const auto profile = dir / "board.json";
    {
        std::ofstream file(profile);
        file << R"({ "os": { "platformId": 2, "majorVersion": 5, "minorVersion": 1 },
                     "rom": ")"
             << Sample("award-440bx-rom.bin") << R"(",
                     "pci": [ { "device": 0, "vendor": "0x10DE", "deviceId": "0x01E0" } ] })";
    }
    const auto doc = runJson({"--machine", profile.string()});
    std::filesystem::remove_all(dir);
    EXPECT_EQ(doc["results"]["chipsetLine"], "Chipset:   Unknown");
    EXPECT_EQ(doc["dialog"]["1008"], "Unknown");
    EXPECT_EQ(doc["results"]["superIoLine"], "Superio:   Unknown");
}

TEST_F(CliChipsTest, SkipSuperIoTouchesNoSuperIoPort) {
    nlohmann::json doc;
    const auto lines = runTraced("award-440bx.json", {"--skip-superio"}, doc);
    EXPECT_EQ(doc["results"]["superIoLine"], "Superio:   Unknown");
    EXPECT_EQ(doc["results"]["chipsetLine"], "Chipset:   Intel 440BX/ZX rev 3");
    ASSERT_FALSE(lines.empty()) << "the chipset scan is traced";
    for (const auto& l : lines) {
        EXPECT_TRUE(l.rfind("W32 CF8 ", 0) == 0 || l.rfind("R32 CFC ", 0) == 0) << l;
    }
}

TEST_F(CliChipsTest, TraceShowsTheChainAndTheChipsetScan) {
    nlohmann::json doc;
    const auto lines = runTraced("award-440bx.json", {}, doc);
    ASSERT_GE(lines.size(), 4u);
    EXPECT_EQ(lines.front(), "W 108 AA") << "the chain starts with the UMC probe";
    // The chipset scan ends the pass, stopping at the Intel host bridge.
    EXPECT_EQ(std::vector<std::string>(lines.end() - 4, lines.end()),
              (std::vector<std::string>{"W32 CF8 80000008", "R32 CFC 00000003", "W32 CF8 80000000",
                                        "R32 CFC 71908086"}));
    // The Winbond chip was opened and closed at 3F0h and named.
    EXPECT_NE(std::find(lines.begin(), lines.end(), "R 3F1 52"), lines.end());
    EXPECT_NE(std::find(lines.begin(), lines.end(), "R 3F1 F3"), lines.end());
}

TEST_F(CliChipsTest, Via0585HidesTheChipAt2EFromTheSecondPassOn) {
    nlohmann::json one;
    const auto firstOnly = runTraced("superio-via-2e.json", {}, one);
    EXPECT_EQ(one["results"]["superIoLine"], "Superio:   Winbond 627F/HF rev 7 found at port 2Eh");
    EXPECT_TRUE(touchesPort(firstOnly, 0, "2E"));

    nlohmann::json two;
    const auto both = runTraced("superio-via-2e.json", {"--passes", "2"}, two);
    EXPECT_EQ(two["results"]["superIoLine"], "Superio:   Unknown");
    EXPECT_EQ(two["results"]["chipsetLine"], "Chipset:   VIA 82C585 rev 2");
    ASSERT_GT(both.size(), firstOnly.size());
    EXPECT_TRUE(std::equal(firstOnly.begin(), firstOnly.end(), both.begin()))
        << "the first of two passes is the same as a single pass";
    for (const char* port : {"2E", "2F", "4E", "4F"}) {
        EXPECT_FALSE(touchesPort(both, firstOnly.size(), port)) << port << " in the second pass";
    }
    EXPECT_TRUE(touchesPort(both, firstOnly.size(), "370")) << "the second pass still probes";
}

}  // namespace
}  // namespace romwise

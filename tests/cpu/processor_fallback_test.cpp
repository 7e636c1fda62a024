// The run's processor fallback end to end: a pass without DMI data names the
// processor and shows its measured clock.
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <sstream>
#include <string>

#include "cli/cli_stream_output.h"
#include "model/control_ids.h"
#include "model/detection_results.h"

namespace romwise {
namespace {

TEST(ProcessorFallback, CommandLineShowsTheIdentifiedProcessorWithoutDmi) {
    processDetectionResults() = DetectionResults{};
    std::ostringstream out;
    std::ostringstream errors;
    const std::string profile = std::string(ROMWISE_SAMPLES_DIR) + "/no-dmi.json";
    ASSERT_EQ(runCli({"--machine", profile, "--format", "json"}, out, errors), 0) << errors.str();

    const auto document = nlohmann::json::parse(out.str());
    const auto& dialog = document["dialog"];
    EXPECT_EQ(dialog[std::to_string(control::kProcessor)], "Pentium® III (0.25 µm)");
    EXPECT_EQ(dialog[std::to_string(control::kProcessorSpeed)], "500 MHz");
    EXPECT_EQ(dialog[std::to_string(control::kProcessorMaxSpeed)], "Unknown");
    EXPECT_EQ(document["results"]["cpuLine"], "Pentium® III (0.25 µm) 500 MHz");
}

}  // namespace
}  // namespace romwise

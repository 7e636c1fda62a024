// Speed of what one romwise-cli process does on the default sample machine.
#include <benchmark/benchmark.h>

#include <fstream>
#include <iterator>
#include <sstream>
#include <vector>

#include <nlohmann/json.hpp>

#include "cli/cli_stream_output.h"
#include "model/detection_results.h"
#include "platform/sim/profile_json.h"
#include "platform/sim/profile_loader.h"

namespace {

const std::string kDefaultSample = std::string(ROMWISE_SAMPLES_DIR) + "/award-440bx.json";

void BM_LoadDefaultProfile(benchmark::State& state) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(romwise::sim::loadMachineProfile(kDefaultSample));
    }
}
BENCHMARK(BM_LoadDefaultProfile)->Unit(benchmark::kMicrosecond);

std::vector<std::uint8_t> defaultSampleText() {
    std::ifstream in(kDefaultSample, std::ios::binary);
    return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), {});
}

// The default profile's text into the loader's value tree, with its checks
// (repeated keys, depth), as the loader parses it.
void BM_ParseDefaultProfileJson(benchmark::State& state) {
    const std::vector<std::uint8_t> text = defaultSampleText();
    const romwise::sim::ProfileFields fields(kDefaultSample);
    for (auto _ : state) {
        benchmark::DoNotOptimize(romwise::sim::parseProfileJson(text, fields));
    }
}
BENCHMARK(BM_ParseDefaultProfileJson)->Unit(benchmark::kMicrosecond);

// The same text into the JSON library's own tree, without the checks: what
// the loader's parse would cost if it kept that tree.
void BM_ParseDefaultProfileLibraryTree(benchmark::State& state) {
    const std::vector<std::uint8_t> text = defaultSampleText();
    for (auto _ : state) {
        benchmark::DoNotOptimize(nlohmann::json::parse(text.begin(), text.end()));
    }
}
BENCHMARK(BM_ParseDefaultProfileLibraryTree)->Unit(benchmark::kMicrosecond);

void BM_WholeCliRunJson(benchmark::State& state) {
    for (auto _ : state) {
        romwise::processDetectionResults() = romwise::DetectionResults{};
        std::ostringstream out, err;
        const int status =
            romwise::runCli({"--machine", kDefaultSample, "--format", "json"}, out, err);
        if (status != 0) {
            state.SkipWithError("the pass did not complete");
            break;
        }
        benchmark::DoNotOptimize(out.str());
    }
}
BENCHMARK(BM_WholeCliRunJson)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();

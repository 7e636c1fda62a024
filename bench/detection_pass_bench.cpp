// Speed of what one romwise-cli process does on the default sample machine.
#include <benchmark/benchmark.h>

#include <sstream>

#include "cli/cli_stream_output.h"
#include "model/detection_results.h"
#include "platform/sim/profile_loader.h"

namespace {

const std::string kDefaultSample = std::string(ROMWISE_SAMPLES_DIR) + "/award-440bx.json";

void BM_LoadDefaultProfile(benchmark::State& state) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(romwise::sim::loadMachineProfile(kDefaultSample));
    }
}
BENCHMARK(BM_LoadDefaultProfile)->Unit(benchmark::kMicrosecond);

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

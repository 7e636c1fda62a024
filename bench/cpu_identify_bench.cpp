// Speed of processor identification: the whole identification over every
// real CPUID dump of the corpus on the simulated processor (the rules alone,
// the virtual clock costs nothing), and on this machine's own processor the
// pieces that take real time: one guarded identification instruction, the
// bit-scan loop of the clock estimate, and the whole identification with its
// 50-ms clock measurement.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "cpu/cpu_info.h"
#include "platform/linux/linux_fault_guard.h"
#include "platform/linux/linux_processor_access.h"
#include "platform/sim/cpuid_dump_parser.h"
#include "platform/sim/sim_processor_access.h"

namespace {

namespace fs = std::filesystem;

void IdentifyDump(benchmark::State& state, const romwise::sim::ProfileCpu& profile) {
    std::string name;
    for (auto _ : state) {
        romwise::sim::SimProcessorAccess processor(profile);
        romwise::CpuInfo cpu(processor);
        cpu.identifyProcessor();
        benchmark::DoNotOptimize(cpu.displayName());
        name = cpu.displayName();
    }
    state.SetLabel(name);
}

std::vector<romwise::sim::ProfileCpu>& Profiles() {
    static std::vector<romwise::sim::ProfileCpu> profiles;
    return profiles;
}

void GuardedCpuidLeaf0(benchmark::State& state) {
    romwise::LinuxProcessorAccess processor;
    romwise::CpuidRegisters registers;
    for (auto _ : state) {
        const bool executed = processor.cpuid(0, registers);
        benchmark::DoNotOptimize(executed);
        benchmark::DoNotOptimize(registers);
    }
}

void EmptyBody(void*) {}

// The guard alone around an empty body: with its handlers installed and
// removed by each run (argument 0), and kept installed (argument 1) as the
// processor access keeps them.
void FaultGuardAlone(benchmark::State& state) {
    std::unique_ptr<romwise::FaultGuardHandlers> kept;
    if (state.range(0) != 0) {
        kept = std::make_unique<romwise::FaultGuardHandlers>();
    }
    for (auto _ : state) {
        const bool completed = romwise::runWithFaultGuard(EmptyBody, nullptr);
        benchmark::DoNotOptimize(completed);
    }
}

void BitScanLoop(benchmark::State& state) {
    romwise::LinuxProcessorAccess processor;
    for (auto _ : state) {
        const bool ran = processor.runBitScanLoop();
        benchmark::DoNotOptimize(ran);
    }
}

void IdentifyThisProcessor(benchmark::State& state) {
    romwise::LinuxProcessorAccess processor;
    std::int32_t mhz = 0;
    for (auto _ : state) {
        romwise::CpuInfo cpu(processor);
        cpu.identifyProcessor();
        mhz = cpu.measuredMhz();
        benchmark::DoNotOptimize(mhz);
    }
    state.counters["measuredMhz"] = mhz;
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<romwise::sim::ProfileCpu>& profiles = Profiles();
    const fs::path directory = fs::path(ROMWISE_CORPUS_DIR) / "cpuid";
    std::vector<std::string> names;
    if (fs::is_directory(directory)) {
        std::vector<fs::path> paths;
        for (const auto& entry : fs::directory_iterator(directory)) {
            if (entry.is_regular_file()) {
                paths.push_back(entry.path());
            }
        }
        std::sort(paths.begin(), paths.end());
        for (const fs::path& path : paths) {
            std::ifstream in(path, std::ios::binary);
            std::ostringstream text;
            text << in.rdbuf();
            romwise::sim::ProfileCpu profile;
            profile.leaves = romwise::sim::parseCpuidDump(text.str());
            profile.clockMhz = 1000;
            profiles.push_back(std::move(profile));
            names.push_back("IdentifyProcessor/corpus/" + path.stem().string());
        }
    } else {
        std::cerr << "corpus not found at " << directory << ": only this processor is measured\n";
    }
    for (std::size_t i = 0; i < profiles.size(); ++i) {
        benchmark::RegisterBenchmark(names[i].c_str(), IdentifyDump, profiles[i]);
    }
#if defined(__i386__) || defined(__x86_64__)
    benchmark::RegisterBenchmark("FaultGuard/keptHandlers", FaultGuardAlone)->Arg(0)->Arg(1);
    benchmark::RegisterBenchmark("GuardedCpuid/leaf0", GuardedCpuidLeaf0);
    benchmark::RegisterBenchmark("BitScanLoop/10000000", BitScanLoop)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("IdentifyProcessor/this-machine", IdentifyThisProcessor)
        ->Unit(benchmark::kMillisecond)
        ->Iterations(10);
#endif
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

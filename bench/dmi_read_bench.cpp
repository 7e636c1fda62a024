// Speed of the SMBIOS reading.
//
// ReadDmi/corpus/NAME: one whole reading (entry point search, table window,
// every extraction walk) over each corpus dump with a 32-bit entry point,
// through the simulated physical-memory window, in process.
//
// Process/romwise-cli and Process/dmidecode: side by side, a whole
// `romwise-cli --format json` process on the default sample machine with its
// SMBIOS dump replaced by the largest corpus dump, and a whole
// `dmidecode --from-dump` process on that same dump. Wall time per process.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <memory>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "dmi/read_dmi.h"
#include "platform/sim/profile_loader.h"
#include "platform/sim/sim_platform.h"

extern char** environ;

namespace {

namespace fs = std::filesystem;

const fs::path kSmbiosCorpus = fs::path(ROMWISE_CORPUS_DIR) / "smbios";
const fs::path kSamples = ROMWISE_SAMPLES_DIR;

std::vector<std::uint8_t> ReadBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

bool HasSmbiosEntryPoint(const fs::path& path) {
    const std::vector<std::uint8_t> bytes = ReadBytes(path);
    return bytes.size() >= 4 && std::equal(bytes.begin(), bytes.begin() + 4, "_SM_");
}

// The corpus dumps with a "_SM_" entry point at their start, by name.
std::vector<fs::path> SmbiosDumps() {
    std::vector<fs::path> dumps;
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(kSmbiosCorpus, error)) {
        if (entry.path().extension() == ".bin" && HasSmbiosEntryPoint(entry.path())) {
            dumps.push_back(entry.path());
        }
    }
    std::sort(dumps.begin(), dumps.end());
    return dumps;
}

// The default sample with every file named by an absolute path and its
// SMBIOS dump replaced by `dump`, written into `directory`.
fs::path ProfileWithDump(const fs::path& directory, const fs::path& dump) {
    std::ifstream in(kSamples / "award-440bx.json");
    nlohmann::json profile = nlohmann::json::parse(in);
    profile["rom"] = (kSamples / profile["rom"].get<std::string>()).string();
    profile["cpu"]["cpuidDump"] =
        (kSamples / profile["cpu"]["cpuidDump"].get<std::string>()).string();
    profile["smbiosDump"] = dump.string();
    const fs::path file = directory / (dump.stem().string() + ".json");
    std::ofstream(file) << profile.dump(2);
    return file;
}

void ReadDump(benchmark::State& state, const fs::path& profilePath) {
    romwise::sim::SimPlatform platform(romwise::sim::loadMachineProfile(profilePath.string()));
    std::uint32_t installed = 0;
    for (auto _ : state) {
        romwise::DmiSummary summary;
        romwise::MemorySlotSizes slots;
        slots.capacity = romwise::kMemorySlotCapacity;
        romwise::DmiReader reader(platform.createPhysicalMemoryWindow());
        const bool found = romwise::ReadDmi(reader, summary, slots);
        benchmark::DoNotOptimize(found);
        installed = summary.installedMemoryMb;
    }
    state.SetLabel(std::to_string(installed) + " MB installed");
}

// Runs `arguments` with its output thrown away and waits for it.
bool RunProcess(const std::vector<std::string>& arguments) {
    std::vector<char*> argv;
    for (const std::string& argument : arguments) {
        argv.push_back(const_cast<char*>(argument.c_str()));
    }
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    pid_t child = 0;
    const int spawned = posix_spawn(&child, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0) {
        return false;
    }
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

void Process(benchmark::State& state, const std::vector<std::string>& arguments,
             const std::string& dumpName) {
    if (!RunProcess(arguments)) {
        state.SkipWithError(("cannot run " + arguments[0]).c_str());
        return;
    }
    for (auto _ : state) {
        benchmark::DoNotOptimize(RunProcess(arguments));
    }
    state.SetLabel(dumpName);
}

std::string FindDmidecode() {
    for (const char* candidate : {"/usr/sbin/dmidecode", "/sbin/dmidecode", "/usr/bin/dmidecode"}) {
        if (access(candidate, X_OK) == 0) {
            return candidate;
        }
    }
    return {};
}

}  // namespace

int main(int argc, char** argv) {
    const std::vector<fs::path> dumps = SmbiosDumps();
    if (dumps.empty()) {
        std::cerr << "no SMBIOS dumps found at " << kSmbiosCorpus << ": nothing to measure\n";
        return 0;
    }
    const fs::path directory =
        fs::temp_directory_path() / ("romwise-dmi-bench-" + std::to_string(getpid()));
    fs::create_directories(directory);

    for (const fs::path& dump : dumps) {
        benchmark::RegisterBenchmark(("ReadDmi/corpus/" + dump.stem().string()).c_str(), ReadDump,
                                     ProfileWithDump(directory, dump));
    }

    const fs::path largest = *std::max_element(
        dumps.begin(), dumps.end(),
        [](const fs::path& a, const fs::path& b) { return fs::file_size(a) < fs::file_size(b); });
    const fs::path profile = ProfileWithDump(directory, largest);
    benchmark::RegisterBenchmark("Process/romwise-cli", Process,
                                 std::vector<std::string>{ROMWISE_CLI_PATH, "--machine",
                                                          profile.string(), "--format", "json"},
                                 largest.filename().string())
        ->UseRealTime()
        ->Unit(benchmark::kMillisecond);
    if (const std::string dmidecode = FindDmidecode(); !dmidecode.empty()) {
        benchmark::RegisterBenchmark(
            "Process/dmidecode", Process,
            std::vector<std::string>{dmidecode, "--from-dump", largest.string()},
            largest.filename().string())
            ->UseRealTime()
            ->Unit(benchmark::kMillisecond);
    } else {
        std::cerr << "dmidecode not found: only romwise-cli is measured\n";
    }

    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::error_code ignored;
    fs::remove_all(directory, ignored);
    return 0;
}

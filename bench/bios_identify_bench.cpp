// Speed of IdentifyBios: one benchmark per real ROM window of the corpus,
// and two crafted windows where no recogniser matches, so that every search
// runs over the whole window (one of them full of the searched texts' first
// letters, which makes every candidate position a partial match). After the
// table it prints the median, fastest and slowest time per corpus window.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

#include "bios/identify_bios.h"

namespace {

namespace fs = std::filesystem;

// Hands out a window held in memory, as the real driver's mapping would.
class InMemoryRomDriver final : public romwise::HardwareDriver {
  public:
    explicit InMemoryRomDriver(const std::vector<std::uint8_t>& window) : window_(window) {}
    bool isActive() override { return true; }
    bool tryReadPortByte(std::uint32_t, std::uint8_t&) override { return false; }
    bool tryReadPortDword(std::uint32_t, std::uint32_t&) override { return false; }
    bool tryWritePortByte(std::uint32_t, std::uint8_t) override { return false; }
    bool tryWritePortDword(std::uint32_t, std::uint32_t) override { return false; }
    const std::uint8_t* mapPhysToLinear(std::uint32_t, std::uint32_t) override {
        return window_.data();
    }

  private:
    const std::vector<std::uint8_t>& window_;
};

void IdentifyWindow(benchmark::State& state, const std::vector<std::uint8_t>& window) {
    InMemoryRomDriver driver(window);
    romwise::FixedText<24> date;
    romwise::FixedText<80> type;
    romwise::FixedText<128> id;
    romwise::FixedText<80> signOn;
    for (auto _ : state) {
        const bool mapped = romwise::IdentifyBios(driver, date, type, id, signOn);
        benchmark::DoNotOptimize(mapped);
        benchmark::ClobberMemory();
    }
    state.SetLabel(type.c_str());
}

constexpr std::string_view kCorpusPrefix = "IdentifyBios/corpus/";

// The console table, and the time per window of every corpus benchmark for
// the summary: the single run's time, or the median of repetitions.
class CorpusSummaryReporter final : public benchmark::ConsoleReporter {
  public:
    // Plain text, so that the output can be kept in files and logs.
    CorpusSummaryReporter() : ConsoleReporter(OO_Tabular) {}

    void ReportRuns(const std::vector<Run>& reports) override {
        ConsoleReporter::ReportRuns(reports);
        for (const Run& run : reports) {
            const bool single = run.run_type == Run::RT_Iteration && run.repetitions <= 1;
            const bool median = run.run_type == Run::RT_Aggregate && run.aggregate_name == "median";
            if ((single || median) && !run.error_occurred &&
                run.run_name.function_name.rfind(kCorpusPrefix, 0) == 0) {
                cpuMicroseconds.push_back(run.GetAdjustedCPUTime());
                realMicroseconds.push_back(run.GetAdjustedRealTime());
            }
        }
    }

    std::vector<double> cpuMicroseconds;
    std::vector<double> realMicroseconds;
};

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    return values.size() % 2 != 0 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

void PrintSummary(const CorpusSummaryReporter& reporter) {
    const std::vector<double>& cpu = reporter.cpuMicroseconds;
    if (cpu.empty()) {
        return;
    }
    const auto [fastest, slowest] = std::minmax_element(cpu.begin(), cpu.end());
    std::cout << "corpus windows: " << cpu.size() << ", time per window (us): median CPU "
              << Median(cpu) << ", median wall " << Median(reporter.realMicroseconds)
              << ", fastest CPU " << *fastest << ", slowest CPU " << *slowest << "\n";
}

std::vector<std::vector<std::uint8_t>>& Windows() {
    static std::vector<std::vector<std::uint8_t>> windows;
    return windows;
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::vector<std::uint8_t>>& windows = Windows();
    std::vector<std::string> names;
    const fs::path rom = fs::path(ROMWISE_CORPUS_DIR) / "rom";
    if (fs::is_directory(rom)) {
        std::vector<fs::path> paths;
        for (const auto& entry : fs::recursive_directory_iterator(rom)) {
            if (entry.is_regular_file() && entry.path().extension() == ".bin") {
                paths.push_back(entry.path());
            }
        }
        std::sort(paths.begin(), paths.end());
        for (const fs::path& path : paths) {
            std::ifstream in(path, std::ios::binary);
            std::vector<std::uint8_t> bytes(std::istreambuf_iterator<char>(in), {});
            if (bytes.size() == romwise::kRomLength) {
                windows.push_back(std::move(bytes));
                names.push_back(std::string(kCorpusPrefix) + path.stem().string());
            }
        }
    } else {
        std::cerr << "corpus not found at " << rom << ": only the crafted windows are measured\n";
    }
    windows.emplace_back(romwise::kRomLength, std::uint8_t{0});
    names.push_back("IdentifyBios/crafted/blank");
    // First letters of the searched texts, repeated: no text matches whole.
    std::vector<std::uint8_t> letters(romwise::kRomLength);
    const std::string firsts = "APAMCSIBDOE$80";
    for (std::size_t i = 0; i < letters.size(); ++i) {
        letters[i] = static_cast<std::uint8_t>(firsts[i % firsts.size()]);
    }
    windows.push_back(std::move(letters));
    names.push_back("IdentifyBios/crafted/first-letters");

    for (std::size_t i = 0; i < windows.size(); ++i) {
        const std::vector<std::uint8_t>& window = windows[i];
        benchmark::RegisterBenchmark(names[i].c_str(), [&window](benchmark::State& state) {
            IdentifyWindow(state, window);
        })->Unit(benchmark::kMicrosecond);
    }
    benchmark::Initialize(&argc, argv);
    CorpusSummaryReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    PrintSummary(reporter);
    benchmark::Shutdown();
    return 0;
}

// Speed of port access and of the Super I/O chain on the simulated port space:
// requests per second through PortIo and mechanism #1, the whole chain on a
// machine with nothing to find, on the default board, and in its longest
// branch (a UMC chip whose register C0h never changes: 65,535 samples).
#include <benchmark/benchmark.h>

#include <cstdint>
#include <initializer_list>
#include <utility>
#include <vector>

#include "chips/chipset_detector.h"
#include "chips/superio_detector.h"
#include "hw/pci_config_access.h"
#include "hw/port_io.h"
#include "model/fixed_text.h"
#include "platform/sim/sim_physical_memory.h"
#include "platform/sim/sim_port_driver.h"
#include "platform/sim/sim_port_space.h"

namespace {

using romwise::FixedText;
using romwise::HardwareDriver;
using romwise::sim::PciDevice;
using romwise::sim::SuperIoChip;
using romwise::sim::WriteSequence;

// Counts the requests that reach the simulated driver.
class CountingDriver final : public HardwareDriver {
  public:
    explicit CountingDriver(HardwareDriver& inner) : inner_(inner) {}
    bool isActive() override { return inner_.isActive(); }
    bool tryReadPortByte(std::uint32_t port, std::uint8_t& value) override {
        ++requests;
        return inner_.tryReadPortByte(port, value);
    }
    bool tryReadPortDword(std::uint32_t port, std::uint32_t& value) override {
        ++requests;
        return inner_.tryReadPortDword(port, value);
    }
    bool tryWritePortByte(std::uint32_t port, std::uint8_t value) override {
        ++requests;
        return inner_.tryWritePortByte(port, value);
    }
    bool tryWritePortDword(std::uint32_t port, std::uint32_t value) override {
        ++requests;
        return inner_.tryWritePortDword(port, value);
    }
    const std::uint8_t* mapPhysToLinear(std::uint32_t address, std::uint32_t length) override {
        return inner_.mapPhysToLinear(address, length);
    }

    std::uint64_t requests = 0;

  private:
    HardwareDriver& inner_;
};

// A simulated machine with the given chips and PCI devices.
class Board {
  public:
    Board(std::vector<SuperIoChip> chips, std::vector<PciDevice> pci)
        : ports_(chips, pci),
          memory_(noRegions_),
          sim_(ports_, memory_, true, true),
          driver_(sim_) {}

    CountingDriver& driver() { return driver_; }

  private:
    const std::vector<romwise::sim::MemoryRegion> noRegions_;
    romwise::sim::SimPortSpace ports_;
    romwise::sim::SimPhysicalMemory memory_;
    romwise::sim::SimPortDriver sim_;
    CountingDriver driver_;
};

WriteSequence Key(std::uint16_t port, std::initializer_list<std::uint8_t> bytes) {
    WriteSequence sequence;
    for (const std::uint8_t b : bytes) {
        sequence.emplace_back(port, b);
    }
    return sequence;
}

// The default sample's Winbond W83977EF at 3F0h.
SuperIoChip DefaultWinbond() {
    SuperIoChip chip;
    chip.indexPort = 0x3F0;
    chip.dataPort = 0x3F1;
    chip.unlock = {Key(0x3F0, {0x87, 0x87})};
    chip.lock = {Key(0x3F0, {0xAA})};
    chip.registers = {{0x20, 0x52}, {0x21, 0xF3}, {0x22, 0xFF}, {0x07, 0x00}, {0x26, 0x00}};
    return chip;
}

// A UMC chip whose register C0h never changes.
SuperIoChip SteadyUmc() {
    SuperIoChip chip;
    chip.indexPort = 0x108;
    chip.dataPort = 0x109;
    chip.unlock = {Key(0x108, {0xAA})};
    chip.lock = {Key(0x108, {0x55})};
    chip.registers = {{0xC2, 0x00}, {0xC0, 0x10}};
    return chip;
}

const std::vector<PciDevice> k440bx = {{0, 0x8086, 0x7190, 3}, {7, 0x8086, 0x7110, 2}};

void ReportRequests(benchmark::State& state, const CountingDriver& driver) {
    state.counters["requests/s"] =
        benchmark::Counter(static_cast<double>(driver.requests), benchmark::Counter::kIsRate);
    state.counters["requests/iter"] = benchmark::Counter(static_cast<double>(driver.requests),
                                                         benchmark::Counter::kAvgIterations);
}

// One byte read of a port nothing answers.
void BM_ReadPortByteEmptyPort(benchmark::State& state) {
    Board board({}, {});
    for (auto _ : state) {
        benchmark::DoNotOptimize(romwise::ReadPortByte(board.driver(), 0x2F));
    }
    ReportRequests(state, board.driver());
}
BENCHMARK(BM_ReadPortByteEmptyPort);

// A register read of an open chip: index write, data read.
void BM_RegisterReadOpenChip(benchmark::State& state) {
    Board board({DefaultWinbond()}, {});
    romwise::WritePortByte(board.driver(), 0x3F0, 0x87);
    romwise::WritePortByte(board.driver(), 0x3F0, 0x87);
    for (auto _ : state) {
        romwise::WritePortByte(board.driver(), 0x3F0, 0x20);
        benchmark::DoNotOptimize(romwise::ReadPortByte(board.driver(), 0x3F1));
    }
    ReportRequests(state, board.driver());
}
BENCHMARK(BM_RegisterReadOpenChip);

// One configuration dword through CF8h/CFCh.
void BM_ReadConfigDword(benchmark::State& state) {
    Board board({}, k440bx);
    romwise::PortPciConfigAccess pci(board.driver());
    for (auto _ : state) {
        benchmark::DoNotOptimize(pci.ReadConfigDword(0, 0, 0, 0x00));
    }
    ReportRequests(state, board.driver());
}
BENCHMARK(BM_ReadConfigDword);

void RunChain(benchmark::State& state, std::vector<SuperIoChip> chips, std::vector<PciDevice> pci) {
    Board board(std::move(chips), std::move(pci));
    FixedText<260> line;
    for (auto _ : state) {
        romwise::SuperIoDetector detector(board.driver());
        benchmark::DoNotOptimize(detector.identify(line));
    }
    state.SetLabel(line.empty() ? "nothing found" : line.c_str());
    ReportRequests(state, board.driver());
}

// Every probe runs and finds nothing.
void BM_ChainEmptyMachine(benchmark::State& state) {
    RunChain(state, {}, {});
}
BENCHMARK(BM_ChainEmptyMachine)->Unit(benchmark::kMicrosecond);

// The default sample board: the Winbond probe names the chip at 3F0h.
void BM_ChainDefaultBoard(benchmark::State& state) {
    RunChain(state, {DefaultWinbond()}, k440bx);
}
BENCHMARK(BM_ChainDefaultBoard)->Unit(benchmark::kMicrosecond);

// The longest branch: 65,535 samples of UMC register C0h.
void BM_ChainSteadyUmcWorstCase(benchmark::State& state) {
    RunChain(state, {SteadyUmc()}, {});
}
BENCHMARK(BM_ChainSteadyUmcWorstCase)->Unit(benchmark::kMillisecond);

// The chipset scan of a board with nothing known on bus 0: 32 devices.
void BM_ChipsetScanNothingKnown(benchmark::State& state) {
    Board board({}, {});
    romwise::PortPciConfigAccess pci(board.driver());
    FixedText<260> line;
    bool skipPorts2E4E = false;
    for (auto _ : state) {
        romwise::ChipsetDetector detector(pci);
        benchmark::DoNotOptimize(detector.identify(line, skipPorts2E4E));
    }
    ReportRequests(state, board.driver());
}
BENCHMARK(BM_ChipsetScanNothingKnown)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();

// A simulated board for the probe tests: the Super I/O chips and PCI devices
// given, reached through a tracing driver whose lines the test reads back.
#pragma once

#include <algorithm>
#include <cstdint>
#include <initializer_list>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "chips/config_ports.h"
#include "chips/superio_detector.h"
#include "chips/superio_probes.h"
#include "hw/pci_config_access.h"
#include "hw/port_trace.h"
#include "model/fixed_text.h"
#include "platform/sim/sim_physical_memory.h"
#include "platform/sim/sim_port_driver.h"
#include "platform/sim/sim_port_space.h"

namespace romwise::chips_test {

using sim::PciDevice;
using sim::SuperIoChip;
using sim::WriteSequence;

class RecordingSink final : public PortTraceSink {
  public:
    void line(const char* text) override { lines.emplace_back(text); }
    std::vector<std::string> lines;
};

class SimBoard {
  public:
    explicit SimBoard(std::vector<SuperIoChip> chips, std::vector<PciDevice> pci = {})
        : ports_(chips, pci),
          memory_(noRegions_),
          driver_(std::make_unique<sim::SimPortDriver>(ports_, memory_, true, true), sink_),
          pci_(driver_) {}

    HardwareDriver& driver() { return driver_; }
    sim::SimPortSpace& ports() { return ports_; }

    // One family probe on its own.
    bool probe(SuperIoProbe probe, FixedText<260>& line, bool skipPorts2E4E = false) {
        ConfigPorts ports(driver_, pci_, skipPorts2E4E);
        return probe(ports, line);
    }

    // The whole chain, as a detection pass runs it.
    bool identify(FixedText<260>& line) {
        SuperIoDetector detector(driver_, skipPorts2E4E);
        return detector.identify(line);
    }

    // What an earlier pass's chipset step decided about ports 2Eh and 4Eh.
    bool skipPorts2E4E = false;

    const std::vector<std::string>& trace() const { return sink_.lines; }
    void clearTrace() { sink_.lines.clear(); }

    // The trace from the first access to `port` on (byte accesses only).
    std::vector<std::string> traceFrom(std::uint32_t port) const {
        const auto first = std::find_if(sink_.lines.begin(), sink_.lines.end(),
                                        [&](const std::string& l) { return portOf(l) == port; });
        return {first, sink_.lines.end()};
    }

    // Every port that a byte or dword access touched.
    std::set<std::uint32_t> portsTouched() const {
        std::set<std::uint32_t> ports;
        for (const std::string& l : sink_.lines) {
            ports.insert(portOf(l));
        }
        return ports;
    }

    std::size_t count(const std::string& line) const {
        return static_cast<std::size_t>(std::count(sink_.lines.begin(), sink_.lines.end(), line));
    }

    // The port of a trace line such as "W 2E 87" or "R32 CFC 71908086".
    static std::uint32_t portOf(const std::string& line) {
        const auto start = line.find(' ') + 1;
        return static_cast<std::uint32_t>(std::stoul(line.substr(start), nullptr, 16));
    }

  private:
    const std::vector<sim::MemoryRegion> noRegions_;
    RecordingSink sink_;
    sim::SimPortSpace ports_;
    sim::SimPhysicalMemory memory_;
    TracingHardwareDriver driver_;
    PortPciConfigAccess pci_;
};

// A chip at `indexPort` (data port after it) opened by `unlock` and closed by
// any of `lock`; no unlock means always open.
inline SuperIoChip Chip(std::uint16_t indexPort, std::vector<WriteSequence> unlock,
                        std::vector<WriteSequence> lock,
                        std::map<std::uint8_t, std::uint8_t> registers) {
    SuperIoChip chip;
    chip.indexPort = indexPort;
    chip.dataPort = static_cast<std::uint16_t>(indexPort + 1);
    chip.unlock = std::move(unlock);
    chip.lock = std::move(lock);
    chip.registers = std::move(registers);
    return chip;
}

// The bytes written to `port`, in order.
inline WriteSequence Key(std::uint16_t port, std::initializer_list<std::uint8_t> bytes) {
    WriteSequence sequence;
    for (const std::uint8_t b : bytes) {
        sequence.emplace_back(port, b);
    }
    return sequence;
}

inline constexpr const char* kUntouched = "untouched";

}  // namespace romwise::chips_test

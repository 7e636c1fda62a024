// The I/O port space of a simulated machine: the Super I/O chips of its
// profile, PCI configuration mechanism #1 at CF8h/CFCh, and nothing else.
//
// Super I/O chips see every byte write, on any port, so that unlock and lock
// keys written to a port other than the chip's own (279h, 250h) are noticed.
// A key sequence must arrive in order: a write that does not continue a
// sequence restarts it, and when that write is the sequence's first element it
// begins a new attempt at once. While locked, the chip watches its unlock
// sequences; while unlocked, its lock sequences. The write that completes a
// sequence does nothing else.
//
// While unlocked, a write to the index port selects a register and a
// data-port write stores into the selected register; a read of the data port
// returns the register (its `sequences` entry, one value per read and then
// round again, takes precedence). A chip whose data port is its index port
// treats every write as a register selection and every read as a data read.
// Reading a separate index port returns the selected index while unlocked.
// While locked, the data port reads `lockedRead`, the index port FFh, and
// writes to either port change nothing.
#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <vector>

#include "hw/listed_pci_config.h"
#include "platform/sim/machine_profile.h"

namespace romwise::sim {

class SimPortSpace {
  public:
    // `recordedReads`: answers a real machine gave, per port, in the order
    // its probes read them; each byte read takes the next one of its port
    // (round again after the last, so that every pass of a replay hears what
    // the recorded one did) before anything else is asked.
    SimPortSpace(const std::vector<SuperIoChip>& chips, const std::vector<PciDevice>& pci,
                 const std::map<std::uint16_t, std::vector<std::uint8_t>>& recordedReads = {});

    std::uint8_t readByte(std::uint16_t port);
    void writeByte(std::uint16_t port, std::uint8_t value);
    std::uint32_t readDword(std::uint16_t port);
    void writeDword(std::uint16_t port, std::uint32_t value);

    // Whether chip `index` (in profile order) is unlocked, for tests.
    bool isUnlocked(std::size_t index) const;

  private:
    struct ChipState {
        SuperIoChip chip;
        bool unlocked = false;
        std::uint8_t selected = 0;
        // How many writes of each unlock and lock sequence have arrived.
        std::vector<std::size_t> unlockProgress;
        std::vector<std::size_t> lockProgress;
        std::map<std::uint8_t, std::size_t> sequencePositions;
    };

    static bool observeWrite(ChipState& state, const PortWrite& write);
    static void writeChipPort(ChipState& state, std::uint16_t port, std::uint8_t value);
    static std::uint8_t readChipPort(ChipState& state, std::uint16_t port);
    ChipState* chipAt(std::uint16_t port);
    std::uint32_t pciConfigData();

    std::vector<ChipState> chips_;
    // The profile's devices answer configuration reads as the configuration
    // space holds them.
    ListedPciConfigAccess pci_;
    std::uint32_t pciAddress_ = 0;  // the CF8h latch; bit 31 clear: no address
    struct RecordedReads {
        std::vector<std::uint8_t> answers;
        std::size_t next = 0;
    };
    std::map<std::uint16_t, RecordedReads> recorded_;
};

}  // namespace romwise::sim

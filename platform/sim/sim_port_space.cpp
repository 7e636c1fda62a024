#include "platform/sim/sim_port_space.h"

namespace romwise::sim {

namespace {

constexpr std::uint16_t kPciAddressPort = 0xCF8;
constexpr std::uint16_t kPciDataPort = 0xCFC;
constexpr std::uint32_t kPciEnable = 0x80000000u;
constexpr std::uint32_t kAllOnes = 0xFFFFFFFFu;

// Moves a sequence's progress on by one write. Returns true when the write
// completes the sequence, which then starts over.
bool advance(std::size_t& progress, const WriteSequence& sequence, const PortWrite& write) {
    if (sequence.empty()) {
        return false;
    }
    if (sequence[progress] == write) {
        ++progress;
    } else {
        progress = sequence.front() == write ? 1 : 0;
    }
    if (progress == sequence.size()) {
        progress = 0;
        return true;
    }
    return false;
}

bool advanceAll(std::vector<std::size_t>& progress, const std::vector<WriteSequence>& sequences,
                const PortWrite& write) {
    bool completed = false;
    for (std::size_t i = 0; i < sequences.size(); ++i) {
        completed = advance(progress[i], sequences[i], write) || completed;
    }
    return completed;
}

void restart(std::vector<std::size_t>& progress) {
    progress.assign(progress.size(), 0);
}

}  // namespace

SimPortSpace::SimPortSpace(const std::vector<SuperIoChip>& chips, const std::vector<PciDevice>& pci,
                           const std::map<std::uint16_t, std::vector<std::uint8_t>>& recordedReads)
    : pci_(listedPciDevices(pci)) {
    for (const auto& [port, answers] : recordedReads) {
        recorded_[port].answers = answers;
    }
    chips_.reserve(chips.size());
    for (const SuperIoChip& chip : chips) {
        ChipState state;
        state.chip = chip;
        state.unlocked = chip.unlock.empty();
        state.unlockProgress.assign(chip.unlock.size(), 0);
        state.lockProgress.assign(chip.lock.size(), 0);
        chips_.push_back(std::move(state));
    }
}

bool SimPortSpace::isUnlocked(std::size_t index) const {
    return index < chips_.size() && chips_[index].unlocked;
}

SimPortSpace::ChipState* SimPortSpace::chipAt(std::uint16_t port) {
    for (ChipState& state : chips_) {
        if (state.chip.indexPort == port || state.chip.dataPort == port) {
            return &state;
        }
    }
    return nullptr;
}

// Feeds a write to the chip's key sequences; returns true when the write
// completed an unlock or lock sequence (and so did nothing else).
bool SimPortSpace::observeWrite(ChipState& state, const PortWrite& write) {
    const SuperIoChip& chip = state.chip;
    if (chip.unlock.empty()) {
        return false;  // always unlocked: keys mean nothing to it
    }
    if (!state.unlocked) {
        if (advanceAll(state.unlockProgress, chip.unlock, write)) {
            state.unlocked = true;
            restart(state.unlockProgress);
            restart(state.lockProgress);
            return true;
        }
        return false;
    }
    if (advanceAll(state.lockProgress, chip.lock, write)) {
        state.unlocked = false;
        restart(state.unlockProgress);
        restart(state.lockProgress);
        return true;
    }
    return false;
}

void SimPortSpace::writeChipPort(ChipState& state, std::uint16_t port, std::uint8_t value) {
    SuperIoChip& chip = state.chip;
    if (port == chip.indexPort) {
        state.selected = value;
        return;
    }
    if (chip.sequences.count(state.selected) == 0) {
        chip.registers[state.selected] = value;
    }
    if (chip.lockOnRegisterWrite && !chip.unlock.empty() &&
        chip.lockOnRegisterWrite->first == state.selected &&
        chip.lockOnRegisterWrite->second == value) {
        state.unlocked = false;
        restart(state.unlockProgress);
        restart(state.lockProgress);
    }
}

std::uint8_t SimPortSpace::readChipPort(ChipState& state, std::uint16_t port) {
    const SuperIoChip& chip = state.chip;
    if (port != chip.dataPort) {
        return state.unlocked ? state.selected : 0xFF;
    }
    if (!state.unlocked) {
        return chip.lockedRead;
    }
    auto sequence = chip.sequences.find(state.selected);
    if (sequence != chip.sequences.end() && !sequence->second.empty()) {
        std::size_t& position = state.sequencePositions[state.selected];
        std::uint8_t value = sequence->second[position % sequence->second.size()];
        position = (position + 1) % sequence->second.size();
        return value;
    }
    auto reg = chip.registers.find(state.selected);
    return reg != chip.registers.end() ? reg->second : chip.defaultRegister;
}

std::uint8_t SimPortSpace::readByte(std::uint16_t port) {
    if (const auto found = recorded_.find(port); found != recorded_.end()) {
        RecordedReads& reads = found->second;
        if (!reads.answers.empty()) {
            const std::uint8_t answer = reads.answers[reads.next];
            reads.next = (reads.next + 1) % reads.answers.size();
            return answer;
        }
    }
    if (port >= kPciAddressPort && port < kPciAddressPort + 4) {
        return static_cast<std::uint8_t>(pciAddress_ >> (8 * (port - kPciAddressPort)));
    }
    if (port >= kPciDataPort && port < kPciDataPort + 4) {
        return static_cast<std::uint8_t>(pciConfigData() >> (8 * (port - kPciDataPort)));
    }
    ChipState* state = chipAt(port);
    return state != nullptr ? readChipPort(*state, port) : 0xFF;
}

void SimPortSpace::writeByte(std::uint16_t port, std::uint8_t value) {
    const PortWrite write{port, value};
    for (ChipState& state : chips_) {
        const bool consumed = observeWrite(state, write);
        if (!consumed && state.unlocked &&
            (port == state.chip.indexPort || port == state.chip.dataPort)) {
            writeChipPort(state, port, value);
        }
    }
}

std::uint32_t SimPortSpace::readDword(std::uint16_t port) {
    if (port == kPciAddressPort) {
        return pciAddress_;
    }
    if (port == kPciDataPort) {
        return pciConfigData();
    }
    return kAllOnes;
}

void SimPortSpace::writeDword(std::uint16_t port, std::uint32_t value) {
    if (port == kPciAddressPort) {
        pciAddress_ = value;
    }
}

// Bus 0, function 0 of the profile's devices; everything else is absent.
std::uint32_t SimPortSpace::pciConfigData() {
    if ((pciAddress_ & kPciEnable) == 0) {
        return kAllOnes;
    }
    return pci_.ReadConfigDword((pciAddress_ >> 16) & 0xFF, (pciAddress_ >> 11) & 0x1F,
                                (pciAddress_ >> 8) & 0x7, pciAddress_ & 0xFC);
}

}  // namespace romwise::sim

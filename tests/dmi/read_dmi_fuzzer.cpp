// Feeds arbitrary bytes to the SMBIOS reading: entry point search, table
// window, structure walk and every extraction step. Nothing may read outside
// the mapped windows or the reader's copies, and every view must be released.
//
// The input is laid out the way `dmidecode --dump-bin` files are: an entry
// point at offset 0 and the table behind it. The same bytes appear in
// simulated physical memory at 0, at E0000h and at F0000h, so an address field
// of 20h, E0020h or F0020h finds the table. Each input is read twice: once as
// it is (exercising the checksum tests) and once with the checksums of an
// entry point at offset 0 repaired, so that mutated fields behind it reach the
// walk and the extraction.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <numeric>
#include <vector>

#include "dmi/checksum.h"
#include "dmi/read_dmi.h"
#include "model/detection_results.h"
#include "platform/sim/sim_physical_memory.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

void RepairChecksum(Bytes& bytes, std::size_t from, std::size_t count, std::size_t at) {
    if (from + count > bytes.size() || at >= bytes.size()) {
        return;
    }
    romwise::SetChecksum(bytes, from, count, at);
}

bool StartsWith(const Bytes& bytes, std::size_t at, const char* anchor) {
    const std::size_t length = std::strlen(anchor);
    return bytes.size() >= at + length && std::memcmp(bytes.data() + at, anchor, length) == 0;
}

// Checksums of a "_SM_" or "_DMI_" entry point at offset 0 made sound.
Bytes WithSoundEntryPoint(Bytes bytes) {
    if (StartsWith(bytes, 0, "_SM_") && bytes.size() > 5) {
        RepairChecksum(bytes, 0x10, 15, 0x15);
        RepairChecksum(bytes, 0, bytes[5], 0x04);
    } else if (StartsWith(bytes, 0, "_DMI_")) {
        RepairChecksum(bytes, 0, 15, 0x05);
    }
    return bytes;
}

void ReadFrom(const Bytes& bytes) {
    const std::vector<romwise::sim::MemoryRegion> regions = {
        {0, bytes}, {0xE0000, bytes}, {0xF0000, bytes}};
    const romwise::sim::SimPhysicalMemory memory(regions);
    auto window = std::make_unique<romwise::sim::SimPhysicalMemoryWindow>(memory, true);
    const romwise::sim::SimPhysicalMemoryWindow& seen = *window;

    romwise::DmiSummary summary;
    romwise::MemorySlotSizes slots;
    slots.capacity = romwise::kMemorySlotCapacity;
    romwise::DmiReader reader(std::move(window));
    romwise::ReadDmi(reader, summary, slots);
    if (seen.mappedViewCount() != 0 || seen.isOpen() || slots.count > slots.capacity) {
        std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const Bytes bytes(data, data + size);
    ReadFrom(bytes);
    ReadFrom(WithSoundEntryPoint(bytes));
    return 0;
}

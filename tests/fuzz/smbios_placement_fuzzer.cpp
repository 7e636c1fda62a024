// Feeds arbitrary bytes to the SMBIOS dump placement as a dump file, into an
// empty ROM window and into one without room. What it places is a table at
// E0000h of at most 64 KiB and an entry point in the window whose table
// address is E0000h and whose checksums hold; then the DMI reader reads it.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <numeric>
#include <span>
#include <vector>

#include "dmi/checksum.h"
#include "dmi/little_endian.h"
#include "dmi/read_dmi.h"
#include "hw/rom_window.h"
#include "platform/sim/sim_physical_memory.h"
#include "platform/sim/smbios_dump_placement.h"
#include "tests/fuzz/fuzz_check.h"

namespace {

using namespace romwise::sim;
using romwise::ChecksumIsZero;
using romwise::LoadLittleEndian;
using romwise::fuzz::require;

constexpr std::uint64_t kTableAddress = 0xE0000;

bool startsWith(const std::vector<std::uint8_t>& bytes, const char* anchor) {
    return bytes.size() >= std::strlen(anchor) &&
           std::memcmp(bytes.data(), anchor, std::strlen(anchor)) == 0;
}

bool sumsToZero(const std::vector<std::uint8_t>& bytes, std::size_t from, std::size_t count) {
    return ChecksumIsZero(std::span<const std::uint8_t>(bytes).subspan(from, count));
}

void checkEntryPoint(const std::vector<std::uint8_t>& entry) {
    if (startsWith(entry, "_SM3_")) {
        require(LoadLittleEndian(entry, 0x10, 8) == kTableAddress);
        if (entry[6] >= 0x18) {
            require(sumsToZero(entry, 0, entry[6]));
        }
    } else if (startsWith(entry, "_SM_")) {
        require(LoadLittleEndian(entry, 0x18, 4) == kTableAddress);
        require(sumsToZero(entry, 0x10, 15));
        if (entry[5] >= 0x1F) {
            require(sumsToZero(entry, 0, entry[5]));
        }
    } else {
        require(startsWith(entry, "_DMI_") && LoadLittleEndian(entry, 0x08, 4) == kTableAddress);
        require(sumsToZero(entry, 0, 15));
    }
}

void readBack(const std::vector<MemoryRegion>& memory) {
    const SimPhysicalMemory physical(memory);
    romwise::DmiReader reader(std::make_unique<SimPhysicalMemoryWindow>(physical, true));
    romwise::DmiSummary summary;
    romwise::MemorySlotSizes slots;
    slots.capacity = romwise::kMemorySlotCapacity;
    romwise::ReadDmi(reader, summary, slots);
    require(slots.count <= slots.capacity);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::vector<std::uint8_t> dump(data, data + size);
    std::vector<MemoryRegion> memory;
    try {
        placeSmbiosDump(dump, memory);
    } catch (const SmbiosDumpError&) {
        require(memory.empty());
        return 0;
    }
    require(memory.size() == 2);
    require(memory[0].address == kTableAddress && memory[0].bytes.size() <= 0x10000);
    const MemoryRegion& entry = memory[1];
    require(entry.address >= romwise::kRomBase &&
            entry.address + entry.bytes.size() <= romwise::kRomBase + romwise::kRomLength);
    checkEntryPoint(entry.bytes);
    readBack(memory);

    // A window of code with no free 16-byte-aligned run takes no entry point.
    std::vector<MemoryRegion> full = {
        {romwise::kRomBase, std::vector<std::uint8_t>(romwise::kRomLength, 0x5A)}};
    try {
        placeSmbiosDump(dump, full);
        require(false);
    } catch (const SmbiosDumpError&) {
        require(full.size() == 1);
    }
    return 0;
}

// Feeds arbitrary bytes to BIOS identification as the ROM window at
// F0000h: placed at the top of the window like a profile's ROM file, and at
// its bottom with the rest all FFh. The window is mapped as a copy of
// exactly 64 KiB, so any read past it is a heap overflow the sanitizer
// reports; every line stays within its field.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "bios/identify_bios.h"
#include "hw/rom_window.h"
#include "platform/sim/sim_physical_memory.h"
#include "platform/sim/sim_port_driver.h"
#include "platform/sim/sim_port_space.h"
#include "tests/fuzz/fuzz_check.h"

namespace {

using romwise::fuzz::require;
using namespace romwise::sim;

void identify(std::vector<std::uint8_t> window) {
    const std::vector<MemoryRegion> regions = {{romwise::kRomBase, std::move(window)}};
    const SimPhysicalMemory memory(regions);
    SimPortSpace ports({}, {});
    SimPortDriver driver(ports, memory, true, true);
    romwise::FixedText<24> date;
    romwise::FixedText<80> type;
    romwise::FixedText<128> id;
    romwise::FixedText<80> signOn;
    require(romwise::IdentifyBios(driver, date, type, id, signOn));
    romwise::ShortenAwardBiosId(type, id);
    require(date.size() < 24 && type.size() < 80 && id.size() < 128 && signOn.size() < 80);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::size_t used = std::min<std::size_t>(size, romwise::kRomLength);
    std::vector<std::uint8_t> top(romwise::kRomLength, 0x00);
    std::copy(data + size - used, data + size, top.end() - static_cast<std::ptrdiff_t>(used));
    identify(std::move(top));
    std::vector<std::uint8_t> bottom(romwise::kRomLength, 0xFF);
    std::copy(data, data + used, bottom.begin());
    identify(std::move(bottom));
    return 0;
}

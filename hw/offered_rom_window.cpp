#include "hw/offered_rom_window.h"

#include "hw/rom_window.h"

namespace romwise {

const std::uint8_t* OfferedRomWindow::mapPhysToLinear(std::uint32_t physicalAddress,
                                                      std::uint32_t length) {
    const std::uint64_t held = bytes_.size() < kRomLength ? bytes_.size() : kRomLength;
    if (physicalAddress < kRomBase || length == 0 ||
        std::uint64_t{physicalAddress} - kRomBase + length > held) {
        return nullptr;
    }
    return bytes_.data() + (physicalAddress - kRomBase);
}

}  // namespace romwise

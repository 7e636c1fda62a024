#include "platform/linux/linux_rom_mappings.h"

namespace romwise {

LinuxRomMappings::LinuxRomMappings(std::string devicePath) : window_(std::move(devicePath)) {}

const std::uint8_t* LinuxRomMappings::map(std::uint32_t physicalAddress, std::uint32_t length) {
    const auto range = std::make_pair(physicalAddress, length);
    if (const auto known = views_.find(range); known != views_.end()) {
        return known->second;
    }
    // The device is opened for each new range only: a view stays readable
    // after its descriptor is closed.
    if (!window_.Open()) {
        return nullptr;
    }
    MemoryView view;
    const bool mapped = window_.MapRange(physicalAddress, length, view);
    window_.Close();
    if (!mapped || view.physicalAddress > physicalAddress ||
        physicalAddress - view.physicalAddress + length > view.length) {
        if (mapped) {
            window_.UnmapRange(view);
        }
        return nullptr;
    }
    const std::uint8_t* data = view.data + (physicalAddress - view.physicalAddress);
    views_.emplace(range, data);
    return data;
}

}  // namespace romwise

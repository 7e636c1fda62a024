#include "platform/sim/sim_physical_memory.h"

#include <algorithm>
#include <cstring>
#include <limits>

namespace romwise::sim {

std::vector<std::uint8_t> SimPhysicalMemory::read(std::uint64_t address,
                                                  std::uint64_t length) const {
    std::vector<std::uint8_t> bytes(length, 0);
    const std::uint64_t end = address + length;
    for (const MemoryRegion& region : regions_) {
        const std::uint64_t regionEnd = region.address + region.bytes.size();
        const std::uint64_t from = std::max(address, region.address);
        const std::uint64_t to = std::min(end, regionEnd);
        if (from >= to) {
            continue;
        }
        std::copy(region.bytes.begin() + static_cast<std::ptrdiff_t>(from - region.address),
                  region.bytes.begin() + static_cast<std::ptrdiff_t>(to - region.address),
                  bytes.begin() + static_cast<std::ptrdiff_t>(from - address));
    }
    return bytes;
}

// Put together on pages the system zeroes as they are first touched, so
// that only the pages the regions fill are written.
const std::uint8_t* SimPhysicalMemory::view(std::uint64_t address, std::uint64_t length) const {
    auto found = views_.find({address, length});
    if (found != views_.end()) {
        return found->second.data();
    }
    // When the last region touching the range covers all of it, nothing
    // overlays it there: its own bytes are the range, with no copy.
    const std::uint64_t end = address + length;
    for (auto region = regions_.rbegin(); region != regions_.rend(); ++region) {
        const std::uint64_t regionEnd = region->address + region->bytes.size();
        if (region->address >= end || regionEnd <= address) {
            continue;
        }
        if (region->address <= address && regionEnd >= end) {
            return region->bytes.data() + (address - region->address);
        }
        break;
    }
    ZeroedPages bytes(length);
    if (bytes.data() == nullptr) {
        return nullptr;
    }
    for (const MemoryRegion& region : regions_) {
        const std::uint64_t from = std::max(address, region.address);
        const std::uint64_t to = std::min(end, region.address + region.bytes.size());
        if (from < to) {
            std::memcpy(bytes.data() + (from - address),
                        region.bytes.data() + (from - region.address), to - from);
        }
    }
    return views_.emplace(std::make_pair(address, length), std::move(bytes)).first->second.data();
}

// --- physical memory window ------------------------------------------------

bool SimPhysicalMemoryWindow::Open() {
    open_ = available_;
    return open_;
}

bool SimPhysicalMemoryWindow::MapRange(std::uint64_t physicalAddress, std::uint32_t length,
                                       MemoryView& view) {
    if (!open_ || length == 0 || physicalAddress >= SimPhysicalMemory::kAddressSpaceEnd) {
        return false;
    }
    const std::uint64_t start = physicalAddress & ~(kGranularity - 1);
    const std::uint64_t end = (physicalAddress + length + kGranularity - 1) & ~(kGranularity - 1);
    if (end > SimPhysicalMemory::kAddressSpaceEnd ||
        end - start > std::numeric_limits<std::uint32_t>::max()) {
        return false;
    }
    const std::uint8_t* shared = memory_.view(start, end - start);
    if (shared == nullptr) {
        return false;
    }
    std::unique_ptr<std::vector<std::uint8_t>> own;
    if (views_.count(shared) != 0) {
        own = std::make_unique<std::vector<std::uint8_t>>(shared, shared + (end - start));
    }
    view.data = own ? own->data() : shared;
    view.physicalAddress = start;
    view.length = static_cast<std::uint32_t>(end - start);
    views_.emplace(view.data, std::move(own));
    return true;
}

bool SimPhysicalMemoryWindow::UnmapRange(const MemoryView& view) {
    auto found = views_.find(view.data);
    if (found == views_.end()) {
        return false;
    }
    views_.erase(found);
    return true;
}

}  // namespace romwise::sim

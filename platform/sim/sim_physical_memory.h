// The physical memory of a machine profile, and the physical-memory window
// over it. They refer to the profile's memory regions, which must outlive
// them (SimPlatform owns both).
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <utility>
#include <vector>

#include "hw/physical_memory_window.h"
#include "platform/sim/machine_profile.h"
#include "platform/sim/zeroed_pages.h"

namespace romwise::sim {

// Physical memory: the profile's regions over a 4 GiB address space that
// reads 00h wherever no region lies; later regions overlay earlier ones.
class SimPhysicalMemory {
  public:
    static constexpr std::uint64_t kAddressSpaceEnd = 0x100000000ull;

    explicit SimPhysicalMemory(const std::vector<MemoryRegion>& regions) : regions_(regions) {}

    // The bytes of [address, address + length); the range must lie inside
    // the address space.
    std::vector<std::uint8_t> read(std::uint64_t address, std::uint64_t length) const;

    // The same bytes put together once and kept as long as the memory, for
    // every reader of that range: the regions never change once loaded, so
    // the ROM window the driver maps and the one the SMBIOS search maps can
    // be one copy.
    const std::uint8_t* view(std::uint64_t address, std::uint64_t length) const;

  private:
    const std::vector<MemoryRegion>& regions_;
    mutable std::map<std::pair<std::uint64_t, std::uint64_t>, ZeroedPages> views_;
};

// Maps physical memory with a 64 KiB granularity: the start is rounded down
// to a 64 KiB boundary and the end up to one, and the view says so.
class SimPhysicalMemoryWindow final : public PhysicalMemoryWindow {
  public:
    static constexpr std::uint64_t kGranularity = 0x10000;

    SimPhysicalMemoryWindow(const SimPhysicalMemory& memory, bool available)
        : memory_(memory), available_(available) {}

    bool ResolveNativeServices() override { return available_; }
    bool Open() override;
    bool MapRange(std::uint64_t physicalAddress, std::uint32_t length, MemoryView& view) override;
    // Fails for a view this window did not map or already released.
    bool UnmapRange(const MemoryView& view) override;
    // Views still mapped stay readable until they are unmapped.
    void Close() override { open_ = false; }

    bool isOpen() const { return open_; }
    std::size_t mappedViewCount() const { return views_.size(); }

  private:
    const SimPhysicalMemory& memory_;
    bool available_;
    bool open_ = false;
    // Each view this window mapped; a range mapped again while its first
    // view is still mapped gets a copy of its own, as a second mapping of
    // the same pages gets other addresses.
    std::map<const std::uint8_t*, std::unique_ptr<std::vector<std::uint8_t>>> views_;
};

}  // namespace romwise::sim

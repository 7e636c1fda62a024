// Read-only views of physical memory ranges, for the SMBIOS reader.
#pragma once

#include <cstdint>

namespace romwise {

struct MemoryView {
    const std::uint8_t* data = nullptr;
    std::uint64_t physicalAddress = 0;  // what was actually mapped
    std::uint32_t length = 0;
};

class PhysicalMemoryWindow {
  public:
    virtual ~PhysicalMemoryWindow() = default;

    // Whether the platform has the services the window needs at all.
    virtual bool ResolveNativeServices() = 0;
    virtual bool Open() = 0;
    // Maps [physicalAddress, physicalAddress + length) read-only. On success
    // the view reports the start and length the platform actually mapped,
    // which may begin earlier and be longer than asked for.
    virtual bool MapRange(std::uint64_t physicalAddress, std::uint32_t length,
                          MemoryView& view) = 0;
    virtual bool UnmapRange(const MemoryView& view) = 0;
    virtual void Close() = 0;
};

}  // namespace romwise

// The driver's MapPhysToLinear on Linux: read-only views of physical memory
// through /dev/mem that stay valid as long as the driver lives.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <utility>

#include "platform/linux/linux_physical_memory.h"

namespace romwise {

// Each range is mapped once (shared, PROT_READ, widened to whole pages) and
// kept; asking again for the same range returns the same view, so repeated
// detection passes do not pile up mappings. The views are released when this
// object is destroyed, together with the driver that owns it.
class LinuxRomMappings {
  public:
    explicit LinuxRomMappings(std::string devicePath = "/dev/mem");

    // The first byte of [physicalAddress, physicalAddress + length), or
    // nullptr when the device cannot be opened or the range cannot be mapped
    // (no root rights, a kernel that restricts /dev/mem, an empty range).
    const std::uint8_t* map(std::uint32_t physicalAddress, std::uint32_t length);

    std::size_t mappedRangeCount() const { return views_.size(); }

  private:
    LinuxPhysicalMemoryWindow window_;
    std::map<std::pair<std::uint32_t, std::uint32_t>, const std::uint8_t*> views_;
};

}  // namespace romwise

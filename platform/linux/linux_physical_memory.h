// Read-only views of physical memory on Linux, through /dev/mem.
#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <string>

#include "hw/physical_memory_window.h"

namespace romwise {

// Maps /dev/mem (or another device or file that stands for physical memory)
// read-only and page by page: a range is widened to whole pages, and the view
// reports the pages it holds. The window unmaps every view still mapped and
// closes the device when it is destroyed.
class LinuxPhysicalMemoryWindow final : public PhysicalMemoryWindow {
  public:
    explicit LinuxPhysicalMemoryWindow(std::string devicePath = "/dev/mem");
    ~LinuxPhysicalMemoryWindow() override;
    LinuxPhysicalMemoryWindow(const LinuxPhysicalMemoryWindow&) = delete;
    LinuxPhysicalMemoryWindow& operator=(const LinuxPhysicalMemoryWindow&) = delete;

    // True when the system's page size is known.
    bool ResolveNativeServices() override;
    bool Open() override;
    bool MapRange(std::uint64_t physicalAddress, std::uint32_t length, MemoryView& view) override;
    // Fails for a view this window did not map or already released.
    bool UnmapRange(const MemoryView& view) override;
    // Closes the device; views still mapped stay readable until unmapped.
    void Close() override;

    bool isOpen() const { return descriptor_ >= 0; }
    std::size_t mappedViewCount() const { return mappings_.size(); }

  private:
    struct Mapping {
        void* address;
        std::size_t length;
    };

    std::string devicePath_;
    std::uint64_t pageSize_ = 0;
    int descriptor_ = -1;
    std::map<const std::uint8_t*, Mapping> mappings_;
};

}  // namespace romwise

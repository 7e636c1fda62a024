#include "platform/linux/linux_physical_memory.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <unistd.h>

#include <limits>
#include <utility>

namespace romwise {

LinuxPhysicalMemoryWindow::LinuxPhysicalMemoryWindow(std::string devicePath)
    : devicePath_(std::move(devicePath)) {}

LinuxPhysicalMemoryWindow::~LinuxPhysicalMemoryWindow() {
    for (const auto& [data, mapping] : mappings_) {
        munmap(mapping.address, mapping.length);
    }
    mappings_.clear();
    Close();
}

bool LinuxPhysicalMemoryWindow::ResolveNativeServices() {
    const long pageSize = sysconf(_SC_PAGESIZE);
    if (pageSize <= 0 || (pageSize & (pageSize - 1)) != 0) {
        return false;
    }
    pageSize_ = static_cast<std::uint64_t>(pageSize);
    return true;
}

bool LinuxPhysicalMemoryWindow::Open() {
    if (pageSize_ == 0 && !ResolveNativeServices()) {
        return false;
    }
    Close();
    descriptor_ = open(devicePath_.c_str(), O_RDONLY | O_CLOEXEC);
    return descriptor_ >= 0;
}

bool LinuxPhysicalMemoryWindow::MapRange(std::uint64_t physicalAddress, std::uint32_t length,
                                         MemoryView& view) {
    if (descriptor_ < 0 || length == 0) {
        return false;
    }
    const std::uint64_t pageMask = pageSize_ - 1;
    const std::uint64_t start = physicalAddress & ~pageMask;
    if (physicalAddress > std::numeric_limits<std::uint64_t>::max() - length - pageMask ||
        start > static_cast<std::uint64_t>(std::numeric_limits<off_t>::max())) {
        return false;
    }
    const std::uint64_t end = (physicalAddress + length + pageMask) & ~pageMask;
    if (end - start > std::numeric_limits<std::uint32_t>::max()) {
        return false;
    }
    const std::size_t mappedLength = static_cast<std::size_t>(end - start);
    void* address =
        mmap(nullptr, mappedLength, PROT_READ, MAP_SHARED, descriptor_, static_cast<off_t>(start));
    if (address == MAP_FAILED) {
        return false;
    }
    view.data = static_cast<const std::uint8_t*>(address);
    view.physicalAddress = start;
    view.length = static_cast<std::uint32_t>(mappedLength);
    mappings_.emplace(view.data, Mapping{address, mappedLength});
    return true;
}

bool LinuxPhysicalMemoryWindow::UnmapRange(const MemoryView& view) {
    const auto found = mappings_.find(view.data);
    if (found == mappings_.end()) {
        return false;
    }
    const bool unmapped = munmap(found->second.address, found->second.length) == 0;
    mappings_.erase(found);
    return unmapped;
}

void LinuxPhysicalMemoryWindow::Close() {
    if (descriptor_ >= 0) {
        close(descriptor_);
        descriptor_ = -1;
    }
}

}  // namespace romwise

// Read-only views of physical memory on the Windows NT family: the kernel's
// physical-memory section "\device\physicalmemory", opened and mapped through
// the native services of NTDLL.DLL, looked up at run time (Windows 9x has
// none of them). Windows Server 2003 SP1, XP x64 and every later Windows
// refuse user-mode access to that section: Open then fails and the SMBIOS
// reader takes its fallbacks.
#pragma once

#include <cstdint>
#include <set>
#include <string>

#include "hw/physical_memory_window.h"

namespace romwise {

class WindowsPhysicalMemoryWindow final : public PhysicalMemoryWindow {
  public:
    static constexpr const wchar_t* kPhysicalMemorySection = L"\\device\\physicalmemory";

    // Tests name another section object; the program uses the physical-memory one.
    explicit WindowsPhysicalMemoryWindow(std::wstring sectionName = kPhysicalMemorySection);
    // Unmaps every view still mapped and closes the section.
    ~WindowsPhysicalMemoryWindow() override;
    WindowsPhysicalMemoryWindow(const WindowsPhysicalMemoryWindow&) = delete;
    WindowsPhysicalMemoryWindow& operator=(const WindowsPhysicalMemoryWindow&) = delete;

    // True when NTDLL.DLL has all five services (NtOpenSection,
    // NtMapViewOfSection, NtUnmapViewOfSection, RtlInitUnicodeString,
    // RtlNtStatusToDosError).
    bool ResolveNativeServices() override;
    // NtOpenSection with read-mapping access (4) on the section name, object
    // attributes case-insensitive (40h), no root, security or quality of
    // service; true when the status is not negative.
    bool Open() override;
    // NtMapViewOfSection into this process, read-only, shared, with the
    // system choosing the address, from the range's start rounded down to
    // the allocation granularity (as Windows rounds it); the view reports
    // the offset and size the system actually mapped.
    bool MapRange(std::uint64_t physicalAddress, std::uint32_t length, MemoryView& view) override;
    // NtUnmapViewOfSection; fails for a view this window did not map or
    // already released.
    bool UnmapRange(const MemoryView& view) override;
    // Closes the section, if open; views still mapped stay readable.
    void Close() override;

    bool isOpen() const { return section_ != nullptr; }
    std::size_t mappedViewCount() const { return views_.size(); }

  private:
    std::wstring sectionName_;
    bool resolved_ = false;
    void* section_ = nullptr;
    std::set<const void*> views_;
};

}  // namespace romwise

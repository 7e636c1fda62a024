#include "platform/windows/windows_physical_memory.h"

#include <windows.h>
#include <winternl.h>

#include <limits>
#include <utility>

#include "platform/windows/module_functions.h"

namespace romwise {

namespace {

constexpr ACCESS_MASK kSectionMapRead = 4;
constexpr ULONG kObjectCaseInsensitive = 0x40;
constexpr ULONG kViewShare = 1;  // inherit disposition: share

// The pseudo handle -1 that stands for this process.
HANDLE currentProcess() {
    return reinterpret_cast<HANDLE>(static_cast<LONG_PTR>(-1));
}

using NtOpenSectionFunction = NTSTATUS(NTAPI*)(PHANDLE section, ACCESS_MASK access,
                                               POBJECT_ATTRIBUTES attributes);
using NtMapViewOfSectionFunction = NTSTATUS(NTAPI*)(HANDLE section, HANDLE process, PVOID* base,
                                                    ULONG_PTR zeroBits, SIZE_T commitSize,
                                                    PLARGE_INTEGER sectionOffset, PSIZE_T viewSize,
                                                    ULONG inheritDisposition, ULONG allocationType,
                                                    ULONG protection);
using NtUnmapViewOfSectionFunction = NTSTATUS(NTAPI*)(HANDLE process, PVOID base);
using RtlInitUnicodeStringFunction = VOID(NTAPI*)(PUNICODE_STRING target, PCWSTR source);
using RtlNtStatusToDosErrorFunction = ULONG(NTAPI*)(NTSTATUS status);

// The services, process-wide; found once.
struct NativeServices {
    NtOpenSectionFunction openSection = nullptr;
    NtMapViewOfSectionFunction mapView = nullptr;
    NtUnmapViewOfSectionFunction unmapView = nullptr;
    RtlInitUnicodeStringFunction initUnicodeString = nullptr;
    // Never called: its presence is part of the test that the services exist.
    RtlNtStatusToDosErrorFunction statusToDosError = nullptr;

    bool complete() const {
        return openSection && mapView && unmapView && initUnicodeString && statusToDosError;
    }
};

const NativeServices& nativeServices() {
    static const NativeServices services = [] {
        const HMODULE ntdll = GetModuleHandleA("NTDLL.DLL");
        NativeServices found;
        found.openSection = moduleFunction<NtOpenSectionFunction>(ntdll, "NtOpenSection");
        found.mapView = moduleFunction<NtMapViewOfSectionFunction>(ntdll, "NtMapViewOfSection");
        found.unmapView =
            moduleFunction<NtUnmapViewOfSectionFunction>(ntdll, "NtUnmapViewOfSection");
        found.initUnicodeString =
            moduleFunction<RtlInitUnicodeStringFunction>(ntdll, "RtlInitUnicodeString");
        found.statusToDosError =
            moduleFunction<RtlNtStatusToDosErrorFunction>(ntdll, "RtlNtStatusToDosError");
        return found;
    }();
    return services;
}

std::uint64_t allocationGranularity() {
    SYSTEM_INFO info{};
    GetSystemInfo(&info);
    const std::uint64_t granularity = info.dwAllocationGranularity;
    // A power of two; 64 KiB on every Windows so far.
    return granularity != 0 && (granularity & (granularity - 1)) == 0 ? granularity : 0x10000;
}

}  // namespace

WindowsPhysicalMemoryWindow::WindowsPhysicalMemoryWindow(std::wstring sectionName)
    : sectionName_(std::move(sectionName)) {}

WindowsPhysicalMemoryWindow::~WindowsPhysicalMemoryWindow() {
    if (resolved_) {
        for (const void* view : views_) {
            nativeServices().unmapView(currentProcess(), const_cast<void*>(view));
        }
    }
    views_.clear();
    Close();
}

bool WindowsPhysicalMemoryWindow::ResolveNativeServices() {
    resolved_ = nativeServices().complete();
    return resolved_;
}

bool WindowsPhysicalMemoryWindow::Open() {
    if (!resolved_ && !ResolveNativeServices()) {
        return false;
    }
    Close();
    const NativeServices& services = nativeServices();
    UNICODE_STRING name{};
    services.initUnicodeString(&name, sectionName_.c_str());
    OBJECT_ATTRIBUTES attributes{};
    // 24 bytes in the 32-bit program.
    attributes.Length = sizeof attributes;
    attributes.RootDirectory = nullptr;
    attributes.ObjectName = &name;
    attributes.Attributes = kObjectCaseInsensitive;
    attributes.SecurityDescriptor = nullptr;
    attributes.SecurityQualityOfService = nullptr;
    HANDLE section = nullptr;
    if (services.openSection(&section, kSectionMapRead, &attributes) < 0) {
        return false;
    }
    section_ = section;
    return true;
}

bool WindowsPhysicalMemoryWindow::MapRange(std::uint64_t physicalAddress, std::uint32_t length,
                                           MemoryView& view) {
    if (section_ == nullptr || length == 0 ||
        physicalAddress > static_cast<std::uint64_t>(std::numeric_limits<LONGLONG>::max())) {
        return false;
    }
    // Windows rounds the offset down to its allocation granularity itself;
    // doing it here first gives the same view, also on systems that refuse
    // an unaligned offset instead (wine does), and keeps the asked range
    // inside the view.
    const std::uint64_t start = physicalAddress & ~(allocationGranularity() - 1);
    const std::uint64_t size = physicalAddress - start + length;
    if constexpr (sizeof(SIZE_T) < sizeof size) {
        if (size > std::numeric_limits<SIZE_T>::max()) {
            return false;
        }
    }
    PVOID base = nullptr;
    LARGE_INTEGER offset{};
    offset.QuadPart = static_cast<LONGLONG>(start);
    SIZE_T viewSize = static_cast<SIZE_T>(size);
    const NTSTATUS status =
        nativeServices().mapView(section_, currentProcess(), &base, 0, viewSize, &offset, &viewSize,
                                 kViewShare, 0, PAGE_READONLY);
    if (status < 0 || base == nullptr) {
        return false;
    }
    const std::uint64_t mappedStart = static_cast<std::uint64_t>(offset.QuadPart);
    // A view that does not reach the asked range's end is no use to the reader.
    if (mappedStart > physicalAddress || physicalAddress - mappedStart + length > viewSize) {
        nativeServices().unmapView(currentProcess(), base);
        return false;
    }
    view.data = static_cast<const std::uint8_t*>(base);
    view.physicalAddress = mappedStart;
    view.length = viewSize > std::numeric_limits<std::uint32_t>::max()
                      ? std::numeric_limits<std::uint32_t>::max()
                      : static_cast<std::uint32_t>(viewSize);
    views_.insert(base);
    return true;
}

bool WindowsPhysicalMemoryWindow::UnmapRange(const MemoryView& view) {
    const auto found = views_.find(view.data);
    if (found == views_.end()) {
        return false;
    }
    views_.erase(found);
    return nativeServices().unmapView(currentProcess(), const_cast<std::uint8_t*>(view.data)) >= 0;
}

void WindowsPhysicalMemoryWindow::Close() {
    if (section_ != nullptr) {
        CloseHandle(section_);
        section_ = nullptr;
    }
}

}  // namespace romwise

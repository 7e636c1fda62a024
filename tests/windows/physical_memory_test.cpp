// The physical-memory window's native services on a section whose contents
// the test knows: a named section standing in for "\device\physicalmemory"
// (which user mode may not open on any system since Windows Server 2003 SP1,
// wine included). Views report what the system actually mapped, unaligned
// ranges are found at view + (address - mapped start), and nothing stays
// mapped after the window.
#include <windows.h>
#include <winternl.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/windows/windows_physical_memory.h"
#include "wine_host.h"

namespace romwise {
namespace {

constexpr DWORD kSectionSize = 0x40000;

std::uint8_t patternAt(std::uint64_t offset) {
    return static_cast<std::uint8_t>((offset >> 12) * 7 + offset);
}

// A named section filled with the pattern, and its name in the object
// namespace as the kernel reports it.
class PatternSection {
  public:
    PatternSection() {
        const std::string name = "RomwiseTestSection-" + std::to_string(GetCurrentProcessId());
        handle_ = CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, kSectionSize,
                                     name.c_str());
        if (handle_ == nullptr) {
            return;
        }
        auto* bytes =
            static_cast<std::uint8_t*>(MapViewOfFile(handle_, FILE_MAP_WRITE, 0, 0, kSectionSize));
        for (DWORD i = 0; i < kSectionSize; ++i) {
            bytes[i] = patternAt(i);
        }
        UnmapViewOfFile(bytes);
        std::vector<unsigned char> buffer(1024);
        ULONG length = 0;
        if (NtQueryObject(handle_, static_cast<OBJECT_INFORMATION_CLASS>(1), buffer.data(),
                          static_cast<ULONG>(buffer.size()), &length) >= 0) {
            const auto* text = reinterpret_cast<UNICODE_STRING*>(buffer.data());
            ntName_.assign(text->Buffer, text->Length / sizeof(wchar_t));
        }
    }
    ~PatternSection() {
        if (handle_ != nullptr) {
            CloseHandle(handle_);
        }
    }
    const std::wstring& ntName() const { return ntName_; }

  private:
    HANDLE handle_ = nullptr;
    std::wstring ntName_;
};

bool isMapped(const void* address) {
    MEMORY_BASIC_INFORMATION info{};
    return VirtualQuery(address, &info, sizeof info) != 0 && info.State != MEM_FREE;
}

TEST(PhysicalMemoryWindow, NativeServicesExistAndThePhysicalSectionIsClosedToUs) {
    WindowsPhysicalMemoryWindow window;
    EXPECT_TRUE(window.ResolveNativeServices());
    if (test::runningUnderWine()) {
        EXPECT_FALSE(window.Open()) << "wine has no physical-memory section";
        EXPECT_FALSE(window.isOpen());
    }
}

TEST(PhysicalMemoryWindow, MapsRangesAndReportsWhatWasMapped) {
    PatternSection section;
    ASSERT_FALSE(section.ntName().empty());
    const void* kept = nullptr;
    {
        WindowsPhysicalMemoryWindow window(section.ntName());
        ASSERT_TRUE(window.ResolveNativeServices());
        ASSERT_TRUE(window.Open());

        MemoryView aligned;
        ASSERT_TRUE(window.MapRange(0x10000, 0x10000, aligned));
        EXPECT_EQ(aligned.physicalAddress, 0x10000u) << "an aligned start stays";
        EXPECT_GE(aligned.length, 0x10000u);
        EXPECT_EQ(aligned.data[0x1234], patternAt(0x11234));

        // The byte at A is at view + (A - mapped start), as the SMBIOS reader
        // relies on.
        MemoryView unaligned;
        ASSERT_TRUE(window.MapRange(0x2F010, 0x100, unaligned));
        EXPECT_EQ(unaligned.physicalAddress, 0x20000u) << "rounded down to 64 KiB";
        EXPECT_GE(unaligned.physicalAddress + unaligned.length, 0x2F110u);
        const std::uint8_t* at = unaligned.data + (0x2F010 - unaligned.physicalAddress);
        for (int i = 0; i < 0x100; ++i) {
            ASSERT_EQ(at[i], patternAt(0x2F010 + i)) << i;
        }
        EXPECT_TRUE(window.UnmapRange(unaligned));

        const std::size_t views = window.mappedViewCount();
        MemoryView beyond;
        EXPECT_FALSE(window.MapRange(kSectionSize + 0x10000, 0x1000, beyond));
        EXPECT_EQ(window.mappedViewCount(), views) << "a failed map leaves no view";

        EXPECT_TRUE(window.UnmapRange(aligned));
        EXPECT_FALSE(window.UnmapRange(aligned)) << "released already";
        EXPECT_FALSE(isMapped(aligned.data));

        MemoryView left;
        ASSERT_TRUE(window.MapRange(0x0, 0x1000, left));
        kept = left.data;
        window.Close();
        EXPECT_FALSE(window.isOpen());
        EXPECT_EQ(left.data[0x10], patternAt(0x10)) << "views outlive the closed section";
    }
    EXPECT_FALSE(isMapped(kept)) << "the window unmaps what is still mapped when it goes";
}

}  // namespace
}  // namespace romwise

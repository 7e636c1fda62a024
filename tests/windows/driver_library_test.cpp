// The device's driver on Windows with the package's DLL: the record as the
// library reads it, the activity check, the ROM window kept per range, and
// what the user is told when the DLL is missing or unusable. The DLL here is
// the tests' stand-in (fake_tvichw32.cpp).
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "hw/driver_opening.h"
#include "platform/windows/tvichw_library.h"
#include "platform/windows/windows_driver_services.h"
#include "wine_host.h"

namespace romwise {
namespace {

using test::ScratchFolder;

const std::string kFakePackage = test::hostPath(ROMWISE_FAKE_PACKAGE_DIR);

// An open handle that stands for the driver's device: the NUL device, which
// refuses the driver's control requests.
struct OpenedDevice {
    OpenedDevice()
        : handle(CreateFileA("\\\\.\\NUL", GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                             FILE_ATTRIBUTE_NORMAL, nullptr)) {}
    ~OpenedDevice() { CloseHandle(handle); }
    HANDLE handle;
};

DriverRecord recordFor(const OpenedDevice& device, const char* serviceName, bool openedDirectly) {
    DriverRecord record;
    record.deviceHandle = reinterpret_cast<DeviceHandle>(device.handle);
    record.openedDirectly = openedDirectly;
    record.serviceName = serviceName;
    return record;
}

// The stand-in's exported variables, as the program's process sees them.
template <typename T>
T& fakeVariable(const char* name) {
    const HMODULE module = GetModuleHandleA(TvicLibrary::kFileName);
    EXPECT_NE(module, nullptr) << "the stand-in DLL is not loaded";
    return *reinterpret_cast<T*>(GetProcAddress(module, name));
}

std::uint32_t dwordAt(const unsigned char* record, std::size_t offset) {
    std::uint32_t value = 0;
    std::memcpy(&value, record + offset, sizeof value);
    return value;
}

TEST(DriverLibrary, HandsTheLibraryTheRecordAtTheDocumentedOffsets) {
    OpenedDevice device;
    ASSERT_NE(device.handle, INVALID_HANDLE_VALUE);
    WindowsDriverServices services({kFakePackage});
    const auto driver = services.deviceDriver(recordFor(device, kServiceName64, false));
    ASSERT_NE(driver, nullptr);
    ASSERT_TRUE(driver->isActive()) << services.failureNotes();

    const unsigned char* seen = fakeVariable<unsigned char[0x330]>("lastRecord");
    EXPECT_EQ(dwordAt(seen, 0x00),
              static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(device.handle)));
    EXPECT_EQ(dwordAt(seen, 0x28), 0u) << "isWin9x";
    EXPECT_EQ(dwordAt(seen, 0x4C), 0u) << "openedDirectly: the service route opened it";
    EXPECT_EQ(dwordAt(seen, 0x54), 0u) << "the service manager is closed by now";
    EXPECT_STREQ(reinterpret_cast<const char*>(seen + 0x58), kServiceName64);
    for (std::size_t offset = 0x64; offset < 0x330; ++offset) {
        ASSERT_EQ(seen[offset], 0) << "library area at " << std::hex << offset;
    }

    fakeVariable<int>("activeAnswer") = 0;
    EXPECT_FALSE(driver->isActive()) << "an answer of 0 is an inactive driver";
    fakeVariable<int>("activeAnswer") = 1;
}

TEST(DriverLibrary, EachRomRangeIsMappedOnceAndTheRecordStaysPut) {
    OpenedDevice device;
    WindowsDriverServices services({kFakePackage});
    const auto driver = services.deviceDriver(recordFor(device, kServiceName32, true));
    ASSERT_TRUE(driver->isActive()) << services.failureNotes();
    int& calls = fakeVariable<int>("mapCalls");
    const int before = calls;

    const std::uint8_t* rom = driver->mapPhysToLinear(0xF0000, 0x10000);
    ASSERT_NE(rom, nullptr);
    EXPECT_EQ(rom[0xFFF5], 0xF5) << "the view starts at F0000h";
    EXPECT_EQ(driver->mapPhysToLinear(0xF0000, 0x10000), rom) << "the same view again";
    EXPECT_EQ(calls - before, 1) << "views are never released, so a range is asked for once";
    EXPECT_NE(driver->mapPhysToLinear(0xE0000, 0x10000), nullptr);
    EXPECT_EQ(calls - before, 2);
    EXPECT_EQ(driver->mapPhysToLinear(0x100000, 0x10), nullptr) << "the library refuses";
    EXPECT_EQ(fakeVariable<int>("libraryAreaTouched"), 0)
        << "the record moved, or the program wrote into the library's area";
    const unsigned char* seen = fakeVariable<unsigned char[0x330]>("lastRecord");
    EXPECT_EQ(dwordAt(seen, 0x4C), 1u) << "openedDirectly";
}

TEST(DriverLibrary, PortRequestsTheDeviceRefusesFailAndLeaveTheValue) {
    OpenedDevice device;
    WindowsDriverServices services({kFakePackage});
    const auto driver = services.deviceDriver(recordFor(device, kServiceName32, true));
    std::uint8_t byte = 0x42;
    EXPECT_FALSE(driver->tryReadPortByte(0x2E, byte));
    EXPECT_EQ(byte, 0x42);
    std::uint32_t dword = 0x12345678;
    EXPECT_FALSE(driver->tryReadPortDword(0xCFC, dword));
    EXPECT_EQ(dword, 0x12345678u);
    EXPECT_FALSE(driver->tryWritePortByte(0x2E, 0x87));
    EXPECT_FALSE(driver->tryWritePortDword(0xCF8, 0x80000000u));
}

TEST(DriverLibrary, MissingOrUnusableLibraryMakesAnInactiveDriverAndSaysWhy) {
    OpenedDevice device;
    ScratchFolder empty;
    {
        WindowsDriverServices services({empty.path()});
        const auto driver = services.deviceDriver(recordFor(device, kServiceName32, true));
        ASSERT_NE(driver, nullptr);
        EXPECT_FALSE(driver->isActive());
        EXPECT_EQ(driver->mapPhysToLinear(0xF0000, 0x10000), nullptr);
        const std::string notes = services.failureNotes();
        EXPECT_NE(notes.find("TVicHW32.dll was not found (looked in " + empty.path() + ")"),
                  std::string::npos)
            << notes;
    }
    {
        // A DLL of that name without the package's functions.
        char system[MAX_PATH];
        GetSystemDirectoryA(system, MAX_PATH);
        ASSERT_TRUE(CopyFileA((std::string(system) + "\\version.dll").c_str(),
                              empty.file(TvicLibrary::kFileName).c_str(), FALSE));
        WindowsDriverServices services({empty.path()});
        const auto driver = services.deviceDriver(recordFor(device, kServiceName32, true));
        EXPECT_FALSE(driver->isActive());
        EXPECT_NE(services.failureNotes().find("has no GetActiveHW function"), std::string::npos)
            << services.failureNotes();
    }
    {
        // Not a DLL at all.
        ASSERT_TRUE(DeleteFileA(empty.file(TvicLibrary::kFileName).c_str()));
        test::writeFileBytes(empty.file(TvicLibrary::kFileName), "not a library");
        WindowsDriverServices services({empty.path()});
        const auto driver = services.deviceDriver(recordFor(device, kServiceName32, true));
        EXPECT_FALSE(driver->isActive());
        EXPECT_NE(services.failureNotes().find("could not be loaded"), std::string::npos)
            << services.failureNotes();
    }
}

TEST(DriverLibrary, IsLookedForInTheGivenFoldersInOrderAndNowhereElse) {
    ScratchFolder first, second;
    EXPECT_FALSE(TvicLibrary::locate({first.path(), second.path()}))
        << "not in the current folder or on PATH";
    test::writeFileBytes(second.file(TvicLibrary::kFileName), "x");
    EXPECT_EQ(TvicLibrary::locate({first.path(), second.path()}),
              second.file(TvicLibrary::kFileName));
    test::writeFileBytes(first.file(TvicLibrary::kFileName), "x");
    EXPECT_EQ(TvicLibrary::locate({first.path(), second.path()}),
              first.file(TvicLibrary::kFileName));
}

}  // namespace
}  // namespace romwise

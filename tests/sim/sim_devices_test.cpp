// The simulated devices: memory mapping, the driver host's opening steps, the
// virtual clock, the operating system and the shell.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "hw/port_io.h"
#include "platform/sim/sim_platform.h"

namespace romwise::sim {
namespace {

MachineProfile profileWithMemory() {
    MachineProfile profile;
    std::vector<std::uint8_t> pattern(0x30000);
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        pattern[i] = static_cast<std::uint8_t>(i * 7 + (i >> 16));
    }
    profile.memory.push_back({0xD0000, pattern});
    return profile;
}

std::uint8_t expectedByte(std::uint64_t address) {
    const std::uint64_t i = address - 0xD0000;
    return static_cast<std::uint8_t>(i * 7 + (i >> 16));
}

TEST(SimPhysicalMemoryWindow, MapsWithA64KiBGranularity) {
    SimPlatform platform(profileWithMemory());
    auto window = platform.createPhysicalMemoryWindow();
    ASSERT_TRUE(window->ResolveNativeServices());
    MemoryView view;
    EXPECT_FALSE(window->MapRange(0xF0000, 0x10000, view)) << "not open yet";
    ASSERT_TRUE(window->Open());

    struct Case {
        std::uint64_t address;
        std::uint32_t length;
        std::uint64_t mappedAddress;
        std::uint32_t mappedLength;
    };
    for (const Case& c :
         {Case{0xF0000, 0x10000, 0xF0000, 0x10000}, Case{0xE0010, 0x20, 0xE0000, 0x10000},
          Case{0xDFFF0, 0x20, 0xD0000, 0x20000}, Case{0xD0001, 0x1FFFF, 0xD0000, 0x20000}}) {
        ASSERT_TRUE(window->MapRange(c.address, c.length, view)) << std::hex << c.address;
        EXPECT_EQ(view.physicalAddress, c.mappedAddress) << std::hex << c.address;
        EXPECT_EQ(view.length, c.mappedLength) << std::hex << c.address;
        // The byte at physical A lies at data + (A - mapped start).
        EXPECT_EQ(view.data[c.address - view.physicalAddress], expectedByte(c.address));
        const std::uint64_t last = c.address + c.length - 1;
        EXPECT_EQ(view.data[last - view.physicalAddress], expectedByte(last));
        EXPECT_TRUE(window->UnmapRange(view));
    }
    EXPECT_FALSE(window->MapRange(0xFFFFF000, 0x2000, view)) << "past 4 GiB";
    EXPECT_FALSE(window->MapRange(0x1000, 0, view));
}

TEST(SimPhysicalMemoryWindow, TracksViews) {
    SimPlatform platform(profileWithMemory());
    SimPhysicalMemoryWindow window(platform.physicalMemory(), true);
    ASSERT_TRUE(window.Open());
    MemoryView a;
    MemoryView b;
    ASSERT_TRUE(window.MapRange(0xD0000, 0x10, a));
    ASSERT_TRUE(window.MapRange(0xD0000, 0x10, b));
    EXPECT_NE(a.data, b.data);
    EXPECT_EQ(window.mappedViewCount(), 2u);
    window.Close();
    EXPECT_EQ(a.data[5], expectedByte(0xD0005)) << "a view outlives the close";
    EXPECT_TRUE(window.UnmapRange(a));
    EXPECT_FALSE(window.UnmapRange(a)) << "already released";
    EXPECT_FALSE(window.UnmapRange(MemoryView{})) << "never mapped";
    EXPECT_EQ(window.mappedViewCount(), 1u);
}

TEST(SimPhysicalMemory, ViewsShareWhatOneRegionHoldsAndPutTogetherTheRest) {
    const std::vector<MemoryRegion> regions = {{0xF0000, std::vector<std::uint8_t>(0x10000, 0x11)},
                                               {0xE0100, {1, 2, 3}},
                                               {0xD0000, std::vector<std::uint8_t>(0x10000, 0x22)},
                                               {0xD8000, {9}}};
    const SimPhysicalMemory memory(regions);
    EXPECT_EQ(memory.view(0xF0000, 0x10000), regions[0].bytes.data())
        << "a range the last region over it covers is that region's bytes";

    const std::uint8_t* sparse = memory.view(0xE0000, 0x10000);
    ASSERT_NE(sparse, nullptr);
    EXPECT_EQ(sparse[0x00FF], 0);
    EXPECT_EQ(sparse[0x0101], 2);
    EXPECT_EQ(sparse[0xFFFF], 0) << "the last byte of a range no region reaches";
    EXPECT_EQ(memory.view(0xE0000, 0x10000), sparse) << "put together once";

    const std::uint8_t* overlaid = memory.view(0xD0000, 0x10000);
    EXPECT_NE(overlaid, regions[2].bytes.data()) << "a later region lies over part of it";
    EXPECT_EQ(overlaid[0x8000], 9);
    EXPECT_EQ(overlaid[0x8001], 0x22);
}

TEST(SimPhysicalMemoryWindow, UnavailableWithoutPhysicalMemory) {
    MachineProfile profile;
    profile.physicalMemory = false;
    SimPlatform platform(profile);
    auto window = platform.createPhysicalMemoryWindow();
    EXPECT_FALSE(window->ResolveNativeServices());
    EXPECT_FALSE(window->Open());
}

TEST(SimPortDriver, MapsTheRomWindowWhenMappable) {
    MachineProfile profile = profileWithMemory();
    SimPlatform platform(profile);
    auto driver = platform.driverHost().openHardwareDriver("C:\\", false, false);
    ASSERT_NE(driver, nullptr);
    const std::uint8_t* first = driver->mapPhysToLinear(0xD0000, 0x10000);
    ASSERT_NE(first, nullptr);
    const std::uint8_t* second = driver->mapPhysToLinear(0xE0000, 0x10000);
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(first[0x1234], expectedByte(0xD1234)) << "earlier views stay valid";
    EXPECT_EQ(second[0xFFFF], expectedByte(0xEFFFF));
    EXPECT_EQ(driver->mapPhysToLinear(0xFFFFF000, 0x2000), nullptr);

    profile.romMappable = false;
    SimPlatform unmappable(profile);
    auto other = unmappable.driverHost().openHardwareDriver("C:\\", false, false);
    ASSERT_NE(other, nullptr);
    EXPECT_EQ(other->mapPhysToLinear(0xF0000, 0x10000), nullptr);
}

struct HostCase {
    DriverOutcome outcome;
    bool opens;
    bool active;
    std::vector<std::string> calls;  // the names of the calls, in order
};

std::vector<std::string> callNames(const SimDriverServices& services) {
    std::vector<std::string> names;
    for (const std::string& call : services.calls()) {
        names.push_back(call.substr(0, call.find('(')));
    }
    return names;
}

class SimDriverOutcome : public ::testing::TestWithParam<HostCase> {};

TEST_P(SimDriverOutcome, FollowsTheOpeningSteps) {
    MachineProfile profile;
    profile.driver = GetParam().outcome;
    SimPlatform platform(profile);
    auto driver = platform.driverHost().openHardwareDriver("C:\\Romwise\\", false, false);
    ASSERT_EQ(driver != nullptr, GetParam().opens);
    EXPECT_EQ(callNames(platform.simDriverServices()), GetParam().calls);
    if (driver) {
        EXPECT_EQ(driver->isActive(), GetParam().active);
        EXPECT_TRUE(platform.driverHost().lastFailureReason().empty());
    } else {
        EXPECT_EQ(platform.driverHost().lastFailureReason(),
                  "the machine profile has no hardware-access driver (driver: missing)");
    }
}

const std::vector<std::string> kStartRoute = {
    "CreateFile",   "OpenSCManager",      "OpenService", "StartService",
    "GetLastError", "CloseServiceHandle", "CreateFile",  "CloseServiceHandle"};
const std::vector<std::string> kInstallRoute = {
    "CreateFile",    "OpenSCManager",     "OpenService",   "GetSystemDirectory",
    "FindFirstFile", "CopyFile",          "CreateService", "CloseServiceHandle",
    "OpenService",   "StartService",      "GetLastError",  "CloseServiceHandle",
    "CreateFile",    "CloseServiceHandle"};

INSTANTIATE_TEST_SUITE_P(
    Outcomes, SimDriverOutcome,
    ::testing::Values(HostCase{DriverOutcome::Direct, true, true, {"CreateFile"}},
                      HostCase{DriverOutcome::Inactive, true, false, {"CreateFile"}},
                      HostCase{DriverOutcome::AfterStart, true, true, kStartRoute},
                      HostCase{DriverOutcome::AfterInstall, true, true, kInstallRoute}));

TEST(SimDriverServices, AMissingDriverFailsForBothDevices) {
    MachineProfile profile;
    profile.driver = DriverOutcome::Missing;
    SimPlatform platform(profile);
    EXPECT_EQ(platform.driverHost().openHardwareDriver("C:\\Romwise\\", false, false), nullptr);
    std::vector<std::string> devices;
    for (const std::string& call : platform.simDriverServices().calls()) {
        if (call.rfind("CreateFile", 0) == 0) {
            devices.push_back(call);
        }
    }
    EXPECT_EQ(devices,
              (std::vector<std::string>{"CreateFile(\\\\.\\TVicDevice1, 1, 0, 3, 80h) = -1",
                                        "CreateFile(\\\\.\\TVicDevice0, 1, 0, 3, 80h) = -1"}));
    EXPECT_EQ(platform.simDriverServices().openHandleCount(), 0u);
}

TEST(SimDriverServices, AStartedServiceKeepsRunning) {
    MachineProfile profile;
    profile.driver = DriverOutcome::AfterInstall;
    profile.os.wow64Directory.emplace("C:\\WINDOWS\\SysWOW64");
    SimPlatform platform(profile);
    ASSERT_NE(platform.driverHost().openHardwareDriver("", true, false), nullptr);
    platform.simDriverServices().clearCalls();
    const auto again = platform.driverHost().openHardwareDriver("", true, false);
    ASSERT_NE(again, nullptr);
    EXPECT_EQ(callNames(platform.simDriverServices()), std::vector<std::string>{"CreateFile"});
    EXPECT_TRUE(platform.simDriverServices().serviceRunning("TVICHW64"));
}

TEST(SimDriverServices, Windows9xOpensTheVirtualDevice) {
    MachineProfile profile;
    profile.driver = DriverOutcome::AfterInstall;
    profile.os.platformId = 1;
    SimPlatform platform(profile);
    const auto driver = platform.driverHost().openHardwareDriver("C:\\Romwise\\", false, true);
    EXPECT_NE(driver, nullptr);
    EXPECT_EQ(platform.simDriverServices().calls().back(),
              "CreateFile(\\\\.\\TVICHW32.vxd, 1, 0, 3, 80h) = 1");
    EXPECT_EQ(platform.simDriverServices().files().count("C:\\WINDOWS\\SYSTEM\\TVICHW32.vxd"), 1u);
}

TEST(SimPlatform, PortStateOutlivesADriver) {
    MachineProfile profile;
    SuperIoChip chip;
    chip.indexPort = 0x2E;
    chip.dataPort = 0x2F;
    chip.unlock = {{{0x2E, 0x87}, {0x2E, 0x87}}};
    chip.registers = {{0x20, 0x52}};
    profile.superio.push_back(chip);
    profile.pci.push_back({0, 0x8086, 0x1237, 2});
    SimPlatform platform(profile);
    {
        auto driver = platform.driverHost().openHardwareDriver("", false, false);
        WritePortByte(*driver, 0x2E, 0x87);
        WritePortByte(*driver, 0x2E, 0x87);
    }
    auto driver = platform.driverHost().openHardwareDriver("", false, false);
    WritePortByte(*driver, 0x2E, 0x20);
    EXPECT_EQ(ReadPortByte(*driver, 0x2F), 0x52);
    EXPECT_EQ(platform.createPciConfigAccess(*driver)->ReadConfigDword(0, 0, 0, 0), 0x12378086u);
    std::uint8_t value = 0;
    EXPECT_FALSE(driver->tryReadPortByte(0x10000, value)) << "no port above FFFFh";
}

// The clock measurement as the detectors make it: time-stamp cycles over a
// 50 ms wait on the performance counter, less those of the same polling
// without the wait.
std::int64_t measureMhz(ProcessorAccess& cpu) {
    const auto timeCycles = [&](bool wait) {
        std::uint64_t start = 0;
        std::uint64_t end = 0;
        if (!cpu.readTimeStampCounter(start)) {
            return std::int64_t{-1};
        }
        std::int64_t frequency = 0;
        if (cpu.queryPerformanceFrequency(frequency)) {
            const std::int64_t target = (frequency / 1000) * 50;
            std::int64_t first = 0;
            std::int64_t now = 0;
            cpu.queryPerformanceCounter(first);
            do {
                cpu.queryPerformanceCounter(now);
            } while (wait ? now - first < target : now - first == target);
        }
        cpu.readTimeStampCounter(end);
        return static_cast<std::int64_t>(end - start);
    };
    const std::int64_t waited = timeCycles(true);
    const std::int64_t overhead = timeCycles(false);
    return ((waited - overhead) / 50) / 1000;
}

ProfileCpu cpuWithTsc(std::uint32_t clockMhz) {
    ProfileCpu cpu;
    cpu.leaves[1] = CpuidLeaf{0x543, 0, 0, 0x008001BF};
    cpu.clockMhz = clockMhz;
    return cpu;
}

TEST(SimProcessorAccess, AClockMeasurementComesOutExact) {
    for (std::uint32_t mhz : {1u, 4u, 133u, 2400u, 2933u, 5000u}) {
        for (std::uint64_t frequency : {10'000'000ull, 1'000'000ull, 25'000'000ull}) {
            ProfileCpu cpu = cpuWithTsc(mhz);
            cpu.counterFrequency = frequency;
            SimProcessorAccess processor(cpu);
            EXPECT_EQ(measureMhz(processor), mhz) << mhz << " MHz, counter at " << frequency;
            EXPECT_EQ(measureMhz(processor), mhz) << "again, later in simulated time";
        }
    }
}

TEST(SimProcessorAccess, TimeStampCounterNeedsAClockAndTheFeatureBit) {
    SimProcessorAccess stopped(cpuWithTsc(0));
    std::uint64_t value = 0;
    EXPECT_FALSE(stopped.readTimeStampCounter(value));

    ProfileCpu noFeature = cpuWithTsc(100);
    noFeature.leaves[1].edx &= ~(1u << 4);
    SimProcessorAccess without(noFeature);
    EXPECT_FALSE(without.readTimeStampCounter(value));

    SimProcessorAccess with(cpuWithTsc(100));
    EXPECT_TRUE(with.readTimeStampCounter(value));
}

TEST(SimProcessorAccess, BitScanLoopTakesItsProfiledTime) {
    ProfileCpu cpu;
    cpu.bsfLoopSeconds = 1.5;
    cpu.counterFrequency = 1'193'182;
    SimProcessorAccess processor(cpu);
    std::int64_t t0 = 0;
    std::int64_t t1 = 0;
    std::int64_t frequency = 0;
    processor.queryPerformanceCounter(t0);
    EXPECT_TRUE(processor.runBitScanLoop());
    processor.queryPerformanceCounter(t1);
    processor.queryPerformanceFrequency(frequency);
    EXPECT_EQ(frequency, 1'193'182);
    EXPECT_NEAR(static_cast<double>(t1 - t0) / static_cast<double>(frequency), 1.5, 2e-6);
}

TEST(SimProcessorAccess, IdentificationInstruction) {
    SimProcessorAccess none(std::nullopt);
    CpuidRegisters registers;
    EXPECT_FALSE(none.hasCpuid());
    EXPECT_FALSE(none.cpuid(0, registers));
    EXPECT_FALSE(none.executeSseProbe());

    ProfileCpu cpu = cpuWithTsc(0);
    cpu.sse = false;
    SimProcessorAccess processor(cpu);
    EXPECT_TRUE(processor.hasCpuid());
    ASSERT_TRUE(processor.cpuid(1, registers));
    EXPECT_EQ(registers.eax, 0x543u);
    EXPECT_EQ(registers.edx, 0x008001BFu);
    registers.ebx = 0x1234;
    ASSERT_TRUE(processor.cpuid(0x80000000, registers));
    EXPECT_EQ(registers.eax | registers.ebx | registers.ecx | registers.edx, 0u);
    EXPECT_FALSE(processor.executeSseProbe());
}

TEST(SimOsServices, WindowsVersionRecords) {
    MachineProfile profile;
    profile.os.majorVersion = 5;
    profile.os.minorVersion = 1;
    profile.os.buildNumber = 2600;
    profile.os.platformId = 2;
    profile.os.servicePack = "Service Pack 2";
    profile.os.productType = 1;
    profile.os.nativeArchitecture = 9;
    SimOsServices os(profile);
    WindowsVersionRecord record;
    ASSERT_TRUE(os.queryWindowsVersion(true, record));
    EXPECT_EQ(record.productType, 1);
    EXPECT_EQ(record.servicePackText, "Service Pack 2");
    ASSERT_TRUE(os.queryWindowsVersion(false, record));
    EXPECT_EQ(record.productType, 0) << "the basic record has no product type";
    EXPECT_EQ(record.buildNumber, 2600u);
    EXPECT_EQ(os.nativeProcessorArchitecture(), 9);
    EXPECT_FALSE(os.wow64SystemDirectory().has_value());

    profile.os.extendedRecord = false;
    EXPECT_FALSE(os.queryWindowsVersion(true, record));
    EXPECT_TRUE(os.queryWindowsVersion(false, record));

    profile.os.family = OsFamily::Linux;
    profile.os.kernelRelease = "6.1.0";
    EXPECT_FALSE(os.queryWindowsVersion(false, record));
    EXPECT_FALSE(os.nativeProcessorArchitecture().has_value());
    EXPECT_EQ(os.linuxRelease().kernelRelease, "6.1.0");
}

TEST(SimShell, RecordsEveryLaunch) {
    ProfileBrowser browser;
    browser.open = false;
    browser.direct = true;
    SimShell shell(browser);
    EXPECT_FALSE(shell.openAddress("http://example.test/a b"));
    EXPECT_TRUE(shell.startBrowser("http://example.test/a%20b"));
    ASSERT_EQ(shell.launches().size(), 2u);
    EXPECT_EQ(shell.launches()[0].how, "open");
    EXPECT_EQ(shell.launches()[0].target, "http://example.test/a b");
    EXPECT_FALSE(shell.launches()[0].ok);
    EXPECT_EQ(shell.launches()[1].how, "direct");
    EXPECT_TRUE(shell.launches()[1].ok);
}

}  // namespace
}  // namespace romwise::sim

// The simulated devices of a machine profile: the hardware-access driver
// (the system that opens it is in sim_driver_services.h), the physical-memory
// window, the processor, the operating system
// and the shell. They refer to the profile and the port space they were made
// from, which must outlive them (SimPlatform owns both).
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "cpu/processor_access.h"
#include "hw/firmware_tables.h"
#include "hw/hardware_driver.h"
#include "hw/physical_memory_window.h"
#include "os/os_services.h"
#include "platform/sim/machine_profile.h"
#include "platform/sim/sim_port_space.h"
#include "platform/sim/zeroed_pages.h"
#include "report/shell.h"

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

class SimHardwareDriver final : public HardwareDriver {
  public:
    SimHardwareDriver(SimPortSpace& ports, const SimPhysicalMemory& memory, bool active,
                      bool romMappable)
        : ports_(ports), memory_(memory), active_(active), romMappable_(romMappable) {}

    bool isActive() override { return active_; }
    bool tryReadPortByte(std::uint32_t port, std::uint8_t& value) override;
    bool tryReadPortDword(std::uint32_t port, std::uint32_t& value) override;
    bool tryWritePortByte(std::uint32_t port, std::uint8_t value) override;
    bool tryWritePortDword(std::uint32_t port, std::uint32_t value) override;
    // Any range of physical memory, as a copy that lives as long as the
    // driver; nothing at all when the profile says the ROM is not mappable.
    const std::uint8_t* mapPhysToLinear(std::uint32_t physicalAddress,
                                        std::uint32_t length) override;

  private:
    SimPortSpace& ports_;
    const SimPhysicalMemory& memory_;
    bool active_;
    bool romMappable_;
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

// A processor with scripted identification leaves and a virtual clock. Time
// is counted in ticks of the performance counter; every counter reading moves
// it one tick on and the bit-scan loop moves it by its profiled duration, so
// a measurement takes no real time. The time-stamp counter runs a quarter
// MHz above `clockMhz`: a measurement polls the counter and so always loses
// up to a tick of the interval it times, and the margin makes a truncating
// (or rounding) MHz computation come out at exactly `clockMhz`.
class SimProcessor final : public ProcessorAccess {
  public:
    explicit SimProcessor(const std::optional<ProfileCpu>& cpu);

    bool hasCpuid() override { return cpu_.has_value(); }
    bool cpuid(std::uint32_t leaf, CpuidRegisters& out) override;
    bool readTimeStampCounter(std::uint64_t& out) override;
    bool executeSseProbe() override { return cpu_ && cpu_->sse; }
    bool runBitScanLoop() override;
    bool queryPerformanceCounter(std::int64_t& out) override;
    bool queryPerformanceFrequency(std::int64_t& out) override;

    std::uint64_t elapsedTicks() const { return ticks_; }

  private:
    bool hasTimeStampCounter() const;

    std::optional<ProfileCpu> cpu_;
    std::uint64_t frequency_;
    std::uint64_t ticks_ = 0;
};

// The platform's own copy of the SMBIOS tables, as the profile offers it.
class SimFirmwareTables final : public FirmwareTables {
  public:
    explicit SimFirmwareTables(const std::optional<SmbiosTables>& tables) : tables_(tables) {}
    std::optional<SmbiosTables> readSmbiosTables() override { return tables_; }

  private:
    std::optional<SmbiosTables> tables_;
};

class SimOsServices final : public OsServices {
  public:
    explicit SimOsServices(const MachineProfile& profile) : profile_(profile) {}

    OsFamily family() const override { return profile_.os.family; }
    // Fails on Linux, and for the extended record when the profile has only
    // the basic one.
    bool queryWindowsVersion(bool extended, WindowsVersionRecord& out) override;
    std::optional<std::string> wow64SystemDirectory() override;
    std::optional<std::uint16_t> nativeProcessorArchitecture() override;
    LinuxRelease linuxRelease() override;
    bool hasAdministratorRights() override { return profile_.administrator; }
    std::string programPath() override;
    std::uint64_t totalPhysicalMemoryBytes() override { return profile_.memoryTotalBytes; }
    std::int32_t timeZoneMinutesWest() override { return profile_.timeZoneMinutesWest; }
    std::optional<CountryInfo> country() override;

  private:
    const MachineProfile& profile_;
};

// Records every browser launch; whether it succeeds is the profile's choice.
class SimShell final : public Shell {
  public:
    struct Launch {
        std::string how;  // "open" (default browser) or "direct" (standard browser)
        std::string target;
        bool ok = false;
    };

    explicit SimShell(const ProfileBrowser& browser) : browser_(browser) {}

    bool openAddress(const std::string& address) override;
    bool startBrowser(const std::string& parameters) override;

    const std::vector<Launch>& launches() const { return launches_; }

  private:
    ProfileBrowser browser_;
    std::vector<Launch> launches_;
};

}  // namespace romwise::sim

#include "platform/capture/recording_platform.h"

#include <algorithm>

#include "cpu/cpu_info.h"
#include "cpu/processor_access.h"
#include "dmi/dmi_reader.h"
#include "dmi/identity_strings.h"
#include "dmi/smbios_dump.h"
#include "hw/rom_window.h"
#include "os/os_services.h"

namespace romwise {

namespace {

constexpr std::uint32_t kPciDevices = 32;
// CPUID ranges are dumped up to these leaves at most, whatever the
// processor claims.
constexpr std::uint32_t kLastStandardLeaf = 0x3F;
constexpr std::uint32_t kExtendedLeaves = 0x80000000u;
constexpr std::uint32_t kLastExtendedLeaf = 0x8000003Fu;

class RecordingHardwareDriver final : public HardwareDriver {
  public:
    RecordingHardwareDriver(std::unique_ptr<HardwareDriver> inner, PassRecord& record)
        : inner_(std::move(inner)), record_(record) {}

    bool isActive() override {
        const bool active = inner_->isActive();
        record_.driverActive = active;
        return active;
    }
    bool tryReadPortByte(std::uint32_t port, std::uint8_t& value) override {
        const bool ok = inner_->tryReadPortByte(port, value);
        record_.portReads[static_cast<std::uint16_t>(port)].push_back(ok ? value : 0xFF);
        return ok;
    }
    bool tryReadPortDword(std::uint32_t port, std::uint32_t& value) override {
        return inner_->tryReadPortDword(port, value);  // PCI: kept as configuration reads
    }
    bool tryWritePortByte(std::uint32_t port, std::uint8_t value) override {
        return inner_->tryWritePortByte(port, value);
    }
    bool tryWritePortDword(std::uint32_t port, std::uint32_t value) override {
        return inner_->tryWritePortDword(port, value);
    }
    const std::uint8_t* mapPhysToLinear(std::uint32_t physicalAddress,
                                        std::uint32_t length) override {
        const std::uint8_t* view = inner_->mapPhysToLinear(physicalAddress, length);
        if (physicalAddress == kRomBase && length == kRomLength) {
            if (view != nullptr) {
                record_.rom.emplace(view, view + length);
            } else {
                record_.romRefused = true;
            }
        }
        return view;
    }

  private:
    std::unique_ptr<HardwareDriver> inner_;
    PassRecord& record_;
};

class RecordingDriverHost final : public DriverHost {
  public:
    RecordingDriverHost(DriverHost& inner, PassRecord& record) : inner_(inner), record_(record) {}

    std::unique_ptr<HardwareDriver> openHardwareDriver(std::string_view programDirectory,
                                                       bool is64Bit, bool isWin9x) override {
        record_.driverOpenAsked = true;
        auto driver = inner_.openHardwareDriver(programDirectory, is64Bit, isWin9x);
        record_.driverOpened = driver != nullptr;
        if (!driver) {
            record_.driverFailure = inner_.lastFailureReason();
            return nullptr;
        }
        return std::make_unique<RecordingHardwareDriver>(std::move(driver), record_);
    }
    std::string lastFailureReason() const override { return inner_.lastFailureReason(); }

  private:
    DriverHost& inner_;
    PassRecord& record_;
};

class RecordingPciConfigAccess final : public PciConfigAccess {
  public:
    RecordingPciConfigAccess(std::unique_ptr<PciConfigAccess> inner, PassRecord& record)
        : inner_(std::move(inner)), record_(record) {}

    std::uint32_t ReadConfigDword(std::uint32_t bus, std::uint32_t device, std::uint32_t function,
                                  std::uint32_t reg) override {
        const std::uint32_t value = inner_->ReadConfigDword(bus, device, function, reg);
        if (bus == 0 && function == 0) {
            record_.pciReads[{device & 0x1F, reg & 0xFC}] = value;
        }
        return value;
    }

  private:
    std::unique_ptr<PciConfigAccess> inner_;
    PassRecord& record_;
};

sim::DriverOutcome driverOutcome(const PassRecord& record) {
    if (record.driverOpenAsked && !record.driverOpened) {
        return sim::DriverOutcome::Missing;
    }
    if (record.driverActive && !*record.driverActive) {
        return sim::DriverOutcome::Inactive;
    }
    return sim::DriverOutcome::Direct;
}

// The system's list of bus 0's devices, function 0, as the profile lists them.
std::vector<sim::PciDevice> listedPciDevices(const std::vector<ListedPciDevice>& listed) {
    std::vector<sim::PciDevice> devices;
    for (const ListedPciDevice& device : listed) {
        if (device.bus == 0 && device.function == 0) {
            devices.push_back({device.device, device.vendor, device.deviceId, device.revision});
        }
    }
    return devices;
}

// What the system offered without the driver, offered again by the profile.
void captureOffers(const SystemOfferRecord& offers, sim::MachineCapture& capture) {
    if (offers.romWindow) {
        capture.rom = offers.romWindow;
        capture.firmwareRom = true;
    }
    if (offers.pciDevices) {
        capture.pci = listedPciDevices(*offers.pciDevices);
        capture.osPci = true;
    }
    if (offers.identity) {
        capture.dmiIdentity = true;
        if (!capture.smbios) {
            // Only the strings: tables that hold them and are offered to
            // no one else.
            capture.smbios = IdentityTables(*offers.identity);
            capture.smbiosInMemory = false;
            capture.firmwareTables = false;
        }
    }
}

// Devices that answered on bus 0, function 0, as the profile lists them.
std::vector<sim::PciDevice> pciDevices(const PassRecord& record) {
    std::vector<sim::PciDevice> devices;
    for (std::uint32_t device = 0; device < kPciDevices; ++device) {
        const auto id = record.pciReads.find({device, kPciIdRegister});
        if (id == record.pciReads.end() || id->second == kPciNoDevice) {
            continue;
        }
        const auto revision = record.pciReads.find({device, kPciRevisionRegister});
        devices.push_back(sim::PciDevice{
            static_cast<std::uint8_t>(device), static_cast<std::uint16_t>(id->second & 0xFFFF),
            static_cast<std::uint16_t>(id->second >> 16),
            static_cast<std::uint8_t>(revision != record.pciReads.end() ? revision->second : 0)});
    }
    return devices;
}

sim::ProfileOs operatingSystem(OsServices& os) {
    sim::ProfileOs profile;
    profile.family = os.family();
    if (profile.family == OsFamily::Linux) {
        const LinuxRelease release = os.linuxRelease();
        profile.prettyName = release.prettyName;
        profile.name = release.name;
        profile.id = release.id;
        profile.versionId = release.versionId;
        profile.kernelRelease = release.kernelRelease;
        return profile;
    }
    WindowsVersionRecord version;
    profile.extendedRecord = os.queryWindowsVersion(true, version);
    if (!profile.extendedRecord) {
        os.queryWindowsVersion(false, version);
    }
    profile.platformId = version.platformId;
    profile.majorVersion = version.majorVersion;
    profile.minorVersion = version.minorVersion;
    profile.buildNumber = version.buildNumber;
    profile.servicePack = version.servicePackText;
    profile.productType = version.productType;
    profile.wow64Directory = os.wow64SystemDirectory();
    profile.nativeArchitecture = os.nativeProcessorArchitecture();
    return profile;
}

// Every leaf of both ranges, the measured clock and the SSE probe.
std::optional<sim::ProfileCpu> processorDump(ProcessorAccess& processor,
                                             std::optional<std::int32_t> measuredMhz) {
    CpuidRegisters highest;
    if (!processor.hasCpuid() || !processor.cpuid(0, highest)) {
        return std::nullopt;
    }
    sim::ProfileCpu cpu;
    const auto dumpRange = [&](std::uint32_t first, std::uint32_t last) {
        for (std::uint32_t leaf = first; leaf <= last; ++leaf) {
            CpuidRegisters r;
            if (processor.cpuid(leaf, r)) {
                cpu.leaves[leaf] = sim::CpuidLeaf{r.eax, r.ebx, r.ecx, r.edx};
            }
        }
    };
    dumpRange(0, std::min(highest.eax, kLastStandardLeaf));
    CpuidRegisters extended;
    if (processor.cpuid(kExtendedLeaves, extended) && extended.eax >= kExtendedLeaves) {
        dumpRange(kExtendedLeaves, std::min(extended.eax, kLastExtendedLeaf));
    }
    cpu.sse = processor.executeSseProbe();
    if (!measuredMhz) {
        CpuInfo info(processor);
        info.identifyProcessor();
        measuredMhz = info.measuredMhz();
    }
    cpu.clockMhz = *measuredMhz > 0 ? static_cast<std::uint32_t>(*measuredMhz) : 0;
    return cpu;
}

}  // namespace

RecordingPlatform::RecordingPlatform(Platform& inner)
    : inner_(inner),
      driverHost_(std::make_unique<RecordingDriverHost>(inner.driverHost(), record_)),
      systemFirmware_(inner.systemFirmware(), record_.offers) {}

RecordingPlatform::~RecordingPlatform() = default;

std::unique_ptr<PciConfigAccess> RecordingPlatform::createPciConfigAccess(HardwareDriver& driver) {
    auto access = inner_.createPciConfigAccess(driver);
    if (!access) {
        return nullptr;
    }
    return std::make_unique<RecordingPciConfigAccess>(std::move(access), record_);
}

sim::MachineCapture captureMachine(RecordingPlatform& platform,
                                   std::optional<std::int32_t> measuredMhz,
                                   std::optional<bool> browserOpened,
                                   std::optional<bool> browserStarted) {
    Platform& inner = platform.inner();
    const PassRecord& record = platform.record();
    OsServices& os = inner.os();

    sim::MachineCapture capture;
    capture.os = operatingSystem(os);
    capture.administrator = os.hasAdministratorRights();
    capture.programPath = os.programPath();
    capture.memoryTotalBytes = os.totalPhysicalMemoryBytes();
    capture.timeZoneMinutesWest = os.timeZoneMinutesWest();
    capture.country = os.country();
    capture.driver = driverOutcome(record);
    if (capture.driver == sim::DriverOutcome::Missing && !record.driverFailure.empty()) {
        capture.driverFailure = record.driverFailure;
    }
    capture.rom = record.rom;
    capture.romMappable = !record.romRefused;
    capture.pci = pciDevices(record);
    capture.portReads = record.portReads;
    capture.cpu = processorDump(inner.processor(), measuredMhz);
    capture.browser.open = browserOpened.value_or(true);
    capture.browser.direct = browserStarted.value_or(true);

    // The tables as the DMI step finds them, read once more.
    std::unique_ptr<PhysicalMemoryWindow> window = inner.createPhysicalMemoryWindow();
    capture.physicalMemory = window && window->ResolveNativeServices() && window->Open();
    if (window) {
        window->Close();
    }
    DmiReader reader(inner.createPhysicalMemoryWindow(), &inner.firmwareTables());
    if (const std::optional<FoundTables> found = ReadSmbiosTables(reader)) {
        capture.smbios = found->tables;
        capture.smbiosInMemory = found->inPhysicalMemory;
        capture.firmwareTables = !found->inPhysicalMemory;
    }
    captureOffers(record.offers, capture);
    return capture;
}

}  // namespace romwise

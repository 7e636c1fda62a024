// A simulated machine as a profile file describes it. Loaded whole and
// checked before anything runs; see docs/machine-profiles.md for the format.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "hw/firmware_tables.h"
#include "hw/system_firmware.h"
#include "os/os_services.h"

namespace romwise::sim {

enum class DriverOutcome { Direct, AfterStart, AfterInstall, Missing, Inactive };

// The names of the profile's "driver" values and "os.family" values.
inline constexpr std::pair<const char*, DriverOutcome> kDriverOutcomeNames[] = {
    {"direct", DriverOutcome::Direct},
    {"afterStart", DriverOutcome::AfterStart},
    {"afterInstall", DriverOutcome::AfterInstall},
    {"missing", DriverOutcome::Missing},
    {"inactive", DriverOutcome::Inactive},
};
inline constexpr std::pair<const char*, OsFamily> kOsFamilyNames[] = {
    {"windows", OsFamily::Windows},
    {"linux", OsFamily::Linux},
};

struct ProfileOs {
    OsFamily family = OsFamily::Windows;
    // Windows
    std::uint32_t platformId = 0;
    std::uint32_t majorVersion = 0;
    std::uint32_t minorVersion = 0;
    std::uint32_t buildNumber = 0;
    std::string servicePack;
    std::uint8_t productType = 0;
    bool extendedRecord = true;
    std::optional<std::string> wow64Directory;
    std::optional<std::uint16_t> nativeArchitecture;
    // Linux
    std::string prettyName;
    std::string name;
    std::string id;
    std::string versionId;
    std::string kernelRelease;
};

struct MemoryRegion {
    std::uint64_t address = 0;
    std::vector<std::uint8_t> bytes;
};

struct PciDevice {
    std::uint8_t device = 0;
    std::uint16_t vendor = 0;
    std::uint16_t deviceId = 0;
    std::uint8_t revision = 0;
};

// The profile's devices as a list of bus 0's devices, function 0, in device
// order: what the simulated configuration space answers and what the
// system's device list offers.
std::vector<ListedPciDevice> listedPciDevices(const std::vector<PciDevice>& pci);

using PortWrite = std::pair<std::uint16_t, std::uint8_t>;
using WriteSequence = std::vector<PortWrite>;

struct SuperIoChip {
    std::uint16_t indexPort = 0;
    std::uint16_t dataPort = 0;         // indexPort + 1 unless given
    std::vector<WriteSequence> unlock;  // empty: always unlocked
    std::vector<WriteSequence> lock;
    std::optional<std::pair<std::uint8_t, std::uint8_t>> lockOnRegisterWrite;  // register, value
    std::map<std::uint8_t, std::uint8_t> registers;
    std::uint8_t defaultRegister = 0xFF;
    std::map<std::uint8_t, std::vector<std::uint8_t>> sequences;
    std::uint8_t lockedRead = 0xFF;
};

struct CpuidLeaf {
    std::uint32_t eax = 0, ebx = 0, ecx = 0, edx = 0;
};

struct ProfileCpu {
    std::map<std::uint32_t, CpuidLeaf> leaves;
    bool sse = true;
    std::uint32_t clockMhz = 0;  // time-stamp counter rate; 0: the counter does not run
    std::uint64_t counterFrequency = 10'000'000;
    double bsfLoopSeconds = 0.0;
};

struct ProfileBrowser {
    bool open = true;
    bool direct = true;
};

struct MachineProfile {
    std::string path;  // the file it came from
    std::string description;
    ProfileOs os;
    bool administrator = true;
    std::string programPath;
    DriverOutcome driver = DriverOutcome::Direct;
    // With driver "missing": why the machine's own platform could not open
    // it, given as the reason under the message (a capture records it).
    std::optional<std::string> driverFailure;
    std::uint64_t memoryTotalBytes = 0;
    std::int32_t timeZoneMinutesWest = 0;
    std::optional<CountryInfo> country;
    bool romMappable = true;
    bool physicalMemory = true;
    // Whether the SMBIOS dump is put into physical memory, and whether the
    // platform's own copy of the tables offers it (on Linux, to the
    // administrator only).
    bool smbiosInMemory = true;
    bool offersFirmwareTables = false;
    std::optional<SmbiosTables> smbiosTables;  // the dump's, whoever offers it
    // What the system offers without the driver: the ROM window as the
    // firmware-table service gives it, bus 0's devices as its device list
    // has them (`pci`), the identity strings of the dump's types 0 and 2.
    bool offersFirmwareRom = false;
    bool offersPciList = false;
    bool offersIdentity = false;
    // Physical memory: the ROM window, the SMBIOS table and entry point and
    // any further regions, later regions overlaying earlier ones.
    std::vector<MemoryRegion> memory;
    std::vector<PciDevice> pci;
    std::vector<SuperIoChip> superio;
    // Answers recorded from a real machine: each byte read of a port takes
    // the next one, round again after the last, before any chip is asked.
    std::map<std::uint16_t, std::vector<std::uint8_t>> portReads;
    std::optional<ProfileCpu> cpu;  // nothing: no identification instruction
    ProfileBrowser browser;
};

}  // namespace romwise::sim

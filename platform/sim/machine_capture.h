// A machine as --capture records it, ready to be written as a machine
// profile that replays the pass it came from.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "hw/firmware_tables.h"
#include "platform/sim/capture_names.h"
#include "platform/sim/machine_profile.h"
#include "report/report_files.h"

namespace romwise::sim {

struct MachineCapture {
    std::string description;
    ProfileOs os;
    bool administrator = true;
    std::string programPath;
    DriverOutcome driver = DriverOutcome::Direct;
    std::optional<std::string> driverFailure;  // the reason a failed open gave
    std::uint64_t memoryTotalBytes = 0;
    std::int32_t timeZoneMinutesWest = 0;
    std::optional<CountryInfo> country;
    // The ROM window as the BIOS step mapped it; nothing when it never did.
    std::optional<std::vector<std::uint8_t>> rom;
    bool romMappable = true;
    bool physicalMemory = true;
    // The SMBIOS tables as the DMI step finds them, and where.
    std::optional<SmbiosTables> smbios;
    bool smbiosInMemory = true;
    bool firmwareTables = false;
    // What the system offered a pass that had no driver.
    bool firmwareRom = false;
    bool osPci = false;
    bool dmiIdentity = false;
    std::vector<PciDevice> pci;
    std::map<std::uint16_t, std::vector<std::uint8_t>> portReads;
    std::optional<ProfileCpu> cpu;  // nothing: no identification instruction
    ProfileBrowser browser;
};

// Writes `capture` as the profile `names.profile` and its binary inputs
// beside it (STEM-rom.bin, STEM.dmi in `dmidecode --dump-bin` form), named
// in the profile relative to it, all or none (writeFilesTogether), with the
// checks of a report save: only new or regular files, never a device or
// FIFO. False, with `problem` saying which file could not be written and
// what became of the others, when they were not all written.
bool writeMachineProfile(const MachineCapture& capture, const CaptureNames& names,
                         ReportFiles& files, std::string& problem);

}  // namespace romwise::sim

// Which way a pass reached the firmware: the hardware-access driver, or,
// where the driver or the administrator's rights were refused, what the
// operating system offers any program ("firmware tables"). The command
// line prints it, the JSON document carries it, the windows show it.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace romwise {

enum class PassRoute { Driver, FirmwareTables };

// Where a step of the firmware-tables route read from.
enum class AccessSource { None, RomWindow, SmbiosTables, IdentityStrings, DeviceList };

struct PassAccess {
    PassRoute route = PassRoute::Driver;
    // What was refused, one line; empty on the driver route.
    std::string why;
    AccessSource bios = AccessSource::None;
    AccessSource dmi = AccessSource::None;
    AccessSource chipset = AccessSource::None;

    bool operator==(const PassAccess&) const = default;
};

// "driver" or "firmware-tables", as the JSON document names the route.
const char* passRouteName(PassRoute route);
// "rom-window", "smbios-tables", "identity-strings", "device-list", "none".
const char* accessSourceName(AccessSource source);
// The route and the source by those names; nothing for any other name.
std::optional<PassRoute> passRouteByName(std::string_view name);
std::optional<AccessSource> accessSourceByName(std::string_view name);
// The source in words, for the note and the More info dialog: "the ROM
// window", "the SMBIOS tables", ...; "nothing" for None.
const char* accessSourceWords(AccessSource source);
// The one line that tells the user about a firmware-tables pass, e.g.
// "no port driver: ...; read the system's firmware tables (BIOS from the ROM
// window, DMI from the SMBIOS tables, chipset from the device list); Super
// I/O not probed". Empty on the driver route.
std::string accessNoteLine(const PassAccess& access);

// The Super I/O field and line on the firmware-tables route.
inline constexpr char kSuperIoNotProbed[] = "Not probed (no port access)";

}  // namespace romwise

#include "model/pass_access.h"

#include <cstddef>

namespace romwise {

namespace {

struct SourceNames {
    AccessSource source;
    const char* name;
    const char* words;
};

constexpr SourceNames kSourceNames[] = {
    {AccessSource::None, "none", "nothing"},
    {AccessSource::RomWindow, "rom-window", "the ROM window"},
    {AccessSource::SmbiosTables, "smbios-tables", "the SMBIOS tables"},
    {AccessSource::IdentityStrings, "identity-strings", "the firmware's identity strings"},
    {AccessSource::DeviceList, "device-list", "the system's device list"},
};

const SourceNames& namesOf(AccessSource source) {
    for (const SourceNames& names : kSourceNames) {
        if (names.source == source) {
            return names;
        }
    }
    return kSourceNames[0];
}

}  // namespace

const char* passRouteName(PassRoute route) {
    return route == PassRoute::Driver ? "driver" : "firmware-tables";
}

std::optional<PassRoute> passRouteByName(std::string_view name) {
    for (const PassRoute route : {PassRoute::Driver, PassRoute::FirmwareTables}) {
        if (name == passRouteName(route)) {
            return route;
        }
    }
    return std::nullopt;
}

std::optional<AccessSource> accessSourceByName(std::string_view name) {
    for (const SourceNames& names : kSourceNames) {
        if (name == names.name) {
            return names.source;
        }
    }
    return std::nullopt;
}

const char* accessSourceName(AccessSource source) {
    return namesOf(source).name;
}

const char* accessSourceWords(AccessSource source) {
    return namesOf(source).words;
}

std::string accessNoteLine(const PassAccess& access) {
    if (access.route == PassRoute::Driver) {
        return {};
    }
    std::string line = access.why;
    line += "; read the system's firmware tables (BIOS from ";
    line += accessSourceWords(access.bios);
    line += ", DMI from ";
    line += accessSourceWords(access.dmi);
    line += ", chipset from ";
    line += accessSourceWords(access.chipset);
    line += "); Super I/O not probed";
    return line;
}

}  // namespace romwise

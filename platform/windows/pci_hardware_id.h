// The ids in a PCI device's hardware id as Windows' device list gives it:
// "PCI\VEN_8086&DEV_7190&SUBSYS_00000000&REV_03", the most specific of the
// device's ids, which alone carries the revision.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace romwise {

struct PciHardwareId {
    std::uint16_t vendor = 0;
    std::uint16_t deviceId = 0;
    std::uint8_t revision = 0;
};

// Nothing unless the id is "PCI\VEN_vvvv&DEV_dddd[&SUBSYS_ssssssss]&REV_rr"
// (hexadecimal digits of either case, the prefixes of either case, nothing
// after the revision): a shorter id of the same device lacks the revision.
std::optional<PciHardwareId> parsePciHardwareId(std::string_view id);

}  // namespace romwise

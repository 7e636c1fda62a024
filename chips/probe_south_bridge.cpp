// South bridges that carry the Super I/O functions themselves, found by PCI
// id on bus 0; the line names the PCI device number where others name a port.
#include "chips/superio_probes.h"

namespace romwise {

namespace {

struct SouthBridge {
    std::uint16_t vendorId;
    std::uint16_t deviceId;
    const char* name;
};

constexpr SouthBridge kSouthBridges[] = {
    {0x10B9, 0x1535, "ALi M1535"},
    {0x10B9, 0x1543, "ALi M1543"},
    {0x1106, 0x0686, "VIA 686"},
};

constexpr std::uint32_t kDevices = 32;

}  // namespace

bool ProbeSouthBridge(ConfigPorts& ports, FixedText<260>& line) {
    PciConfigAccess& pci = ports.pci();
    for (std::uint32_t device = 0; device < kDevices; ++device) {
        const std::uint32_t revision = pci.ReadConfigDword(0, device, 0, 0x08) & 0xFF;
        const std::uint32_t id = pci.ReadConfigDword(0, device, 0, 0x00);
        for (const SouthBridge& bridge : kSouthBridges) {
            if ((id & 0xFFFF) == bridge.vendorId && (id >> 16) == bridge.deviceId) {
                WriteSuperIoLine(line, bridge.name, revision, device);
                return true;
            }
        }
    }
    return false;
}

}  // namespace romwise

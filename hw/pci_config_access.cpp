#include "hw/pci_config_access.h"

#include "hw/port_io.h"

namespace romwise {

namespace {
constexpr std::uint32_t kConfigAddressPort = 0xCF8;
constexpr std::uint32_t kConfigDataPort = 0xCFC;
constexpr std::uint32_t kConfigEnable = 0x80000000u;
}  // namespace

std::uint32_t pciConfigAddress(std::uint32_t bus, std::uint32_t device, std::uint32_t function,
                               std::uint32_t reg) {
    return kConfigEnable | ((bus & 0xFF) << 16) | ((device & 0x1F) << 11) |
           ((function & 0x7) << 8) | (reg & 0xFC);
}

std::uint32_t PortPciConfigAccess::ReadConfigDword(std::uint32_t bus, std::uint32_t device,
                                                   std::uint32_t function, std::uint32_t reg) {
    WritePortDword(driver_, kConfigAddressPort, pciConfigAddress(bus, device, function, reg));
    return ReadPortDword(driver_, kConfigDataPort);
}

}  // namespace romwise

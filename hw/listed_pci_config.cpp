#include "hw/listed_pci_config.h"

namespace romwise {

std::uint32_t ListedPciConfigAccess::ReadConfigDword(std::uint32_t bus, std::uint32_t device,
                                                     std::uint32_t function, std::uint32_t reg) {
    for (const ListedPciDevice& listed : devices_) {
        if (listed.bus != (bus & 0xFF) || listed.device != (device & 0x1F) ||
            listed.function != (function & 0x7)) {
            continue;
        }
        switch (reg & 0xFC) {
            case kPciIdRegister:
                return listed.vendor | static_cast<std::uint32_t>(listed.deviceId) << 16;
            case kPciRevisionRegister:
                return listed.revision;
            default:
                return 0;
        }
    }
    return kPciNoDevice;
}

}  // namespace romwise

#include "hw/listed_pci_config.h"

namespace romwise {

namespace {
constexpr std::uint32_t kIdRegister = 0x00;
constexpr std::uint32_t kRevisionRegister = 0x08;
constexpr std::uint32_t kNothingAnswers = 0xFFFFFFFFu;
}  // namespace

std::uint32_t ListedPciConfigAccess::ReadConfigDword(std::uint32_t bus, std::uint32_t device,
                                                     std::uint32_t function, std::uint32_t reg) {
    for (const ListedPciDevice& listed : devices_) {
        if (listed.bus != (bus & 0xFF) || listed.device != (device & 0x1F) ||
            listed.function != (function & 0x7)) {
            continue;
        }
        switch (reg & 0xFC) {
            case kIdRegister:
                return listed.vendor | static_cast<std::uint32_t>(listed.deviceId) << 16;
            case kRevisionRegister:
                return listed.revision;
            default:
                return 0;
        }
    }
    return kNothingAnswers;
}

}  // namespace romwise

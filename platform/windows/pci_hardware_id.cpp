#include "platform/windows/pci_hardware_id.h"

namespace romwise {

namespace {

bool startsWithIgnoringCase(std::string_view text, std::string_view prefix) {
    if (text.size() < prefix.size()) {
        return false;
    }
    for (std::size_t i = 0; i < prefix.size(); ++i) {
        char c = text[i];
        if (c >= 'a' && c <= 'z') {
            c = static_cast<char>(c - 'a' + 'A');
        }
        if (c != prefix[i]) {
            return false;
        }
    }
    return true;
}

int hexDigit(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    return -1;
}

// Takes `prefix` and exactly `digits` hexadecimal digits off the front of
// `text`; nothing when they are not there.
std::optional<std::uint32_t> takeField(std::string_view& text, std::string_view prefix,
                                       std::size_t digits) {
    if (!startsWithIgnoringCase(text, prefix) || text.size() < prefix.size() + digits) {
        return std::nullopt;
    }
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < digits; ++i) {
        const int digit = hexDigit(text[prefix.size() + i]);
        if (digit < 0) {
            return std::nullopt;
        }
        value = value << 4 | static_cast<std::uint32_t>(digit);
    }
    text.remove_prefix(prefix.size() + digits);
    return value;
}

}  // namespace

std::optional<PciHardwareId> parsePciHardwareId(std::string_view id) {
    const auto vendor = takeField(id, "PCI\\VEN_", 4);
    const auto device = vendor ? takeField(id, "&DEV_", 4) : std::nullopt;
    if (!device) {
        return std::nullopt;
    }
    if (startsWithIgnoringCase(id, "&SUBSYS_") && !takeField(id, "&SUBSYS_", 8)) {
        return std::nullopt;
    }
    const auto revision = takeField(id, "&REV_", 2);
    if (!revision || !id.empty()) {
        return std::nullopt;
    }
    return PciHardwareId{static_cast<std::uint16_t>(*vendor), static_cast<std::uint16_t>(*device),
                         static_cast<std::uint8_t>(*revision)};
}

}  // namespace romwise

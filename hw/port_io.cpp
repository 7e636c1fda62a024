#include "hw/port_io.h"

namespace romwise {

namespace {
constexpr std::uint32_t kPortMask = 0xFFFF;
}

std::uint8_t ReadPortByte(HardwareDriver& driver, std::uint32_t port) {
    std::uint8_t value = 0xFF;
    if (!driver.readPortByte(port & kPortMask, value)) {
        return 0xFF;
    }
    return value;
}

std::uint32_t ReadPortDword(HardwareDriver& driver, std::uint32_t port) {
    std::uint32_t value = 0xFFFFFFFFu;
    if (!driver.readPortDword(port & kPortMask, value)) {
        return 0xFFFFFFFFu;
    }
    return value;
}

bool WritePortByte(HardwareDriver& driver, std::uint32_t port, std::uint8_t value) {
    return driver.writePortByte(port & kPortMask, value);
}

bool WritePortDword(HardwareDriver& driver, std::uint32_t port, std::uint32_t value) {
    return driver.writePortDword(port & kPortMask, value);
}

}  // namespace romwise

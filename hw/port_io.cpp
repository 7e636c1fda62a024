#include "hw/port_io.h"

namespace romwise {

namespace {
constexpr std::uint8_t kEmptyByte = 0xFF;
constexpr std::uint32_t kEmptyDword = 0xFFFFFFFFu;
}  // namespace

std::uint8_t ReadPortByte(HardwareDriver& driver, std::uint32_t port) {
    std::uint8_t value = kEmptyByte;
    if (port > kHighestPort || !driver.tryReadPortByte(port, value)) {
        return kEmptyByte;
    }
    return value;
}

std::uint32_t ReadPortDword(HardwareDriver& driver, std::uint32_t port) {
    std::uint32_t value = kEmptyDword;
    if (port > kHighestPort || !driver.tryReadPortDword(port, value)) {
        return kEmptyDword;
    }
    return value;
}

bool WritePortByte(HardwareDriver& driver, std::uint32_t port, std::uint8_t value) {
    return port <= kHighestPort && driver.tryWritePortByte(port, value);
}

bool WritePortDword(HardwareDriver& driver, std::uint32_t port, std::uint32_t value) {
    return port <= kHighestPort && driver.tryWritePortDword(port, value);
}

}  // namespace romwise

#include "hw/port_trace.h"

#include <cstdio>

namespace romwise {

bool TracingHardwareDriver::tryReadPortByte(std::uint32_t port, std::uint8_t& value) {
    const bool ok = inner_->tryReadPortByte(port, value);
    char text[48];
    std::snprintf(text, sizeof text, "R %X %02X", port, ok ? value : 0xFFu);
    sink_.line(text);
    return ok;
}

bool TracingHardwareDriver::tryReadPortDword(std::uint32_t port, std::uint32_t& value) {
    const bool ok = inner_->tryReadPortDword(port, value);
    char text[48];
    std::snprintf(text, sizeof text, "R32 %X %08X", port, ok ? value : 0xFFFFFFFFu);
    sink_.line(text);
    return ok;
}

bool TracingHardwareDriver::tryWritePortByte(std::uint32_t port, std::uint8_t value) {
    char text[48];
    std::snprintf(text, sizeof text, "W %X %02X", port, value);
    sink_.line(text);
    return inner_->tryWritePortByte(port, value);
}

bool TracingHardwareDriver::tryWritePortDword(std::uint32_t port, std::uint32_t value) {
    char text[48];
    std::snprintf(text, sizeof text, "W32 %X %08X", port, value);
    sink_.line(text);
    return inner_->tryWritePortDword(port, value);
}

}  // namespace romwise

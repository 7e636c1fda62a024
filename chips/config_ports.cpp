#include "chips/config_ports.h"

#include "hw/port_io.h"

namespace romwise {

void ConfigPorts::write(std::uint32_t port, std::uint8_t value) {
    WritePortByte(driver_, port, value);
}

void ConfigPorts::writeEach(std::uint32_t port, std::initializer_list<std::uint8_t> values) {
    for (const std::uint8_t value : values) {
        write(port, value);
    }
}

std::uint8_t ConfigPorts::read(std::uint32_t port) {
    return ReadPortByte(driver_, port);
}

std::uint8_t ConfigPorts::readRegister(std::uint32_t indexPort, std::uint8_t reg) {
    write(indexPort, reg);
    return read(indexPort + 1);
}

bool ConfigPorts::mayProbe(std::uint32_t indexPort) const {
    return !(skipPorts2E4E_ && (indexPort == 0x2E || indexPort == 0x4E));
}

}  // namespace romwise

// Byte and dword port access over the hardware driver.
#pragma once

#include <cstdint>

#include "hw/hardware_driver.h"

namespace romwise {

// A read whose request fails answers all ones, like a port with nothing behind it.
std::uint8_t ReadPortByte(HardwareDriver& driver, std::uint32_t port);
std::uint32_t ReadPortDword(HardwareDriver& driver, std::uint32_t port);
bool WritePortByte(HardwareDriver& driver, std::uint32_t port, std::uint8_t value);
bool WritePortDword(HardwareDriver& driver, std::uint32_t port, std::uint32_t value);

}  // namespace romwise

// Byte and dword port access over the hardware driver: one driver request per
// call, nothing cached or batched.
#pragma once

#include <cstdint>

#include "hw/hardware_driver.h"

namespace romwise {

// The highest I/O port number; a port above it is refused without a request,
// rather than cut to 16 bits and sent to some unrelated port.
inline constexpr std::uint32_t kHighestPort = 0xFFFF;

// A read whose request fails (or names a port above FFFFh) answers all ones,
// like a port with nothing behind it, never an uninitialised value.
std::uint8_t ReadPortByte(HardwareDriver& driver, std::uint32_t port);
std::uint32_t ReadPortDword(HardwareDriver& driver, std::uint32_t port);
// Whether the request succeeded.
bool WritePortByte(HardwareDriver& driver, std::uint32_t port, std::uint8_t value);
bool WritePortDword(HardwareDriver& driver, std::uint32_t port, std::uint32_t value);

}  // namespace romwise

// The hardware-access driver: the only way the program reaches I/O ports and
// the BIOS ROM window. Each platform (the real machine, a machine profile)
// supplies its own implementation.
#pragma once

#include <cstdint>

namespace romwise {

class HardwareDriver {
  public:
    virtual ~HardwareDriver() = default;

    // Whether the opened driver is usable (nonzero answer of the activity check).
    virtual bool isActive() = 0;

    // One port request each. Each returns whether the request itself
    // succeeded; a failed read leaves `value` as it was. The detectors use
    // ReadPortByte and its kin (hw/port_io.h), which answer all ones for a
    // failed read.
    virtual bool tryReadPortByte(std::uint32_t port, std::uint8_t& value) = 0;
    virtual bool tryReadPortDword(std::uint32_t port, std::uint32_t& value) = 0;
    virtual bool tryWritePortByte(std::uint32_t port, std::uint8_t value) = 0;
    virtual bool tryWritePortDword(std::uint32_t port, std::uint32_t value) = 0;

    // A readable view of `length` bytes of physical memory starting at
    // `physicalAddress`, or nullptr when the range cannot be mapped. The view
    // stays valid as long as the driver lives.
    virtual const std::uint8_t* mapPhysToLinear(std::uint32_t physicalAddress,
                                                std::uint32_t length) = 0;
};

}  // namespace romwise

#include "platform/sim/sim_port_driver.h"

namespace romwise::sim {

namespace {

constexpr std::uint32_t kMaxPort = 0xFFFF;

}  // namespace

bool SimPortDriver::tryReadPortByte(std::uint32_t port, std::uint8_t& value) {
    if (port > kMaxPort) {
        return false;
    }
    value = ports_.readByte(static_cast<std::uint16_t>(port));
    return true;
}

bool SimPortDriver::tryReadPortDword(std::uint32_t port, std::uint32_t& value) {
    if (port > kMaxPort) {
        return false;
    }
    value = ports_.readDword(static_cast<std::uint16_t>(port));
    return true;
}

bool SimPortDriver::tryWritePortByte(std::uint32_t port, std::uint8_t value) {
    if (port > kMaxPort) {
        return false;
    }
    ports_.writeByte(static_cast<std::uint16_t>(port), value);
    return true;
}

bool SimPortDriver::tryWritePortDword(std::uint32_t port, std::uint32_t value) {
    if (port > kMaxPort) {
        return false;
    }
    ports_.writeDword(static_cast<std::uint16_t>(port), value);
    return true;
}

const std::uint8_t* SimPortDriver::mapPhysToLinear(std::uint32_t physicalAddress,
                                                   std::uint32_t length) {
    if (!romMappable_ || length == 0 ||
        std::uint64_t{physicalAddress} + length > SimPhysicalMemory::kAddressSpaceEnd) {
        return nullptr;
    }
    return memory_.view(physicalAddress, length);
}

}  // namespace romwise::sim

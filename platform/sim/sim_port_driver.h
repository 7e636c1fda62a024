// The opened hardware-access driver of a machine profile: its port requests
// go to the simulated port space and its ROM mappings to the simulated
// physical memory (the system that opens it is in sim_driver_services.h).
#pragma once

#include <cstdint>

#include "hw/hardware_driver.h"
#include "platform/sim/sim_physical_memory.h"
#include "platform/sim/sim_port_space.h"

namespace romwise::sim {

class SimPortDriver final : public HardwareDriver {
  public:
    SimPortDriver(SimPortSpace& ports, const SimPhysicalMemory& memory, bool active,
                  bool romMappable)
        : ports_(ports), memory_(memory), active_(active), romMappable_(romMappable) {}

    bool isActive() override { return active_; }
    bool tryReadPortByte(std::uint32_t port, std::uint8_t& value) override;
    bool tryReadPortDword(std::uint32_t port, std::uint32_t& value) override;
    bool tryWritePortByte(std::uint32_t port, std::uint8_t value) override;
    bool tryWritePortDword(std::uint32_t port, std::uint32_t value) override;
    // Any range of physical memory, as a copy that lives as long as the
    // driver; nothing at all when the profile says the ROM is not mappable.
    const std::uint8_t* mapPhysToLinear(std::uint32_t physicalAddress,
                                        std::uint32_t length) override;

  private:
    SimPortSpace& ports_;
    const SimPhysicalMemory& memory_;
    bool active_;
    bool romMappable_;
};

}  // namespace romwise::sim

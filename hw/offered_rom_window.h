// The ROM window as the operating system offered it, behind the driver's
// interface, so that the BIOS identification reads it as it reads the
// driver's mapping. It reaches no port.
#pragma once

#include <cstdint>
#include <utility>
#include <vector>

#include "hw/hardware_driver.h"

namespace romwise {

class OfferedRomWindow final : public HardwareDriver {
  public:
    // `bytes`: the window from kRomBase (hw/rom_window.h), kRomLength long.
    explicit OfferedRomWindow(std::vector<std::uint8_t> bytes) : bytes_(std::move(bytes)) {}

    bool isActive() override { return true; }
    // Every port request fails.
    bool tryReadPortByte(std::uint32_t, std::uint8_t&) override { return false; }
    bool tryReadPortDword(std::uint32_t, std::uint32_t&) override { return false; }
    bool tryWritePortByte(std::uint32_t, std::uint8_t) override { return false; }
    bool tryWritePortDword(std::uint32_t, std::uint32_t) override { return false; }
    // Ranges inside the window only.
    const std::uint8_t* mapPhysToLinear(std::uint32_t physicalAddress,
                                        std::uint32_t length) override;

  private:
    std::vector<std::uint8_t> bytes_;
};

}  // namespace romwise

// Wraps a hardware driver and writes one line per port access:
// "W 2E 87", "R 2F 52", "W32 CF8 80000000", "R32 CFC 71908086".
#pragma once

#include <memory>

#include "hw/driver_host.h"
#include "hw/hardware_driver.h"

namespace romwise {

class PortTraceSink {
  public:
    virtual ~PortTraceSink() = default;
    virtual void line(const char* text) = 0;
};

class TracingHardwareDriver final : public HardwareDriver {
  public:
    TracingHardwareDriver(std::unique_ptr<HardwareDriver> inner, PortTraceSink& sink)
        : inner_(std::move(inner)), sink_(sink) {}

    bool isActive() override { return inner_->isActive(); }
    bool tryReadPortByte(std::uint32_t port, std::uint8_t& value) override;
    bool tryReadPortDword(std::uint32_t port, std::uint32_t& value) override;
    bool tryWritePortByte(std::uint32_t port, std::uint8_t value) override;
    bool tryWritePortDword(std::uint32_t port, std::uint32_t value) override;
    const std::uint8_t* mapPhysToLinear(std::uint32_t physicalAddress,
                                        std::uint32_t length) override {
        return inner_->mapPhysToLinear(physicalAddress, length);
    }

  private:
    std::unique_ptr<HardwareDriver> inner_;
    PortTraceSink& sink_;
};

}  // namespace romwise

namespace romwise {

// Opens drivers through another host and wraps each in a tracing driver.
class TracingDriverHost final : public DriverHost {
  public:
    TracingDriverHost(DriverHost& inner, PortTraceSink& sink) : inner_(inner), sink_(sink) {}

    std::unique_ptr<HardwareDriver> openHardwareDriver(std::string_view programDirectory,
                                                       bool is64Bit, bool isWin9x) override {
        auto driver = inner_.openHardwareDriver(programDirectory, is64Bit, isWin9x);
        if (!driver) {
            return nullptr;
        }
        return std::make_unique<TracingHardwareDriver>(std::move(driver), sink_);
    }
    std::string lastFailureReason() const override { return inner_.lastFailureReason(); }

  private:
    DriverHost& inner_;
    PortTraceSink& sink_;
};

}  // namespace romwise

// The process's way to the hardware-access driver on a platform that offers
// the device, file and service operations of DriverServices: runs the
// opening steps and hands out the opened device as a HardwareDriver that
// closes the device when it is released. A platform's driver host owns its
// DriverServices (OwningServiceDriverHost).
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <utility>

#include "hw/driver_host.h"
#include "hw/driver_opening.h"
#include "hw/driver_services.h"
#include "hw/hardware_driver.h"

namespace romwise {

// The opened driver: port and ROM requests go to the device's own access
// object; releasing it closes the device.
class OpenedHardwareDriver final : public HardwareDriver {
  public:
    OpenedHardwareDriver(DriverServices& services, DriverRecord record);
    ~OpenedHardwareDriver() override;
    OpenedHardwareDriver(const OpenedHardwareDriver&) = delete;
    OpenedHardwareDriver& operator=(const OpenedHardwareDriver&) = delete;

    const DriverRecord& record() const { return record_; }

    bool isActive() override;
    bool tryReadPortByte(std::uint32_t port, std::uint8_t& value) override;
    bool tryReadPortDword(std::uint32_t port, std::uint32_t& value) override;
    bool tryWritePortByte(std::uint32_t port, std::uint8_t value) override;
    bool tryWritePortDword(std::uint32_t port, std::uint32_t value) override;
    const std::uint8_t* mapPhysToLinear(std::uint32_t physicalAddress,
                                        std::uint32_t length) override;

  private:
    DriverServices& services_;
    DriverRecord record_;
    std::unique_ptr<HardwareDriver> device_;
};

class ServiceDriverHost final : public DriverHost {
  public:
    explicit ServiceDriverHost(DriverServices& services) : services_(services) {}

    std::unique_ptr<HardwareDriver> openHardwareDriver(std::string_view programDirectory,
                                                       bool is64Bit, bool isWin9x) override;
    std::string lastFailureReason() const override { return failureReason_; }

  private:
    DriverServices& services_;
    std::string failureReason_;
};

// The driver host of a platform: its own `Services`, made from the
// constructor's arguments, and the opening steps over them.
template <class Services>
class OwningServiceDriverHost final : public DriverHost {
  public:
    template <class... Arguments>
    explicit OwningServiceDriverHost(Arguments&&... arguments)
        : services_(std::forward<Arguments>(arguments)...) {}
    OwningServiceDriverHost(const OwningServiceDriverHost&) = delete;
    OwningServiceDriverHost& operator=(const OwningServiceDriverHost&) = delete;

    std::unique_ptr<HardwareDriver> openHardwareDriver(std::string_view programDirectory,
                                                       bool is64Bit, bool isWin9x) override {
        return host_.openHardwareDriver(programDirectory, is64Bit, isWin9x);
    }
    std::string lastFailureReason() const override { return host_.lastFailureReason(); }

    Services& services() { return services_; }

  private:
    Services services_;
    ServiceDriverHost host_{services_};
};

}  // namespace romwise

#include "hw/service_driver_host.h"

#include <utility>

namespace romwise {

OpenedHardwareDriver::OpenedHardwareDriver(DriverServices& services, DriverRecord record)
    : services_(services), record_(std::move(record)), device_(services_.deviceDriver(record_)) {}

OpenedHardwareDriver::~OpenedHardwareDriver() {
    // Views and port rights of the device go before the device itself.
    device_.reset();
    CloseDriverDevice(services_, record_);
}

// A device the platform cannot use counts as an inactive driver.
bool OpenedHardwareDriver::isActive() {
    return device_ && device_->isActive();
}

bool OpenedHardwareDriver::tryReadPortByte(std::uint32_t port, std::uint8_t& value) {
    return device_ && device_->tryReadPortByte(port, value);
}

bool OpenedHardwareDriver::tryReadPortDword(std::uint32_t port, std::uint32_t& value) {
    return device_ && device_->tryReadPortDword(port, value);
}

bool OpenedHardwareDriver::tryWritePortByte(std::uint32_t port, std::uint8_t value) {
    return device_ && device_->tryWritePortByte(port, value);
}

bool OpenedHardwareDriver::tryWritePortDword(std::uint32_t port, std::uint32_t value) {
    return device_ && device_->tryWritePortDword(port, value);
}

const std::uint8_t* OpenedHardwareDriver::mapPhysToLinear(std::uint32_t physicalAddress,
                                                          std::uint32_t length) {
    return device_ ? device_->mapPhysToLinear(physicalAddress, length) : nullptr;
}

std::unique_ptr<HardwareDriver> ServiceDriverHost::openHardwareDriver(
    std::string_view programDirectory, bool is64Bit, bool isWin9x) {
    services_.clearFailureNotes();
    std::optional<DriverRecord> record =
        OpenHardwareDriver(services_, programDirectory, is64Bit, isWin9x);
    if (!record) {
        failureReason_ = services_.failureNotes();
        return nullptr;
    }
    // From here on the notes say only why the opened device cannot be used.
    services_.clearFailureNotes();
    auto driver = std::make_unique<OpenedHardwareDriver>(services_, std::move(*record));
    failureReason_ = services_.failureNotes();
    return driver;
}

}  // namespace romwise

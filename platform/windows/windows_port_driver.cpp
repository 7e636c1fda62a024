#include "platform/windows/windows_port_driver.h"

namespace romwise {

WindowsPortDriver::WindowsPortDriver(const DriverRecord& record,
                                     std::unique_ptr<TvicLibrary> library)
    : device_(reinterpret_cast<HANDLE>(record.deviceHandle)),
      codes_(record.controlCodes),
      record_(std::make_unique<TvicDriverRecord>(makeTvicDriverRecord(record))),
      library_(std::move(library)) {}

bool WindowsPortDriver::isActive() {
    return library_ && library_->isActive(*record_);
}

bool WindowsPortDriver::read(std::uint32_t port, std::uint32_t& value) {
    DWORD in = port;
    // A port with nothing behind it answers all ones; so does a short answer.
    DWORD out = 0xFFFFFFFF;
    DWORD returned = 0;
    if (!DeviceIoControl(device_, codes_.readCode, &in, sizeof in, &out, sizeof out, &returned,
                         nullptr)) {
        return false;
    }
    value = out;
    return true;
}

bool WindowsPortDriver::write(std::uint32_t code, std::uint32_t port, std::uint32_t value) {
    DWORD in[2] = {port, value};
    DWORD returned = 0;
    return DeviceIoControl(device_, code, in, sizeof in, nullptr, 0, &returned, nullptr) != 0;
}

bool WindowsPortDriver::tryReadPortByte(std::uint32_t port, std::uint8_t& value) {
    std::uint32_t dword = 0;
    if (!read(port, dword)) {
        return false;
    }
    value = static_cast<std::uint8_t>(dword & 0xFF);
    return true;
}

bool WindowsPortDriver::tryReadPortDword(std::uint32_t port, std::uint32_t& value) {
    return read(port, value);
}

bool WindowsPortDriver::tryWritePortByte(std::uint32_t port, std::uint8_t value) {
    return write(codes_.writeByteCode, port, value);
}

bool WindowsPortDriver::tryWritePortDword(std::uint32_t port, std::uint32_t value) {
    return write(codes_.writeDwordCode, port, value);
}

const std::uint8_t* WindowsPortDriver::mapPhysToLinear(std::uint32_t physicalAddress,
                                                       std::uint32_t length) {
    if (!library_) {
        return nullptr;
    }
    const auto range = std::make_pair(physicalAddress, length);
    if (const auto known = views_.find(range); known != views_.end()) {
        return known->second;
    }
    const std::uint8_t* view = library_->mapPhysToLinear(*record_, physicalAddress, length);
    if (view != nullptr) {
        views_.emplace(range, view);
    }
    return view;
}

}  // namespace romwise

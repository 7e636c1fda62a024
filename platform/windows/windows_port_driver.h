// The opened TVicHW32 device as the program's HardwareDriver: every port
// access is one device control request, and the activity check and the
// ROM window come from the package's DLL with the driver record.
#pragma once

#include <windows.h>

#include <cstdint>
#include <map>
#include <memory>
#include <utility>

#include "hw/driver_opening.h"
#include "hw/hardware_driver.h"
#include "platform/windows/tvichw_library.h"
#include "platform/windows/tvichw_record.h"

namespace romwise {

class WindowsPortDriver final : public HardwareDriver {
  public:
    // `device` stays owned by the opening steps, which close it after this
    // object is gone. Without `library` the driver is inactive and maps
    // nothing; its ports still answer through the device.
    WindowsPortDriver(const DriverRecord& record, std::unique_ptr<TvicLibrary> library);

    // GetActiveHW with the record; false without the library.
    bool isActive() override;
    // readCode; in: the port as 32 bits; out: 4 bytes. The byte read takes
    // the low 8 bits.
    bool tryReadPortByte(std::uint32_t port, std::uint8_t& value) override;
    bool tryReadPortDword(std::uint32_t port, std::uint32_t& value) override;
    // writeByteCode / writeDwordCode; in: the port, then the value, each 32
    // bits; no out buffer.
    bool tryWritePortByte(std::uint32_t port, std::uint8_t value) override;
    bool tryWritePortDword(std::uint32_t port, std::uint32_t value) override;
    // MapPhysToLinear with the record. The library never gives a view back,
    // so each range is asked for once and its view kept: repeated passes do
    // not pile up mappings.
    const std::uint8_t* mapPhysToLinear(std::uint32_t physicalAddress,
                                        std::uint32_t length) override;

  private:
    bool read(std::uint32_t port, std::uint32_t& value);
    bool write(std::uint32_t code, std::uint32_t port, std::uint32_t value);

    HANDLE device_;
    DriverControlCodes codes_;
    // At one address for the library's whole use of it.
    std::unique_ptr<TvicDriverRecord> record_;
    std::unique_ptr<TvicLibrary> library_;
    std::map<std::pair<std::uint32_t, std::uint32_t>, const std::uint8_t*> views_;
};

}  // namespace romwise

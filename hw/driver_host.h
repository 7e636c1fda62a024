// Opens and closes the hardware-access driver of a platform.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "hw/hardware_driver.h"

namespace romwise {

class DriverHost {
  public:
    virtual ~DriverHost() = default;

    // Returns the open driver, or nullptr when it could not be opened.
    virtual std::unique_ptr<HardwareDriver> openHardwareDriver(std::string_view programDirectory,
                                                               bool is64Bit, bool isWin9x) = 0;

    // Why the last open failed, or why the driver it opened is not usable,
    // for a line under the standard message; empty when the platform has
    // nothing to add.
    virtual std::string lastFailureReason() const { return {}; }
};

}  // namespace romwise

// Port and ROM access on Linux: port instructions after iopl(), else
// /dev/port; the ROM window through a read-only mapping of /dev/mem.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "hw/driver_host.h"

namespace romwise {

class LinuxDriverHost final : public DriverHost {
  public:
    std::unique_ptr<HardwareDriver> openHardwareDriver(std::string_view programDirectory,
                                                       bool is64Bit, bool isWin9x) override;
    std::string lastFailureReason() const override { return failureReason_; }

  private:
    std::string failureReason_;
};

}  // namespace romwise

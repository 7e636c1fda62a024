// Finds the Super I/O chip through its configuration ports.
#pragma once

#include "app/fixed_text.h"
#include "hw/hardware_driver.h"

namespace romwise {

class SuperIoDetector {
  public:
    explicit SuperIoDetector(HardwareDriver& driver) : driver_(driver) {}
    // Writes "Superio:   ..." and returns true when a chip was found; leaves
    // the line untouched otherwise.
    bool identify(FixedText<260>& line);

  private:
    HardwareDriver& driver_;
};

}  // namespace romwise

// What one Get BIOS Info pass works with, and what outlives it: the record,
// the switches, the window, the detectors and the open hardware driver.
#pragma once

#include <memory>
#include <string>

#include "app/detection_results.h"
#include "app/detectors.h"
#include "app/main_view.h"
#include "hw/driver_host.h"
#include "os/os_services.h"

namespace romwise {

struct DetectionSession {
    DetectionSession(DetectionResults& results, DetectionOptions& options, MainView& view,
                     Detectors& detectors, OsServices& os, DriverHost& driverHost)
        : results(results),
          options(options),
          view(view),
          detectors(detectors),
          os(os),
          driverHost(driverHost) {}

    DetectionResults& results;
    DetectionOptions& options;
    MainView& view;
    Detectors& detectors;
    OsServices& os;
    DriverHost& driverHost;

    // Opened by the first pass that gets that far and kept for later passes;
    // only the window's close path releases it.
    std::unique_ptr<HardwareDriver> driver;
    // Why the last open of the driver failed, when the platform can tell.
    std::string driverFailureReason;
};

}  // namespace romwise

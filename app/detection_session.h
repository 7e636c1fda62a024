// What one Get BIOS Info pass works with, and what outlives it: the record,
// the switches, the window, the detectors and the open hardware driver.
#pragma once

#include <memory>
#include <string>

#include "app/detectors.h"
#include "hw/driver_host.h"
#include "model/detection_results.h"
#include "model/main_view.h"
#include "model/privileged_pass.h"
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
    // Set by the chipset step once it has named a chipset on which ports 2Eh
    // and 4Eh must not be probed; nothing clears it. The Super I/O step runs
    // before the chipset step, so it first takes effect in the next pass.
    bool skipPorts2E4E = false;
    // Where this process may not read the hardware: the helper that runs
    // each pass instead; nothing when the pass runs here.
    PrivilegedPass* privilegedPass = nullptr;
};

}  // namespace romwise

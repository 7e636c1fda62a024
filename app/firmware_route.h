// The route a pass takes where the driver's route would stop at the
// administrator check or at the driver, and the operating system itself
// offers the firmware: the ROM window, the SMBIOS tables or the firmware's
// identity strings. It installs and starts nothing and reaches no port, so
// the Super I/O chip is not probed; the chipset comes from the system's
// device list.
#pragma once

#include <optional>
#include <string>

#include "app/detection_session.h"
#include "app/pass_outcome.h"

namespace romwise {

// "no administrator rights", "no port driver: REASON", ...: what was
// refused, as the route's note starts.
std::string noAdministratorWhy();
std::string noDriverWhy(const std::string& reason);

// Runs the rest of the pass by the firmware-tables route when the system
// offers the firmware; nothing, and nothing shown, when it offers none.
// The operating system has been identified already.
std::optional<PassOutcome> takeFirmwareRoute(DetectionSession& session, OsInfo& os,
                                             const std::string& why);
// The same with what the system offers read already; `offer` offers the
// firmware.
PassOutcome runFirmwareRoute(DetectionSession& session, OsInfo& os, const SystemOffer& offer,
                             const std::string& why);

}  // namespace romwise

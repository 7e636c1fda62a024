// One detection pass, as the Get BIOS Info button runs it: its steps in
// order, each calling its detector, putting the findings into the record
// (through the rules of app/pass_texts.h) and showing them in the window.
#pragma once

#include <optional>
#include <string>

#include "app/detection_session.h"
#include "app/pass_outcome.h"

namespace romwise {

// Leaves its findings in `session.results` and the window, and says how it
// ended; `session.results.runState` agrees with the outcome.
PassOutcome runDetectionPass(DetectionSession& session);

// The whole pass by the firmware-tables route, for a process that may not
// use the driver at all (the privileged helper was refused): `why` says so
// in the route's note. Nothing, and nothing shown, when the system offers
// none of what the route reads.
std::optional<PassOutcome> runFirmwareTablesPass(DetectionSession& session, const std::string& why);

}  // namespace romwise

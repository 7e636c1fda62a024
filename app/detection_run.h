// One detection pass, as the Get BIOS Info button runs it: its steps in
// order, each calling its detector, putting the findings into the record
// (through the rules of app/pass_texts.h) and showing them in the window.
#pragma once

#include "app/detection_session.h"
#include "app/pass_outcome.h"

namespace romwise {

// Leaves its findings in `session.results` and the window, and says how it
// ended; `session.results.runState` agrees with the outcome.
PassOutcome runDetectionPass(DetectionSession& session);

}  // namespace romwise

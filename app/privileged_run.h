// Get BIOS Info where the pass runs in a privileged helper: the window shows
// what the helper's pass found, as if it had run here.
#pragma once

#include "app/detection_session.h"

namespace romwise {

// Runs the pass through `session.privilegedPass`. A pass that could not run
// ends as a refused driver does: the driver message with the reason under
// it, the status line blank, `runState` Started.
void runPrivilegedPass(DetectionSession& session);

// The helper's record and window state, put into this window.
void applyPassAnswer(DetectionSession& session, const PassAnswer& answer);

}  // namespace romwise

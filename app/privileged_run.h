// Get BIOS Info where the pass runs in a privileged helper: the window shows
// what the helper's pass found, as if it had run here.
#pragma once

#include "app/detection_session.h"
#include "app/pass_outcome.h"

namespace romwise {

// Runs the pass through `session.privilegedPass`. Where the helper could
// not run, the pass takes the firmware-tables route here, its note naming
// the helper's refusal; where the system offers nothing for that either, it
// ends as a refused driver does: the driver message with the reason under
// it, the status line blank, `runState` Started.
PassOutcome runPrivilegedPass(DetectionSession& session);

// The helper's record and window state, put into this window, with the
// route its pass took; how the helper's pass ended, as its record and
// messages tell.
PassOutcome applyPassAnswer(DetectionSession& session, const PassAnswer& answer);

}  // namespace romwise

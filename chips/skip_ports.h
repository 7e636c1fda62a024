// Ports 2Eh and 4Eh must not be probed on a few old chipsets.
#pragma once

namespace romwise {

// Process-wide, false when the process starts. Chipset identification sets it
// once it has named a chipset on which ports 2Eh and 4Eh must not be probed;
// nothing sets it back. The Super I/O probes honour it, and since they run
// before the chipset is identified, it first takes effect in the next pass.
bool& skipPorts2E4E();

}  // namespace romwise

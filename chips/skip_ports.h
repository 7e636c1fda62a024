#pragma once

namespace romwise {

// Set once chipset identification has named a chipset on which ports 2Eh
// and 4Eh must not be probed; honoured by the Super I/O probes of later passes.
bool& skipPorts2E4E();

}  // namespace romwise

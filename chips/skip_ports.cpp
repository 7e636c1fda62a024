#include "chips/skip_ports.h"

namespace romwise {

bool& skipPorts2E4E() {
    static bool skip = false;
    return skip;
}

}  // namespace romwise

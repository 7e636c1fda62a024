#include "chips/superio_probes.h"

namespace romwise {

void WriteSuperIoLine(FixedText<260>& line, const char* name, unsigned revision,
                      std::uint32_t port) {
    line.format("Superio:   %s rev %d found at port %Xh", name, static_cast<int>(revision), port);
}

}  // namespace romwise

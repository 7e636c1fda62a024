#include "chips/superio_probes.h"

#include "model/report_labels.h"

namespace romwise {

void WriteSuperIoLine(FixedText<260>& line, const char* name, unsigned revision,
                      std::uint32_t port) {
    line.format("%s%s rev %d found at port %Xh", kSuperIoLabel, name, static_cast<int>(revision),
                port);
}

}  // namespace romwise

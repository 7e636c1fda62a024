#include "platform/windows/tvichw_record.h"

#include <algorithm>

namespace romwise {

TvicDriverRecord makeTvicDriverRecord(const DriverRecord& record) {
    TvicDriverRecord tvic;
    tvic.deviceHandle = static_cast<std::int32_t>(record.deviceHandle);
    tvic.isWin9x = record.isWin9x ? 1 : 0;
    tvic.openedDirectly = record.openedDirectly ? 1 : 0;
    tvic.serviceManager = static_cast<std::uint32_t>(record.serviceManager);
    const std::size_t length = std::min(record.serviceName.size(), sizeof tvic.serviceName - 1);
    std::copy_n(record.serviceName.data(), length, tvic.serviceName);
    return tvic;
}

}  // namespace romwise

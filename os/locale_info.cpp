#include "os/locale_info.h"

namespace romwise {

void readLocaleAndTimeZone(OsServices& services, DetectionResults& results) {
    // Whole hours, truncated toward zero; daylight saving is not applied.
    results.timeZoneHours = services.timeZoneMinutesWest() / 60;
    if (const auto country = services.country()) {
        results.countryName.assign(country->name);
        results.countryCode.assign(country->code);
    }
}

}  // namespace romwise

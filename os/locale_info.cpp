#include "os/locale_info.h"

namespace romwise {

void readLocaleAndTimeZone(OsServices& services, DetectionResults& results) {
    // Whole hours, truncated toward zero; daylight saving is not applied.
    results.timeZoneHours = services.timeZoneMinutesWest() / 60;
    // A value the platform cannot tell leaves the field as it was.
    if (const auto country = services.country()) {
        if (!country->name.empty()) {
            results.countryName.assign(country->name);
        }
        if (!country->code.empty()) {
            results.countryCode.assign(country->code);
        }
    }
}

}  // namespace romwise

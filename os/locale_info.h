#pragma once

#include "app/detection_results.h"
#include "os/os_services.h"

namespace romwise {

// Fills timeZoneHours, countryCode and countryName; a country the platform
// cannot tell leaves the two texts as they were.
void readLocaleAndTimeZone(OsServices& services, DetectionResults& results);

}  // namespace romwise

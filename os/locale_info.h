#pragma once

#include "model/detection_results.h"
#include "os/os_services.h"

namespace romwise {

// Fills timeZoneHours, countryCode and countryName; a country or code the
// platform cannot tell leaves its text as it was.
void readLocaleAndTimeZone(OsServices& services, DetectionResults& results);

}  // namespace romwise

// The upgrade request handed to the browser, and the web-site link.
#pragma once

#include "model/detection_results.h"
#include "model/main_view.h"
#include "report/shell.h"

namespace romwise {

// Formats both request addresses from the record at the end of a completed
// pass. An address whose canonical form does not fit its field leaves that
// field empty.
void buildUpgradeUrls(DetectionResults& results, const char* biosVendorCode);

// Opens the prepared request in the browser, or refuses by runState when
// no address has been prepared yet.
void submitUpgradeRequest(DetectionResults& results, Shell& shell, MainView& view);

// Opens the maker's web site.
void openWebSite(Shell& shell, MainView& view);

}  // namespace romwise

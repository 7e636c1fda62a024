// The maker's addresses and support texts: product configuration.
//
// The texts are set when the program is built (the CMake cache variables
// ROMWISE_MAKER_WEB_HOST, ROMWISE_SUPPORT_TELEPHONE and
// ROMWISE_REPORT_WEB_HOST_LINE) and defined in product_config.cpp only.
#pragma once

namespace romwise {

// Host name of the maker's web server, as used in every address.
extern const char kMakerWebHost[];
// The report's support telephone line.
extern const char kSupportTelephone[];
// The report's last line, naming the maker's web host.
extern const char kReportWebHostLine[];

// http:// addresses on the maker's web host.
extern const char kUpgradeFormAddress[];
extern const char kWebSiteAddress[];
extern const char kFaqAddress[];

}  // namespace romwise

#include "report/product_config.h"

// Defaults for builds that do not set the texts.
#ifndef ROMWISE_MAKER_WEB_HOST
#define ROMWISE_MAKER_WEB_HOST "www.quorvel.com"
#endif
#ifndef ROMWISE_SUPPORT_TELEPHONE
#define ROMWISE_SUPPORT_TELEPHONE "Support: +1 (512) 555-0142"
#endif
#ifndef ROMWISE_REPORT_WEB_HOST_LINE
#define ROMWISE_REPORT_WEB_HOST_LINE ROMWISE_MAKER_WEB_HOST
#endif

namespace romwise {

const char kMakerWebHost[] = ROMWISE_MAKER_WEB_HOST;
const char kSupportTelephone[] = ROMWISE_SUPPORT_TELEPHONE;
const char kReportWebHostLine[] = ROMWISE_REPORT_WEB_HOST_LINE;

const char kUpgradeFormAddress[] = "http://" ROMWISE_MAKER_WEB_HOST "/leads/bios_upgrade_form.cfm";
const char kWebSiteAddress[] = "http://" ROMWISE_MAKER_WEB_HOST;
const char kFaqAddress[] = "http://" ROMWISE_MAKER_WEB_HOST "/romwise/faq.html";

}  // namespace romwise

// The maker's addresses and support texts: product configuration.
#pragma once

namespace romwise {

inline constexpr char kMakerWebHost[] = "www.quorvel.com";
inline constexpr char kUpgradeFormAddress[] = "http://www.quorvel.com/leads/bios_upgrade_form.cfm";
inline constexpr char kWebSiteAddress[] = "http://www.quorvel.com";
inline constexpr char kFaqAddress[] = "http://www.quorvel.com/romwise/faq.html";

}  // namespace romwise

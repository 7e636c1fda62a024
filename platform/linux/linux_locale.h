// The user's country on Linux, from the territory of the locale settings.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "os/os_services.h"

namespace romwise {

// The territory of a locale name such as "en_US.UTF-8" or "zh_CN@pinyin":
// two letters (upper-cased) or a three-digit region; nothing for "C",
// "POSIX" or a name without one.
std::optional<std::string> localeTerritory(std::string_view localeName);

// The locale name that decides the country: LC_ALL, then LC_MESSAGES, then
// LANG, the first one set and not empty.
std::string countryLocaleName();

// Where the country module is looked for, in this order: beside the
// program, then in the installed library folder.
std::vector<std::string> countryModulePaths();

// The English country name (Windows-1252) and the international dialling
// code of a territory, from the first country module of `modulePaths` that
// loads; nothing when the territory is not a known country or no module
// loads.
std::optional<CountryInfo> countryForTerritory(
    const std::string& territory,
    const std::vector<std::string>& modulePaths = countryModulePaths());

}  // namespace romwise

// The interface of romwise-country.so, the module that names countries and
// their dialling codes. It holds the large locale libraries (ICU's display
// names, libphonenumber's metadata), so that only a pass that needs a
// country on a real Linux machine loads them.
#pragma once

#include <cstddef>

extern "C" {

// The English name (UTF-8, NUL-terminated, cut to `nameSize`) and the
// international dialling code (0 when the territory has no numbering plan
// of its own) of a territory such as "US" or "419". Returns 0 when the
// territory is not a known country.
int romwise_country_for_territory(const char* territory, char* name, std::size_t nameSize,
                                  int* callingCode);
}

// The symbol's name, for the loader.
inline constexpr char kCountryModuleFunction[] = "romwise_country_for_territory";
inline constexpr char kCountryModuleFile[] = "romwise-country.so";

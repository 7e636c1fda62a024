#include "platform/linux/linux_locale.h"

#include <phonenumbers/phonenumberutil.h>
#include <unicode/locid.h>
#include <unicode/unistr.h>

#include <cctype>
#include <cstdlib>

#include "platform/encoding/text_encoding.h"

namespace romwise {

namespace {
constexpr const char* kLocaleVariables[] = {"LC_ALL", "LC_MESSAGES", "LANG"};
}

std::optional<std::string> localeTerritory(std::string_view localeName) {
    const std::size_t end = localeName.find_first_of(".@");
    const std::string_view base = localeName.substr(0, end);
    const std::size_t underscore = base.find('_');
    if (underscore == std::string_view::npos) {
        return std::nullopt;
    }
    const std::string_view territory = base.substr(underscore + 1);
    const auto all = [&](int (*test)(int)) {
        for (const char c : territory) {
            if (!test(static_cast<unsigned char>(c))) {
                return false;
            }
        }
        return true;
    };
    if (territory.size() == 2 && all(std::isalpha)) {
        std::string upper(territory);
        for (char& c : upper) {
            c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        }
        return upper;
    }
    if (territory.size() == 3 && all(std::isdigit)) {
        return std::string(territory);
    }
    return std::nullopt;
}

std::string countryLocaleName() {
    for (const char* variable : kLocaleVariables) {
        const char* value = std::getenv(variable);
        if (value != nullptr && value[0] != '\0') {
            return value;
        }
    }
    return {};
}

std::optional<CountryInfo> countryForTerritory(const std::string& territory) {
    const icu::Locale locale("", territory.c_str());
    icu::UnicodeString displayName;
    locale.getDisplayCountry(icu::Locale::getEnglish(), displayName);
    std::string name;
    displayName.toUTF8String(name);
    // ICU echoes a territory it has no name for.
    if (name.empty() || name == territory) {
        return std::nullopt;
    }
    const int callingCode =
        i18n::phonenumbers::PhoneNumberUtil::GetInstance()->GetCountryCodeForRegion(territory);
    CountryInfo country;
    country.name = utf8ToWindows1252(name);
    // A territory without its own numbering plan keeps the code it held.
    country.code = callingCode > 0 ? std::to_string(callingCode) : std::string();
    return country;
}

}  // namespace romwise

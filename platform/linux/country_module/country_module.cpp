#include "platform/linux/country_module/country_module.h"

#include <phonenumbers/phonenumberutil.h>
#include <unicode/locid.h>
#include <unicode/unistr.h>

#include <cstring>
#include <string>

extern "C" int romwise_country_for_territory(const char* territory, char* name,
                                             std::size_t nameSize, int* callingCode) {
    if (territory == nullptr || name == nullptr || nameSize == 0 || callingCode == nullptr) {
        return 0;
    }
    const icu::Locale locale("", territory);
    icu::UnicodeString displayName;
    locale.getDisplayCountry(icu::Locale::getEnglish(), displayName);
    std::string text;
    displayName.toUTF8String(text);
    // ICU echoes a territory it has no name for.
    if (text.empty() || text == territory) {
        return 0;
    }
    const std::size_t kept = std::min(text.size(), nameSize - 1);
    std::memcpy(name, text.data(), kept);
    name[kept] = '\0';
    *callingCode =
        i18n::phonenumbers::PhoneNumberUtil::GetInstance()->GetCountryCodeForRegion(territory);
    return 1;
}

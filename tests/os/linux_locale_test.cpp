#include "platform/linux/linux_locale.h"

#include <gtest/gtest.h>

namespace romwise {
namespace {

TEST(LinuxLocaleTest, TerritoryOfALocaleName) {
    EXPECT_EQ(localeTerritory("en_US.UTF-8"), "US");
    EXPECT_EQ(localeTerritory("zh_CN.GB18030@pinyin"), "CN");
    EXPECT_EQ(localeTerritory("de_de"), "DE");
    EXPECT_EQ(localeTerritory("es_419.UTF-8"), "419");
    EXPECT_EQ(localeTerritory("C.UTF-8"), std::nullopt);
    EXPECT_EQ(localeTerritory("POSIX"), std::nullopt);
    EXPECT_EQ(localeTerritory("en"), std::nullopt);
    EXPECT_EQ(localeTerritory("en_USA"), std::nullopt);
    EXPECT_EQ(localeTerritory(""), std::nullopt);
}

// The module of this build, and a missing one before it that is skipped.
const std::vector<std::string> kModules = {"/nonexistent/romwise-country.so",
                                           ROMWISE_COUNTRY_MODULE};

std::optional<CountryInfo> countryForTerritory(const std::string& territory) {
    return romwise::countryForTerritory(territory, kModules);
}

TEST(LinuxLocaleTest, CountryNameAndDiallingCodeComeFromLocaleData) {
    const auto us = countryForTerritory("US");
    ASSERT_TRUE(us);
    EXPECT_EQ(us->name, "United States");
    EXPECT_EQ(us->code, "1");

    const auto china = countryForTerritory("CN");
    ASSERT_TRUE(china);
    EXPECT_EQ(china->name, "China");
    EXPECT_EQ(china->code, "86");

    // The English name in the record's 8-bit code page.
    const auto ivoryCoast = countryForTerritory("CI");
    ASSERT_TRUE(ivoryCoast);
    EXPECT_EQ(ivoryCoast->name, "C\xF4te d\x92Ivoire");
    EXPECT_EQ(ivoryCoast->code, "225");

    EXPECT_FALSE(countryForTerritory("XQ"));
}

TEST(LinuxLocaleTest, WithoutTheModuleTheCountryStaysUnknown) {
    EXPECT_FALSE(romwise::countryForTerritory("US", {"/nonexistent/romwise-country.so"}));
    EXPECT_FALSE(romwise::countryForTerritory("US", {}));
}

TEST(LinuxLocaleTest, LocaleVariablesAreTakenInOrder) {
    setenv("LC_ALL", "", 1);
    setenv("LC_MESSAGES", "fr_FR.UTF-8", 1);
    setenv("LANG", "en_US.UTF-8", 1);
    EXPECT_EQ(countryLocaleName(), "fr_FR.UTF-8");
    setenv("LC_ALL", "de_AT", 1);
    EXPECT_EQ(countryLocaleName(), "de_AT");
    unsetenv("LC_ALL");
    unsetenv("LC_MESSAGES");
    EXPECT_EQ(countryLocaleName(), "en_US.UTF-8");
    unsetenv("LANG");
    EXPECT_EQ(countryLocaleName(), "");
}

}  // namespace
}  // namespace romwise

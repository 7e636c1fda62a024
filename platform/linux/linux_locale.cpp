#include "platform/linux/linux_locale.h"

#include <dlfcn.h>
#include <unistd.h>

#include <array>
#include <cctype>
#include <cstdlib>

#include "platform/encoding/text_encoding.h"
#include "platform/linux/country_module/country_module.h"

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

std::vector<std::string> countryModulePaths() {
    std::vector<std::string> paths;
    std::array<char, 4096> program{};
    const ssize_t length = readlink("/proc/self/exe", program.data(), program.size() - 1);
    if (length > 0) {
        std::string directory(program.data(), static_cast<std::size_t>(length));
        directory.erase(directory.rfind('/') + 1);
        paths.push_back(directory + kCountryModuleFile);
    }
#ifdef ROMWISE_INSTALLED_MODULE_DIR
    paths.push_back(std::string(ROMWISE_INSTALLED_MODULE_DIR) + "/" + kCountryModuleFile);
#endif
    return paths;
}

std::optional<CountryInfo> countryForTerritory(const std::string& territory,
                                               const std::vector<std::string>& modulePaths) {
    using Function = int (*)(const char*, char*, std::size_t, int*);
    for (const std::string& path : modulePaths) {
        // The module stays loaded for the rest of the process: its libraries
        // keep data that the next pass uses again.
        void* module = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
        if (module == nullptr) {
            continue;
        }
        const auto function = reinterpret_cast<Function>(dlsym(module, kCountryModuleFunction));
        if (function == nullptr) {
            continue;
        }
        std::array<char, 256> name{};
        int callingCode = 0;
        if (function(territory.c_str(), name.data(), name.size(), &callingCode) == 0) {
            return std::nullopt;
        }
        CountryInfo country;
        country.name = utf8ToWindows1252(name.data());
        // A territory without its own numbering plan keeps the code it held.
        country.code = callingCode > 0 ? std::to_string(callingCode) : std::string();
        return country;
    }
    return std::nullopt;
}

}  // namespace romwise

#include "platform/pass_document/document_numbers.h"

#include <stdexcept>

namespace romwise {

namespace {

constexpr std::size_t kLongestShownValue = 40;

// The value as a message shows it: the JSON text itself, cut short, or
// what kind of value it is.
std::string shown(const nlohmann::ordered_json& value) {
    if (value.is_structured()) {
        return std::string("an ") + value.type_name();
    }
    std::string text = value.dump(-1, ' ', false, nlohmann::ordered_json::error_handler_t::replace);
    if (text.size() > kLongestShownValue) {
        text = text.substr(0, kLongestShownValue - 3) + "...";
    }
    return text;
}

[[noreturn]] void refuse(const std::string& key, std::int64_t min, std::int64_t max,
                         const std::string& found) {
    throw std::invalid_argument(key + ": expected a whole number from " + std::to_string(min) +
                                " to " + std::to_string(max) + ", got " + found);
}

}  // namespace

std::int64_t documentInteger(const nlohmann::ordered_json& value, const std::string& key,
                             std::int64_t min, std::int64_t max) {
    if (value.is_number_unsigned()) {
        // Beyond the signed range it is above every field's maximum.
        const std::uint64_t number = value.get<std::uint64_t>();
        if (max >= 0 && number <= static_cast<std::uint64_t>(max) &&
            (min <= 0 || number >= static_cast<std::uint64_t>(min))) {
            return static_cast<std::int64_t>(number);
        }
    } else if (value.is_number_integer()) {
        const std::int64_t number = value.get<std::int64_t>();
        if (number >= min && number <= max) {
            return number;
        }
    }
    refuse(key, min, max, shown(value));
}

int documentControlId(const std::string& name, const std::string& key) {
    const std::string where = key + "[\"" + name + "\"]";
    std::int64_t id = 0;
    for (const char digit : name) {
        if (digit < '0' || digit > '9' || id > kMaxControlId) {
            id = kMaxControlId + 1;
            break;
        }
        id = id * 10 + (digit - '0');
    }
    if (name.empty() || id > kMaxControlId) {
        refuse(where, 0, kMaxControlId, shown(nlohmann::ordered_json(name)));
    }
    return static_cast<int>(id);
}

}  // namespace romwise

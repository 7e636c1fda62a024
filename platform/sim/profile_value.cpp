#include "platform/sim/profile_value.h"

#include <algorithm>
#include <utility>

#include <nlohmann/json.hpp>

namespace romwise::sim {

ProfileValue ProfileValue::string(std::string value) {
    ProfileValue result{Kind::String, {}};
    result.text_ = std::move(value);
    return result;
}

std::int64_t ProfileValue::asInteger() const {
    return kind_ == Kind::Unsigned ? static_cast<std::int64_t>(number_.whole) : number_.integer;
}

std::uint64_t ProfileValue::asUnsigned() const {
    return kind_ == Kind::Integer ? static_cast<std::uint64_t>(number_.integer) : number_.whole;
}

double ProfileValue::asDouble() const {
    switch (kind_) {
        case Kind::Integer:
            return static_cast<double>(number_.integer);
        case Kind::Unsigned:
            return static_cast<double>(number_.whole);
        case Kind::Float:
            return number_.real;
        default:
            return 0.0;
    }
}

std::vector<const ProfileValue::Member*> ProfileValue::membersByName() const {
    std::vector<const Member*> sorted;
    sorted.reserve(members_.size());
    for (const Member& member : members_) {
        sorted.push_back(&member);
    }
    std::sort(sorted.begin(), sorted.end(),
              [](const Member* a, const Member* b) { return a->name < b->name; });
    return sorted;
}

const ProfileValue* ProfileValue::find(std::string_view name) const {
    for (const Member& member : members_) {
        if (member.name == name) {
            return &member.value;
        }
    }
    return nullptr;
}

namespace {

// Scalars are written as the JSON library writes them, so that a message
// quotes a value exactly as the library would ("1e+300", "\u001b").
std::string scalarText(const ProfileValue& value) {
    using Kind = ProfileValue::Kind;
    switch (value.kind()) {
        case Kind::Boolean:
            return value.asBoolean() ? "true" : "false";
        case Kind::Integer:
            return nlohmann::json(value.asInteger()).dump();
        case Kind::Unsigned:
            return nlohmann::json(value.asUnsigned()).dump();
        case Kind::Float:
            return jsonNumberText(value.asDouble());
        case Kind::String:
            return nlohmann::json(value.asString()).dump();
        default:
            return "null";
    }
}

}  // namespace

std::string jsonNumberText(double value) {
    return nlohmann::json(value).dump();
}

std::string describeJson(const ProfileValue& value) {
    if (value.isObject()) {
        return "an object";
    }
    if (value.isArray()) {
        return "an array";
    }
    std::string text = scalarText(value);
    if (text.size() > 40) {
        text = text.substr(0, 37) + "...";
    }
    return text;
}

}  // namespace romwise::sim

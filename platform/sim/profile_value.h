// One JSON value of a machine profile, as the loader reads it: a small tree
// built once by the parser (profile_json.h) and then only read. Numbers keep
// the JSON parser's classes: a whole number without a sign is Unsigned, a
// negative whole number Integer, any number with a fraction or an exponent
// (or too large for 64 bits) Float. An object keeps its members in the
// file's order; where the order matters to the loader (which of several
// wrong keys a refusal names, which spelling of a map key is read last) it
// takes them in name order, byte by byte, whatever order the file gives.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace romwise::sim {

class ProfileValue {
  public:
    enum class Kind : std::uint8_t {
        Null,
        Boolean,
        Integer,
        Unsigned,
        Float,
        String,
        Array,
        Object
    };
    struct Member;
    using Array = std::vector<ProfileValue>;
    using Object = std::vector<Member>;

    ProfileValue() = default;  // null
    static ProfileValue boolean(bool value);
    static ProfileValue integer(std::int64_t value);
    static ProfileValue unsignedNumber(std::uint64_t value);
    static ProfileValue floatNumber(double value);
    static ProfileValue string(std::string value);
    static ProfileValue array();
    static ProfileValue object();

    Kind kind() const { return kind_; }
    bool isNull() const { return kind_ == Kind::Null; }
    bool isBoolean() const { return kind_ == Kind::Boolean; }
    bool isString() const { return kind_ == Kind::String; }
    bool isArray() const { return kind_ == Kind::Array; }
    bool isObject() const { return kind_ == Kind::Object; }
    bool isNumber() const {
        return kind_ == Kind::Integer || kind_ == Kind::Unsigned || kind_ == Kind::Float;
    }

    bool asBoolean() const { return number_.boolean; }
    // A whole number (Integer or Unsigned) in either type, converted as C++
    // converts between them.
    std::int64_t asInteger() const;
    std::uint64_t asUnsigned() const;
    // Any number, as a double.
    double asDouble() const;
    const std::string& asString() const { return text_; }

    // An array's elements.
    const Array& items() const { return items_; }
    Array& items() { return items_; }
    std::size_t size() const { return items_.size(); }
    const ProfileValue& operator[](std::size_t index) const { return items_[index]; }

    // An object's members, in the file's order.
    const Object& members() const { return members_; }
    Object& members() { return members_; }
    // The same, in name order.
    std::vector<const Member*> membersByName() const;
    // The member of that name, or nothing.
    const ProfileValue* find(std::string_view name) const;

  private:
    union Number {
        bool boolean;
        std::int64_t integer;
        std::uint64_t whole;
        double real;
    };
    ProfileValue(Kind kind, Number number);

    Kind kind_ = Kind::Null;
    Number number_{};
    std::string text_;
    Array items_;
    Object members_;
};

struct ProfileValue::Member {
    std::string name;
    ProfileValue value;
};

inline ProfileValue::ProfileValue(Kind kind, Number number) : kind_(kind), number_(number) {}

inline ProfileValue ProfileValue::boolean(bool value) {
    return {Kind::Boolean, {.boolean = value}};
}
inline ProfileValue ProfileValue::integer(std::int64_t value) {
    return {Kind::Integer, {.integer = value}};
}
inline ProfileValue ProfileValue::unsignedNumber(std::uint64_t value) {
    return {Kind::Unsigned, {.whole = value}};
}
inline ProfileValue ProfileValue::floatNumber(double value) {
    return {Kind::Float, {.real = value}};
}
inline ProfileValue ProfileValue::array() {
    return {Kind::Array, {}};
}
inline ProfileValue ProfileValue::object() {
    return {Kind::Object, {}};
}

// A short description of a value for messages: the value as JSON text (cut
// to 40 characters), or "an object" / "an array".
std::string describeJson(const ProfileValue& value);

// A number as JSON text ("1000.0").
std::string jsonNumberText(double value);

}  // namespace romwise::sim

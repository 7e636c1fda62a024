#include "platform/sim/profile_json.h"

#include <set>
#include <string>
#include <utility>

#include <nlohmann/json.hpp>

namespace romwise::sim {

namespace {

using nlohmann::json;

// The library's message without its "[json.exception.parse_error.101] " tag.
std::string untagged(const json::exception& error) {
    std::string detail = error.what();
    const std::size_t tag = detail.find("] ");
    if (tag != std::string::npos) {
        detail.erase(0, tag + 2);
    }
    return detail;
}

// An object holding more members than this looks for a repeated key in a
// set of its names rather than among its members, so that a profile with a
// huge object is not checked in quadratic time.
constexpr std::size_t kMembersSearchedInPlace = 16;

// Builds the value tree from the parser's events, following the parser
// through the text: which object or array it is in, at which key or
// element, and the keys each open object has had so far, so that a refusal
// names where it happened.
class TreeBuilder final : public json::json_sax_t {
  public:
    explicit TreeBuilder(const ProfileFields& fields) : fields_(fields) {}

    ProfileValue take() { return std::move(root_); }

    bool null() override { return add(ProfileValue()); }
    bool boolean(bool value) override { return add(ProfileValue::boolean(value)); }
    bool number_integer(number_integer_t value) override {
        return add(ProfileValue::integer(value));
    }
    bool number_unsigned(number_unsigned_t value) override {
        return add(ProfileValue::unsignedNumber(value));
    }
    bool number_float(number_float_t value, const string_t&) override {
        return add(ProfileValue::floatNumber(value));
    }
    bool string(string_t& value) override { return add(ProfileValue::string(std::move(value))); }
    bool binary(binary_t&) override { return false; }  // JSON text holds none

    bool start_object(std::size_t) override { return open(ProfileValue::object()); }
    bool start_array(std::size_t) override { return open(ProfileValue::array()); }

    bool key(string_t& name) override {
        Frame& frame = frames_.back();
        const bool repeated = isRepeated(frame, name);
        frame.value->members().push_back({std::move(name), ProfileValue()});
        if (repeated) {
            fields_.fail(currentKey(), "the key is given twice");
        }
        return true;
    }

    bool end_object() override { return close(); }
    bool end_array() override { return close(); }

    bool parse_error(std::size_t, const std::string&, const json::exception& error) override {
        // A number too large for a double (an out_of_range error): the one
        // refusal of the library that belongs to a value, not to the text's
        // syntax.
        if (error.id / 100 == 4) {
            const std::string key = currentKey();
            if (!key.empty()) {
                fields_.fail(key, untagged(error));
            }
        }
        fields_.fail("", "not valid JSON: " + untagged(error));
    }

  private:
    struct Frame {
        ProfileValue* value;          // the open object or array
        std::set<std::string> names;  // an object's names, once it has many
    };

    // Where the parser is: the key or element it reads now, as the loader
    // names keys; empty at the top level.
    std::string currentKey() const {
        std::string key;
        for (std::size_t depth = 0; depth < frames_.size(); ++depth) {
            const ProfileValue& value = *frames_[depth].value;
            // Below the innermost frame an array's last element is open,
            // and it is the one being read; in the innermost, the next one.
            const bool lastIsOpen = depth + 1 < frames_.size();
            if (value.isArray()) {
                key = elementKey(key, value.size() - (lastIsOpen ? 1 : 0));
            } else if (!value.members().empty()) {
                key = memberKey(key, value.members().back().name);
            }
        }
        return key;
    }

    bool isRepeated(Frame& frame, const std::string& name) const {
        const ProfileValue::Object& members = frame.value->members();
        if (members.size() < kMembersSearchedInPlace) {
            for (const ProfileValue::Member& member : members) {
                if (member.name == name) {
                    return true;
                }
            }
            return false;
        }
        if (frame.names.empty()) {
            for (const ProfileValue::Member& member : members) {
                frame.names.insert(member.name);
            }
        }
        return !frame.names.insert(name).second;
    }

    // Where the next value goes: the open array's next element, the open
    // object's last key, or the top.
    ProfileValue& slot() {
        if (frames_.empty()) {
            return root_;
        }
        ProfileValue& parent = *frames_.back().value;
        if (parent.isArray()) {
            return parent.items().emplace_back();
        }
        return parent.members().back().value;
    }

    bool add(ProfileValue value) {
        slot() = std::move(value);
        return true;
    }

    bool open(ProfileValue container) {
        if (frames_.size() == kMaxJsonDepth) {
            fields_.fail(currentKey(),
                         "nested deeper than " + std::to_string(kMaxJsonDepth) + " levels");
        }
        ProfileValue& placed = slot();
        placed = std::move(container);
        frames_.push_back(Frame{&placed, {}});
        return true;
    }

    bool close() {
        frames_.pop_back();
        return true;
    }

    const ProfileFields& fields_;
    ProfileValue root_;
    std::vector<Frame> frames_;
};

}  // namespace

ProfileValue parseProfileJson(const std::vector<std::uint8_t>& text, const ProfileFields& fields) {
    TreeBuilder builder(fields);
    json::sax_parse(text.begin(), text.end(), &builder);
    return builder.take();
}

}  // namespace romwise::sim

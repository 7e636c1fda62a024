#include "platform/sim/profile_json.h"

#include <set>
#include <string>

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

// Follows the parser through the text: which object or array it is in, at
// which key or element, and the keys each open object has had so far.
class KeyTracker {
  public:
    explicit KeyTracker(const ProfileFields& fields) : fields_(fields) {}

    bool operator()(int, json::parse_event_t event, json& parsed) {
        switch (event) {
            case json::parse_event_t::object_start:
            case json::parse_event_t::array_start:
                if (frames_.size() == kMaxJsonDepth) {
                    fields_.fail(currentKey(),
                                 "nested deeper than " + std::to_string(kMaxJsonDepth) + " levels");
                }
                frames_.push_back(Frame{event == json::parse_event_t::array_start, 0, {}, {}});
                break;
            case json::parse_event_t::key: {
                Frame& frame = frames_.back();
                frame.key = parsed.get<std::string>();
                if (!frame.keys.insert(frame.key).second) {
                    fields_.fail(currentKey(), "the key is given twice");
                }
                break;
            }
            case json::parse_event_t::object_end:
            case json::parse_event_t::array_end:
                frames_.pop_back();
                nextElement();
                break;
            case json::parse_event_t::value:
                nextElement();
                break;
        }
        return true;
    }

    // Where the parser is: the key or element it reads now, as the loader
    // names keys; empty at the top level.
    std::string currentKey() const {
        std::string key;
        for (const Frame& frame : frames_) {
            if (frame.array) {
                key = elementKey(key, frame.index);
            } else if (!frame.keys.empty()) {
                key = memberKey(key, frame.key);
            }
        }
        return key;
    }

  private:
    struct Frame {
        bool array;
        std::size_t index;  // of the element being read, in an array
        std::string key;    // being read, in an object
        std::set<std::string> keys;
    };

    void nextElement() {
        if (!frames_.empty() && frames_.back().array) {
            ++frames_.back().index;
        }
    }

    const ProfileFields& fields_;
    std::vector<Frame> frames_;
};

}  // namespace

json parseProfileJson(const std::vector<std::uint8_t>& text, const ProfileFields& fields) {
    KeyTracker tracker(fields);
    try {
        return json::parse(text.begin(), text.end(), std::ref(tracker));
    } catch (const json::out_of_range& error) {
        // A number too large for a double: the one refusal of the library
        // that belongs to a value, not to the text's syntax.
        const std::string key = tracker.currentKey();
        if (!key.empty()) {
            fields.fail(key, untagged(error));
        }
        fields.fail("", "not valid JSON: " + untagged(error));
    } catch (const json::exception& error) {
        fields.fail("", "not valid JSON: " + untagged(error));
    }
}

}  // namespace romwise::sim

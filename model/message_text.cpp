#include "model/message_text.h"

namespace romwise {

namespace {

struct NamedEscape {
    char byte;
    const char* escaped;
};
constexpr NamedEscape kNamedEscapes[] = {{'\t', "\\t"}, {'\n', "\\n"}, {'\r', "\\r"}};
constexpr char kUpperHexDigits[] = "0123456789ABCDEF";

}  // namespace

std::string escapeControlBytes(std::string_view text) {
    std::string escaped;
    escaped.reserve(text.size());
    for (const char byte : text) {
        const auto value = static_cast<unsigned char>(byte);
        if (value >= 0x20 && value != 0x7F) {
            escaped.push_back(byte);
            continue;
        }
        const char* named = nullptr;
        for (const NamedEscape& escape : kNamedEscapes) {
            if (escape.byte == byte) {
                named = escape.escaped;
            }
        }
        if (named != nullptr) {
            escaped.append(named);
        } else {
            escaped.append("\\x");
            escaped.push_back(kUpperHexDigits[value >> 4]);
            escaped.push_back(kUpperHexDigits[value & 0x0F]);
        }
    }
    return escaped;
}

}  // namespace romwise

#include "report/url_encoding.h"

namespace romwise {

namespace {

struct ByteEscape {
    char byte;
    const char* escaped;
};

// "%" first in meaning: an escape written here is never escaped again.
constexpr ByteEscape kQueryValueEscapes[] = {{'%', "%25"}, {'&', "%26"}, {'#', "%23"}};

const char* queryValueEscape(char byte) {
    for (const ByteEscape& escape : kQueryValueEscapes) {
        if (escape.byte == byte) {
            return escape.escaped;
        }
    }
    return nullptr;
}

// Control bytes: a line break would split the address in two, and browsers
// drop or keep the others as they see fit.
bool isControlByte(char byte) {
    const auto value = static_cast<unsigned char>(byte);
    return value < 0x20 || value == 0x7F;
}

constexpr char kUpperHexDigits[] = "0123456789ABCDEF";

}  // namespace

void escapePlusSigns(std::string& text) {
    std::string::size_type at = 0;
    while ((at = text.find('+', at)) != std::string::npos) {
        text.replace(at, 1, "%2B");
        at += 3;
    }
}

std::string escapeQueryValue(std::string_view value) {
    std::string escaped;
    escaped.reserve(value.size());
    for (const char byte : value) {
        if (const char* replacement = queryValueEscape(byte)) {
            escaped.append(replacement);
        } else if (isControlByte(byte)) {
            const auto value = static_cast<unsigned char>(byte);
            escaped.push_back('%');
            escaped.push_back(kUpperHexDigits[value >> 4]);
            escaped.push_back(kUpperHexDigits[value & 0x0F]);
        } else {
            escaped.push_back(byte);
        }
    }
    return escaped;
}

bool canonicalizeAddress(std::string_view address, char* out, std::size_t capacity) {
    if (capacity == 0) {
        return false;
    }
    std::size_t length = 0;
    for (const char byte : address) {
        const std::size_t needed = byte == ' ' ? 3 : 1;
        // One byte stays free for the terminator.
        if (length + needed >= capacity) {
            out[0] = '\0';
            return false;
        }
        if (byte == ' ') {
            out[length++] = '%';
            out[length++] = '2';
            out[length++] = '0';
        } else {
            out[length++] = byte;
        }
    }
    out[length] = '\0';
    return true;
}

}  // namespace romwise

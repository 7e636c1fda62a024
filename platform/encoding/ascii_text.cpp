#include "platform/encoding/ascii_text.h"

#include <algorithm>

namespace romwise {

namespace {
bool isAsciiByte(char c) {
    return static_cast<unsigned char>(c) < 0x80;
}
}  // namespace

bool isAscii(std::string_view text) {
    return std::all_of(text.begin(), text.end(), isAsciiByte);
}

std::string asciiOnly(std::string_view text, std::string_view replacement) {
    std::string out;
    for (const char c : text) {
        if (isAsciiByte(c)) {
            out.push_back(c);
        } else {
            out.append(replacement);
        }
    }
    return out;
}

}  // namespace romwise

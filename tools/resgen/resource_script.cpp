#include "tools/resgen/resource_script.h"

#include <cstdint>
#include <cstdio>
#include <stdexcept>

namespace romwise::resgen {

namespace {

// The code points of a UTF-8 text; throws on anything that is not UTF-8.
std::vector<char32_t> codePoints(std::string_view utf8) {
    std::vector<char32_t> result;
    for (std::size_t i = 0; i < utf8.size();) {
        const auto lead = static_cast<unsigned char>(utf8[i]);
        std::size_t length = 0;
        char32_t value = 0;
        char32_t least = 0;
        if (lead < 0x80) {
            length = 1;
            value = lead;
        } else if ((lead & 0xE0) == 0xC0) {
            length = 2;
            value = lead & 0x1F;
            least = 0x80;
        } else if ((lead & 0xF0) == 0xE0) {
            length = 3;
            value = lead & 0x0F;
            least = 0x800;
        } else if ((lead & 0xF8) == 0xF0) {
            length = 4;
            value = lead & 0x07;
            least = 0x10000;
        } else {
            throw std::invalid_argument("invalid UTF-8 lead byte");
        }
        if (i + length > utf8.size()) {
            throw std::invalid_argument("UTF-8 sequence cut short");
        }
        for (std::size_t k = 1; k < length; ++k) {
            const auto next = static_cast<unsigned char>(utf8[i + k]);
            if ((next & 0xC0) != 0x80) {
                throw std::invalid_argument("invalid UTF-8 continuation byte");
            }
            value = (value << 6) | (next & 0x3F);
        }
        if (value < least || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) {
            throw std::invalid_argument("invalid UTF-8 code point");
        }
        result.push_back(value);
        i += length;
    }
    return result;
}

bool isHexDigit(char32_t c) {
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

void appendEscape(std::string& out, std::uint32_t unit) {
    char escape[12];
    std::snprintf(escape, sizeof escape, "\\x%04x", static_cast<unsigned>(unit & 0xFFFF));
    out += escape;
}

}  // namespace

std::string wideStringLiteral(std::string_view utf8) {
    std::string out = "L\"";
    bool afterEscape = false;
    for (const char32_t c : codePoints(utf8)) {
        const bool plain =
            c >= 0x20 && c < 0x7F && c != '"' && c != '\\' && !(afterEscape && isHexDigit(c));
        if (plain) {
            out += static_cast<char>(c);
        } else if (c >= 0x10000) {
            const char32_t offset = c - 0x10000;
            appendEscape(out, 0xD800 + (offset >> 10));
            appendEscape(out, 0xDC00 + (offset & 0x3FF));
        } else {
            appendEscape(out, c);
        }
        afterEscape = !plain;
    }
    out += '"';
    return out;
}

std::string resourceScript(const std::vector<FileResource>& files,
                           const std::vector<StringResource>& strings) {
    std::string out = "// Written by romwise-resgen at build time.\n";
    for (const FileResource& file : files) {
        if (file.path.find_first_of("\"\\\r\n") != std::string::npos) {
            throw std::invalid_argument("a resource path with a quote, backslash or line end");
        }
        out += std::to_string(file.id) + " " + file.type + " \"" + file.path + "\"\n";
    }
    if (!strings.empty()) {
        out += "STRINGTABLE\nBEGIN\n";
        for (const StringResource& string : strings) {
            out += "    " + std::to_string(string.id) + " " + wideStringLiteral(string.text) + "\n";
        }
        out += "END\n";
    }
    return out;
}

}  // namespace romwise::resgen
